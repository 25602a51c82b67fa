// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/builtintables.h"
#include "engine/cow.h"
#include "engine/quantity.h"
#include "engine/symboltable.h"
#include "engine/vocabulary.h"

#include <boost/container/small_vector.hpp>

#include <atomic>
#include <cstddef>
#include <cstdint>
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

class Vocabulary;

// The parameters of one user-function call while its body runs. A call runs on its caller's
// state: the body sees the caller's names and, before them, the parameters of every call that
// encloses it, innermost first, as if each call had stored its parameters in a scope of its own.
struct CallFrame {
    const std::vector<std::string>* mParams; // marked names, as the function holds them
    // Where the arguments lie on the value stack, one per parameter, below the body's floor.
    std::size_t mArgumentsAt;
    const CallFrame* mOuter;
    // The names a text run in this frame is read against: the state's and all parameters.
    Vocabulary* mVocabulary;
};

// Names longer than this are refused, far beyond any name a worksheet needs: the grammar tries
// every stored length when it reads a name.
constexpr std::size_t kMaxNameLength = 1024;

// The state of one calculator: its variables and functions and the operand stack of the
// actions. The tables are shared with the state's copies until written, so a copy costs the
// same whatever the state holds.
struct SCalcState {
    SCalcState();
    // A private scope over the state's variables and functions, where a copy starts: one level
    // deeper, with an empty value stack and no result symbol. Throws CalcException when the
    // scope would be nested too deeply.
    struct ScopeOf {
        const SCalcState& mParent;
    };
    explicit SCalcState(ScopeOf scope);
    ~SCalcState();
    SCalcState(const SCalcState&) = delete;
    SCalcState& operator=(const SCalcState&) = delete;

    const BuiltinTables* mBuiltins;
    // Calls and "if" parts run on it above a floor, so it grows once and is reused by every
    // line after.
    std::vector<Quantity> mValueStack;
    SymbolTable<UserFunction> mFunctions;
    SymbolTable<Quantity> mVariables;
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

    // The innermost call whose body is running on this state; null for the state's own lines.
    const CallFrame* mFrame = nullptr;
    // Values below this index belong to an enclosing evaluation: the running one may not pop
    // them, as if it had a value stack of its own.
    std::size_t mStackFloor = 0;
};

// The vocabulary of the state's names, made on first use; inside a call, that of the names the
// call's body reads.
Vocabulary& VocabularyOfState(const SCalcState& state);
inline Vocabulary& VocabularyOf(const SCalcState& state) {
    return state.mFrame ? *state.mFrame->mVocabulary : VocabularyOfState(state);
}

// The value of the variable or parameter the running evaluation sees under the name; a
// parameter's lies on the value stack, so the pointer holds only until the stack grows.
const Quantity* FindVisibleVariable(const SCalcState& state, std::string_view name);

// A state holding the names a text running in the state's calls reads, for parsing it: the
// state's own and every enclosing call's parameters, with the frame's vocabulary.
std::unique_ptr<SCalcState> NamesInFrames(const SCalcState& state);

// Far beyond any hand-written line; a line nested deeper is refused like a syntax error.
constexpr int kMaxNestingDepth = 10000;

// Deep enough for recursion a worksheet needs, shallow enough that runaway recursion fails
// within a fraction of a second, whatever the stack allows.
constexpr int kMaxScopeDepth = 5000;

// A private copy of the state: everything but the result symbol, which starts empty. It costs
// O(1): the tables are shared until one side writes. Throws CalcException when the copy would
// be nested too deeply, like every scope.
std::unique_ptr<SCalcState> CopyCalcState(const SCalcState& state);

// Parameter names are short: comparing them in place beats calling memcmp.
inline bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k] != b[k])
            return false;
    return true;
}

// Changes whenever any state defines a function or goes away, so that what an action noted of
// a function (where its body or its parameters lie) holds while this stays the same.
extern std::atomic<std::uint64_t> gFunctionTableChanges;
inline std::uint64_t FunctionTableChanges() {
    return gFunctionTableChanges.load(std::memory_order_relaxed);
}

// The index of the first parameter of the call with this name, or the call's parameter count.
inline std::size_t FindParameter(const CallFrame& frame, std::string_view name) {
    const std::vector<std::string>& params = *frame.mParams;
    std::size_t k = 0;
    while (k < params.size() && !SameName(params[k], name))
        ++k;
    return k;
}

// Throws CalcException for a name no table may hold: too long, or holding a NUL byte.
void RequireStorableName(std::string_view name);

// Stores the value on top of the stack under the name, creating or overwriting the variable.
// The empty name stores nothing; a name too long or holding a NUL byte throws CalcException.
void StoreVariable(SCalcState& state, std::string_view name);
void StoreVariable(SCalcState& state, std::string_view name, Quantity value);

// Makes room for this many more variables and functions, before a whole worksheet loads.
void ReserveNames(SCalcState& state, std::size_t variables, std::size_t functions);

// Marks the parameters in the body and stores the function, replacing one of the same name.
void DefineFunction(SCalcState& state, std::string_view name, std::vector<std::string> params,
                    std::string body);

// Removes every parameter marker, so the outside world sees names and bodies as typed.
void StripParamMarkers(std::string& text);

const Quantity* FindVariable(const SCalcState& state, std::string_view name);
const UserFunction* FindFunction(const SCalcState& state, std::string_view name);

// Visits the variables in ascending byte order of their names.
template <typename Visitor> void ForEachVariable(const SCalcState& state, Visitor&& visit) {
    state.mVariableNames.forEach([&](const std::string& name) {
        if (const Quantity* value = FindVariable(state, name))
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
