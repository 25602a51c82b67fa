// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/actions.h"

#include "engine/calcengine.h"
#include "engine/lexicon.h"
#include "engine/parse.h"
#include "engine/program.h"
#include "engine/stackguard.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

template <typename T> const T& LookupWhole(const SymbolTable<T>& table, std::string_view name) {
    const T* hit = table.find(name);
    if (!hit)
        throw CalcException(Reason::kUnknownName, std::string(name));
    return *hit;
}

// Runs as a scope of its own while it lives: one level deeper, with the values the state held
// out of reach and, for a call, the call's parameters in view.
class NestedScope {
public:
    NestedScope(SCalcState& state, const CallFrame* frame)
        : mState(state), mFrame(state.mFrame), mStackFloor(state.mStackFloor) {
        if (state.mScopeDepth >= kMaxScopeDepth)
            throw CalcException(Reason::kRecursionTooDeep);
        ++state.mScopeDepth;
        state.mFrame = frame;
        state.mStackFloor = state.mValueStack.size();
    }
    ~NestedScope() {
        --mState.mScopeDepth;
        mState.mFrame = mFrame;
        mState.mStackFloor = mStackFloor;
    }
    NestedScope(const NestedScope&) = delete;
    NestedScope& operator=(const NestedScope&) = delete;

private:
    SCalcState& mState;
    const CallFrame* mFrame;
    std::size_t mStackFloor;
};

// Evaluates a stored text (a function body, an "if" part) in a scope of its own and returns
// its value; anything but a value fails the enclosing statement. Inlined into the call and the
// "if", so that a recursion level costs fewer native frames.
[[gnu::always_inline]] inline Quantity EvaluateInScope(SCalcState& state, const CallFrame* frame,
                                                       const std::string& text, KeptParse& kept,
                                                       KeptParse::Text kind) {
    NestedScope scope(state, frame);
    StackBaseScope stackBase(state);
    const Ref<const Program> program(&kept.of(text, state, kind));
    RunProgram(*program, state, Results::kValueOnly);
    if (!program->mOutcome.full)
        throw CalcException(program->mFailure);
    if (state.mValueStack.size() == state.mStackFloor)
        throw CalcException();
    const Quantity value = state.mValueStack.back();
    state.mValueStack.resize(state.mStackFloor);
    return value;
}

// The names a call's body reads: those its caller reads, and each parameter new to them.
Vocabulary* VocabularyOfCall(const SCalcState& state, const CallFrame& frame) {
    Vocabulary* vocabulary = &VocabularyOf(state);
    const std::vector<std::string>& params = *frame.mParams;
    for (std::size_t k = params.size(); k > 0; --k) {
        const std::string& name = params[k - 1];
        const bool boundBefore = std::find(params.begin() + k, params.end(), name) != params.end();
        if (!boundBefore && !FindVisibleVariable(state, name))
            vocabulary = vocabulary->extended(Vocabulary::kVariable, name).get();
    }
    return vocabulary;
}

void SetStatementResult(SCalcState& state, std::string symbol, bool functionDefined) {
    state.mFunctionDefined = functionDefined;
    state.mResultSymbol = std::move(symbol);
}

// As RequireStorableName, without a library call for the few bytes of a parameter.
void RequireStorableParameter(const std::string& name) {
    if (name.size() > kMaxNameLength)
        throw CalcException(Reason::kNameTooLong);
    for (char c : name)
        if (c == '\0')
            throw CalcException();
}

} // namespace

const Program& KeptParse::refresh(const std::string& text, const SCalcState& scope, Text kind) {
    const Vocabulary& vocabulary = VocabularyOf(scope);
    const bool sameText = kind == Text::kFixed || mText == text;
    if (!mProgram || mVocabulary != vocabulary.serial() || mGeneration != vocabulary.generation() ||
        !sameText) {
        mProgram = scope.mFrame
                       ? ProgramFor(text, *NamesInFrames(scope), ParseMode::kStatement).get()
                       : ProgramFor(text, scope, ParseMode::kStatement).get();
        mVocabulary = vocabulary.serial();
        mGeneration = vocabulary.generation();
        mText = text;
    }
    mComparedAt = &text;
    mComparedAfter = FunctionTableChanges();
    return *mProgram;
}

double Pow(double base, double exponent) { return std::pow(base, exponent); }

void PushVariable::pushLookedUp(SCalcState& state) const {
    if (const CallFrame* frame = state.mFrame) {
        const std::size_t k = FindParameter(*frame, mName);
        if (k < frame->mParams->size()) {
            mParamsSeen = frame->mParams;
            mSlot = k;
            mSeenAfter = FunctionTableChanges();
        }
    }
    const Quantity* found = FindVisibleVariable(state, mName);
    if (!found)
        throw CalcException(Reason::kUnknownName, mName);
    const Quantity value = *found;
    state.mValueStack.push_back(value);
}

