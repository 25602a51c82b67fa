#pragma once

#include "engine/builtintables.h"

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// A function the user defined. Every parameter name carries the marker "@" in front, here and
// at each of its uses in the body, so that parameters never collide with variables.
struct UserFunction {
    std::vector<std::string> mParams;
    std::string mBody;
};

// Names longer than this are refused: the symbol tables copy and free themselves recursively,
// one level per byte of a name.
constexpr std::size_t kMaxNameLength = 1024;

// The state of one calculator: its variables and functions, the operand stack of the actions
// and the scratch texts through which the grammar hands matched text to the actions.
struct SCalcState {
    SCalcState();
    ~SCalcState();
    SCalcState(const SCalcState&) = delete;
    SCalcState& operator=(const SCalcState&) = delete;

    const BuiltinTables* mBuiltins;
    std::vector<double> mValueStack;
    std::vector<std::string> mParamNames;
    boost::spirit::classic::symbols<UserFunction> mFunctions;
    boost::spirit::classic::symbols<double> mVariables;
    std::string mAssignName;
    std::set<std::string> mVariableNames;
    std::set<std::string> mFunctionNames;
    std::string mDefName;
    std::string mDefBody;
    std::string mIfTrueText;
    std::string mIfFalseText;
    std::string mResultSymbol;
    bool mFunctionDefined = false;

    // Where the outermost evaluation on this thread's stack began; nested evaluations inherit it
    // so that the whole recursion shares one stack budget.
    const char* mStackBase = nullptr;
    // How many scopes (calls, "if" branches) enclose the evaluation running on this state.
    int mScopeDepth = 0;
    // How deeply the parse running on this state is nested in parentheses, calls and powers.
    int mNestingDepth = 0;
};

// Far beyond any hand-written line; a line nested deeper is refused like a syntax error.
constexpr int kMaxNestingDepth = 10000;

// Deep enough for recursion a worksheet needs, shallow enough that runaway recursion fails
// within a fraction of a second, whatever the stack allows.
constexpr int kMaxScopeDepth = 5000;

// The private copy a nested evaluation runs on: everything but the result symbol, which starts
// empty. Every scope (a call, an "if" branch, a definition check) goes through here. Throws
// CalcException when the new scope would be nested too deeply.
std::unique_ptr<SCalcState> CopyCalcState(const SCalcState& state);

// Stores the value on top of the stack under the name, creating or overwriting the variable.
// The empty name stores nothing; a name too long or holding a NUL byte throws CalcException.
void StoreVariable(SCalcState& state, std::string_view name);

// Marks the parameters in the body and stores the function, replacing one of the same name.
void DefineFunction(SCalcState& state, std::string_view name, std::vector<std::string> params,
                    std::string body);

// Removes every parameter marker, so the outside world sees names and bodies as typed.
void StripParamMarkers(std::string& text);

// Exact lookup: a table matches the longest stored prefix of a text, so only a match covering
// the whole name counts. Null when the name is not stored.
template <typename T>
T* ExactLookup(const boost::spirit::classic::symbols<T>& table, std::string_view name) {
    const char* first = name.data();
    boost::spirit::classic::scanner<const char*> scan(first, name.data() + name.size());
    T* hit = table.find(scan);
    return scan.at_end() ? hit : nullptr;
}

const double* FindVariable(const SCalcState& state, std::string_view name);
const UserFunction* FindFunction(const SCalcState& state, std::string_view name);

// Visits the variables in ascending byte order of their names.
template <typename Visitor> void ForEachVariable(const SCalcState& state, Visitor&& visit) {
    for (const std::string& name : state.mVariableNames)
        if (const double* value = FindVariable(state, name))
            visit(name, *value);
}

// Visits the functions in ascending byte order of their names.
template <typename Visitor> void ForEachFunction(const SCalcState& state, Visitor&& visit) {
    for (const std::string& name : state.mFunctionNames)
        if (const UserFunction* function = FindFunction(state, name))
            visit(name, *function);
}
