#pragma once

#include "engine/builtintables.h"
#include "engine/cow.h"
#include "engine/symboltable.h"
#include "engine/vocabulary.h"

#include <boost/container/small_vector.hpp>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A function the user defined. Every parameter name carries the marker "@" in front, here and
// at each of its uses in the body, so that parameters never collide with variables.
struct UserFunction {
    std::vector<std::string> mParams;
    std::string mBody;
};

// Names longer than this are refused, far beyond any name a worksheet needs: the grammar tries
// every stored length when it reads a name.
constexpr std::size_t kMaxNameLength = 1024;

// The state of one calculator: its variables and functions and the operand stack of the
// actions. The tables are shared with the state's copies until written, so a copy costs the
// same whatever the state holds.
struct SCalcState {
    SCalcState();
    // A private scope over the state's variables and functions, as a call or an "if" part runs
    // in: it starts with an empty value stack and no result symbol. Throws CalcException when
    // the scope would be nested too deeply.
    struct ScopeOf {
        const SCalcState& mParent;
    };
    explicit SCalcState(ScopeOf scope);
    ~SCalcState();
    SCalcState(const SCalcState&) = delete;
    SCalcState& operator=(const SCalcState&) = delete;

    const BuiltinTables* mBuiltins;
    // Room for the operands of a typical line, so that a scope rarely allocates.
    boost::container::small_vector<double, 16> mValueStack;
    SymbolTable<UserFunction> mFunctions;
    SymbolTable<double> mVariables;
    NameSet mVariableNames;
    NameSet mFunctionNames;
    std::string mResultSymbol;
    bool mFunctionDefined = false;

    // Where the outermost evaluation on this thread's stack began; nested evaluations inherit it
    // so that the whole recursion shares one stack budget.
    const char* mStackBase = nullptr;
    // How many scopes (calls, "if" branches) enclose the evaluation running on this state.
    int mScopeDepth = 0;
    // The identity of the names in the tables, with the parses made against them; made when
    // first needed, shared with copies, replaced when a name is added.
    mutable Ref<Vocabulary> mVocabulary;
};

// The vocabulary of the state's names, made on first use.
Vocabulary& VocabularyOf(const SCalcState& state);

// Far beyond any hand-written line; a line nested deeper is refused like a syntax error.
constexpr int kMaxNestingDepth = 10000;

// Deep enough for recursion a worksheet needs, shallow enough that runaway recursion fails
// within a fraction of a second, whatever the stack allows.
constexpr int kMaxScopeDepth = 5000;

// A private copy of the state: everything but the result symbol, which starts empty. It costs
// O(1): the tables are shared until one side writes. Throws CalcException when the copy would
// be nested too deeply, like every scope.
std::unique_ptr<SCalcState> CopyCalcState(const SCalcState& state);

// Stores the value on top of the stack under the name, creating or overwriting the variable.
// The empty name stores nothing; a name too long or holding a NUL byte throws CalcException.
void StoreVariable(SCalcState& state, std::string_view name);
void StoreVariable(SCalcState& state, std::string_view name, double value);

// Makes room for this many more variables and functions, before a whole worksheet loads.
void ReserveNames(SCalcState& state, std::size_t variables, std::size_t functions);

// Marks the parameters in the body and stores the function, replacing one of the same name.
void DefineFunction(SCalcState& state, std::string_view name, std::vector<std::string> params,
                    std::string body);

// Removes every parameter marker, so the outside world sees names and bodies as typed.
void StripParamMarkers(std::string& text);

const double* FindVariable(const SCalcState& state, std::string_view name);
const UserFunction* FindFunction(const SCalcState& state, std::string_view name);

// Visits the variables in ascending byte order of their names.
template <typename Visitor> void ForEachVariable(const SCalcState& state, Visitor&& visit) {
    state.mVariableNames.forEach([&](const std::string& name) {
        if (const double* value = FindVariable(state, name))
            visit(name, *value);
    });
}

// Visits the functions in ascending byte order of their names.
template <typename Visitor> void ForEachFunction(const SCalcState& state, Visitor&& visit) {
    state.mFunctionNames.forEach([&](const std::string& name) {
        if (const UserFunction* function = FindFunction(state, name))
            visit(name, *function);
    });
}