void DoNegate::operator()(SCalcState& state) const {
    if (state.mValueStack.size() <= state.mStackFloor)
        throw CalcException();
    state.mValueStack.back().number = -state.mValueStack.back().number;
}

void DoUnaryFunc::operator()(SCalcState& state) const {
    if (state.mValueStack.size() <= state.mStackFloor)
        throw CalcException();
    Quantity& argument = state.mValueStack.back();
    if (!argument.unit) [[likely]] {
        argument.number = mFunction.function(argument.number);
        return;
    }
    switch (mFunction.rule) {
    case UnitRule::kKeepsUnit:
        argument.number = mFunction.function(argument.number);
        return;
    case UnitRule::kTakesAngle:
        argument = mFunction.function(quantity::Radians(argument, mFunction.name));
        return;
    case UnitRule::kSquareRoot:
        argument = quantity::Power(argument, 0.5);
        return;
    default:
        argument = mFunction.function(quantity::PlainNumber(argument, mFunction.name));
        return;
    }
}

void DoBinaryFunc::operator()(SCalcState& state) const {
    Quantity second = PopValue(state);
    Quantity first = PopValue(state);
    if (!first.unit && !second.unit) [[likely]] {
        state.mValueStack.push_back(mFunction.function(first.number, second.number));
        return;
    }
    const double number =
        mFunction.function(first.number, quantity::InUnitOf(first, second, mFunction.name));
    if (mFunction.rule == UnitRule::kSameKindToPlain)
        state.mValueStack.push_back(number);
    else
        state.mValueStack.push_back(Quantity(number, first.unit));
}

void DoConvert::operator()(SCalcState& state) const {
    Quantity target = PopValue(state);
    Quantity value = PopValue(state);
    state.mValueStack.push_back(quantity::Convert(value, target.unit));
}

void DoDefinedFunc::operator()(SCalcState& state) const {
    CheckStackDepth(state);
    const std::uint64_t changes = FunctionTableChanges();
    if (mStateSeen != &state || mFunctionSeenAfter != changes) {
        mFunctionSeen = &LookupWhole(state.mFunctions, mName);
        mStateSeen = &state;
        mFunctionSeenAfter = changes;
    }
    const UserFunction& function = *mFunctionSeen;
    const std::size_t parameterCount = function.mParams.size();
    // A call must pass exactly one argument per parameter; the stack alone cannot tell.
    if (mArgumentCount != parameterCount)
        throw CalcException(Reason::kArgumentCount, mName, static_cast<int>(parameterCount));
    if (state.mValueStack.size() - state.mStackFloor < parameterCount)
        throw CalcException();
    if (state.mScopeDepth >= kMaxScopeDepth)
        throw CalcException(Reason::kRecursionTooDeep);

    // The arguments stay where they are, below the body's floor, until the body has its value.
    const std::size_t argumentsAt = state.mValueStack.size() - parameterCount;
    CallFrame frame{&function.mParams, argumentsAt, state.mFrame, nullptr};
    const Vocabulary& callers = VocabularyOf(state);
    if (mCallerVocabulary != callers.serial() || mParamsSeen != &function.mParams ||
        mSeenAfter != changes) {
        // Checked as they would be stored, the last parameter first.
        for (std::size_t k = parameterCount; k > 0; --k)
            RequireStorableParameter(function.mParams[k - 1]);
        mBodyVocabulary = VocabularyOfCall(state, frame);
        mCallerVocabulary = callers.serial();
        mParamsSeen = &function.mParams;
        mSeenAfter = changes;
    }
    frame.mVocabulary = mBodyVocabulary;
    const Quantity value =
        EvaluateInScope(state, &frame, function.mBody, mBody, KeptParse::Text::kMayChange);
    state.mValueStack.resize(argumentsAt);
    state.mValueStack.push_back(value);
}

void DoIf::operator()(SCalcState& state) const {
    CheckStackDepth(state);
    const double condition = PopValue(state).number;
    // Only a condition greater than zero is true: zero, negatives and NaN choose the third part.
    const bool isTrue = condition > 0;
    state.mValueStack.push_back(
        isTrue ? EvaluateInScope(state, state.mFrame, mTrueText, mTruePart, KeptParse::Text::kFixed)
               : EvaluateInScope(state, state.mFrame, mFalseText, mFalsePart,
                                 KeptParse::Text::kFixed));
}

void DoAssign::operator()(SCalcState& state) const {
    StoreVariable(state, mName);
    StoreVariable(state, lexicon::kLastName);
    SetStatementResult(state, mName, false);
}

void DoEvaluation::operator()(SCalcState& state) const {
    StoreVariable(state, lexicon::kLastName);
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
