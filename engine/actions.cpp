#include "engine/actions.h"

#include "engine/calcengine.h"
#include "engine/stackguard.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace bsc = boost::spirit::classic;

namespace {

const std::string kLastName = "last";

// The function name of a call's text: everything before its first "(".
std::string_view CalledName(const char* first, const char* last) {
    std::string_view call(first, last - first);
    std::size_t paren = call.find('(');
    if (paren == std::string_view::npos)
        throw CalcException();
    return call.substr(0, paren);
}

template <typename T> const T& LookupWhole(const bsc::symbols<T>& table, std::string_view name) {
    const T* hit = ExactLookup(table, name);
    if (!hit)
        throw CalcException();
    return *hit;
}

// Evaluates a stored text (a function body, an "if" branch) in a scope of its own and returns
// its value; anything but a value fails the enclosing statement.
double EvaluateInScope(SCalcState& scope, const std::string& text) {
    double value = 0;
    std::size_t stop = 0;
    if (EvaluateStatement(text, scope, value, stop) != kValue)
        throw CalcException();
    return value;
}

void SetStatementResult(SCalcState& state, std::string symbol, bool functionDefined) {
    state.mFunctionDefined = functionDefined;
    state.mResultSymbol = std::move(symbol);
}

} // namespace

double PopValue(SCalcState& state) {
    if (state.mValueStack.empty())
        throw CalcException();
    double value = state.mValueStack.back();
    state.mValueStack.pop_back();
    return value;
}

double Pow(double base, double exponent) { return std::pow(base, exponent); }

void DoNegate::operator()(const char*, const char*) const {
    if (mState.mValueStack.empty())
        throw CalcException();
    mState.mValueStack.back() = -mState.mValueStack.back();
}

void DoUnaryFunc::operator()(const char* first, const char* last, std::size_t) const {
    UnaryFunction function =
        LookupWhole(mState.mBuiltins->mUnaryFunctions, CalledName(first, last));
    if (mState.mValueStack.empty())
        throw CalcException();
    mState.mValueStack.back() = function(mState.mValueStack.back());
}

void DoBinaryFunc::operator()(const char* first, const char* last, std::size_t) const {
    BinaryFunction function =
        LookupWhole(mState.mBuiltins->mBinaryFunctions, CalledName(first, last));
    double second = PopValue(mState);
    double firstArgument = PopValue(mState);
    mState.mValueStack.push_back(function(firstArgument, second));
}

void DoDefinedFunc::operator()(const char* first, const char* last,
                               std::size_t argumentCount) const {
    CheckStackDepth(mState);
    const UserFunction& function = LookupWhole(mState.mFunctions, CalledName(first, last));
    const std::size_t parameterCount = function.mParams.size();
    // A call must pass exactly one argument per parameter; the stack alone cannot tell.
    if (argumentCount != parameterCount || mState.mValueStack.size() < parameterCount)
        throw CalcException();

    auto scope = CopyCalcState(mState);
    // The last argument is on top: bind from the last parameter down.
    for (std::size_t k = parameterCount; k > 0; --k) {
        StoreVariable(*scope, function.mParams[k - 1]);
        scope->mValueStack.pop_back();
        mState.mValueStack.pop_back();
    }
    mState.mValueStack.push_back(EvaluateInScope(*scope, function.mBody));
}

void DoIf::operator()(const char*, const char*, std::size_t) const {
    CheckStackDepth(mState);
    double condition = PopValue(mState);
    // Only a condition greater than zero is true: zero, negatives and NaN choose the third part.
    const std::string& branch = condition > 0 ? mState.mIfTrueText : mState.mIfFalseText;
    auto scope = CopyCalcState(mState);
    mState.mValueStack.push_back(EvaluateInScope(*scope, branch));
}

void DoAssign::operator()(const char*, const char*) const {
    StoreVariable(mState, mState.mAssignName);
    StoreVariable(mState, kLastName);
    SetStatementResult(mState, mState.mAssignName, false);
}

void DoEvaluation::operator()(const char*, const char*) const {
    StoreVariable(mState, kLastName);
    SetStatementResult(mState, std::string(), false);
}

void DoDefFunc::operator()(const char*, const char*) const {
    // The definition is tried in a copy first, so that the body may call the function itself
    // and its parameters exist while the body is checked.
    auto scope = CopyCalcState(mState);
    DefineFunction(*scope, mState.mDefName, mState.mParamNames, mState.mDefBody);
    const UserFunction* defined = FindFunction(*scope, mState.mDefName);
    if (!defined)
        throw CalcException();
    scope->mValueStack.push_back(1.0);
    for (const std::string& parameter : defined->mParams)
        StoreVariable(*scope, parameter);
    std::size_t stop = 0;
    if (!CheckExpression(defined->mBody, *scope, stop))
        throw CalcException();

    DefineFunction(mState, mState.mDefName, mState.mParamNames, mState.mDefBody);
    mState.mParamNames.clear();
    SetStatementResult(mState, mState.mDefName, true);
}
