#include "engine/actions.h"

#include "engine/calcengine.h"
#include "engine/parse.h"
#include "engine/program.h"
#include "engine/stackguard.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

const std::string kLastName = "last";

template <typename T> const T& LookupWhole(const SymbolTable<T>& table, std::string_view name) {
    const T* hit = table.find(name);
    if (!hit)
        throw CalcException(Reason::kUnknownName, std::string(name));
    return *hit;
}

// Evaluates a stored text (a function body, an "if" part) in a scope of its own and returns
// its value; anything but a value fails the enclosing statement.
double EvaluateInScope(SCalcState& scope, const std::string& text, KeptParse& kept) {
    StackBaseScope stackBase(scope);
    const Ref<const Program> program(&kept.of(text, scope));
    RunProgram(*program, scope, Results::kValueOnly);
    if (!program->mOutcome.full)
        throw CalcException(program->mFailure);
    if (scope.mValueStack.empty())
        throw CalcException();
    return scope.mValueStack.back();
}

void SetStatementResult(SCalcState& state, std::string symbol, bool functionDefined) {
    state.mFunctionDefined = functionDefined;
    state.mResultSymbol = std::move(symbol);
}

} // namespace

const Program& KeptParse::of(const std::string& text, const SCalcState& scope) {
    const Vocabulary& vocabulary = VocabularyOf(scope);
    if (!mProgram || mVocabulary != vocabulary.serial() || mGeneration != vocabulary.generation() ||
        mText != text) {
        mProgram = ProgramFor(text, scope, ParseMode::kStatement).get();
        mVocabulary = vocabulary.serial();
        mGeneration = vocabulary.generation();
        mText = text;
    }
    return *mProgram;
}

double PopValue(SCalcState& state) {
    if (state.mValueStack.empty())
        throw CalcException();
    double value = state.mValueStack.back();
    state.mValueStack.pop_back();
    return value;
}

double Pow(double base, double exponent) { return std::pow(base, exponent); }

void PushVariable::operator()(SCalcState& state) const {
    state.mValueStack.push_back(LookupWhole(state.mVariables, mName));
}

void DoNegate::operator()(SCalcState& state) const {
    if (state.mValueStack.empty())
        throw CalcException();
    state.mValueStack.back() = -state.mValueStack.back();
}

void DoUnaryFunc::operator()(SCalcState& state) const {
    if (state.mValueStack.empty())
        throw CalcException();
    state.mValueStack.back() = mFunction(state.mValueStack.back());
}

void DoBinaryFunc::operator()(SCalcState& state) const {
    double second = PopValue(state);
    double first = PopValue(state);
    state.mValueStack.push_back(mFunction(first, second));
}

void DoDefinedFunc::operator()(SCalcState& state) const {
    CheckStackDepth(state);
    const UserFunction& function = LookupWhole(state.mFunctions, mName);
    const std::size_t parameterCount = function.mParams.size();
    // A call must pass exactly one argument per parameter; the stack alone cannot tell.
    if (mArgumentCount != parameterCount)
        throw CalcException(Reason::kArgumentCount, mName, static_cast<int>(parameterCount));
    if (state.mValueStack.size() < parameterCount)
        throw CalcException();

    SCalcState scope(SCalcState::ScopeOf{state});
    // The last argument is on top: bind from the last parameter down.
    for (std::size_t k = parameterCount; k > 0; --k) {
        StoreVariable(scope, function.mParams[k - 1], state.mValueStack.back());
        state.mValueStack.pop_back();
    }
    state.mValueStack.push_back(EvaluateInScope(scope, function.mBody, mBody));
}

void DoIf::operator()(SCalcState& state) const {
    CheckStackDepth(state);
    double condition = PopValue(state);
    // Only a condition greater than zero is true: zero, negatives and NaN choose the third part.
    const bool isTrue = condition > 0;
    SCalcState scope(SCalcState::ScopeOf{state});
    state.mValueStack.push_back(isTrue ? EvaluateInScope(scope, mTrueText, mTruePart)
                                       : EvaluateInScope(scope, mFalseText, mFalsePart));
}

void DoAssign::operator()(SCalcState& state) const {
    StoreVariable(state, mName);
    StoreVariable(state, kLastName);
    SetStatementResult(state, mName, false);
}

void DoEvaluation::operator()(SCalcState& state) const {
    StoreVariable(state, kLastName);
    SetStatementResult(state, std::string(), false);
}

void DoDefFunc::operator()(SCalcState& state) const {
    for (auto parameter = mParams.begin(); parameter != mParams.end(); ++parameter)
        if (std::find(mParams.begin(), parameter, *parameter) != parameter)
            throw CalcException(Reason::kParameterTwice, *parameter);
    // The definition is tried in a copy first, so that the body may call the function itself
    // and its parameters exist while the body is checked.
    auto scope = CopyCalcState(state);
    DefineFunction(*scope, mName, mParams, mBody);
    const UserFunction* defined = FindFunction(*scope, mName);
    if (!defined)
        throw CalcException();
    for (const std::string& parameter : defined->mParams)
        StoreVariable(*scope, parameter, 1.0);
    const Ref<const Program> body = ProgramFor(defined->mBody, *scope, ParseMode::kExpression);
    if (!body->mOutcome.full)
        throw CalcException(body->mFailure);

    DefineFunction(state, mName, mParams, mBody);
    SetStatementResult(state, mName, true);
}
