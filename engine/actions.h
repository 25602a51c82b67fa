// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The evaluation actions. A parse records them in the order the grammar meets their items
// (engine/recording.h); running them in that order on a state evaluates the statement. Each
// holds what the parse found (a value, a name, the texts of a call) and works on the state's
// value stack; every failure throws CalcException.

#include "engine/builtintables.h"
#include "engine/calcexception.h"
#include "engine/calcstate.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Pushes a literal's or a constant's value, or a quantity written with its unit.
struct PushValue {
    Quantity mValue;
    void operator()(SCalcState& state) const { state.mValueStack.push_back(mValue); }
};

// Pushes the value the variable holds when the action runs.
struct PushVariable {
    std::string mName;
    void operator()(SCalcState& state) const {
        const CallFrame* frame = state.mFrame;
        if (frame && frame->mParams == mParamsSeen && mSeenAfter == FunctionTableChanges()) {
            const Quantity value = state.mValueStack[frame->mArgumentsAt + mSlot];
            state.mValueStack.push_back(value);
        } else {
            pushLookedUp(state);
        }
    }
    void pushLookedUp(SCalcState& state) const;

    // Which parameter of the innermost call the name was last, while the functions stay as
    // they were: a body's parameters are found without comparing names.
    mutable const std::vector<std::string>* mParamsSeen = nullptr;
    mutable std::size_t mSlot = 0;
    mutable std::uint64_t mSeenAfter = 0;
};

inline Quantity PopValue(SCalcState& state) {
    if (state.mValueStack.size() <= state.mStackFloor)
        throw CalcException();
    Quantity value = state.mValueStack.back();
    state.mValueStack.pop_back();
    return value;
}

struct Program;

// The parse of a text that a call or an "if" part evaluated last, kept with the action that
// needs it again, so that a repeated call finds it without looking the text up. It holds only
// while the scope has the same names and, for a call, the function the same body. The parse
// itself stays with its vocabulary: a recursive function's body holds a call of itself.
struct KeptParse {
    // A text that may change between runs (a function's body) is compared with the kept one.
    enum class Text { kFixed, kMayChange };
    const Program& of(const std::string& text, const SCalcState& scope, Text kind) {
        const Vocabulary& vocabulary = VocabularyOf(scope);
        if (mProgram && mVocabulary == vocabulary.serial() &&
            mGeneration == vocabulary.generation() &&
            (kind == Text::kFixed ||
             (mComparedAt == &text && mComparedAfter == FunctionTableChanges())))
            return *mProgram;
        return refresh(text, scope, kind);
    }
    const Program& refresh(const std::string& text, const SCalcState& scope, Text kind);

    std::uint64_t mVocabulary = 0;
    std::uint64_t mGeneration = 0;
    std::string mText;
    const Program* mProgram = nullptr;
    // Where the text was compared last, and how many functions had been defined then: while
    // neither changes, the text there is still the kept one.
    const std::string* mComparedAt = nullptr;
    std::uint64_t mComparedAfter = 0;
};

// Replaces the two operands on top of the stack, left below right, with op(left, right); in
// place, so that plain numbers cost no more than a pair of doubles would.
template <typename Op> struct DoBinOp {
    void operator()(SCalcState& state) const {
        std::vector<Quantity>& stack = state.mValueStack;
        if (stack.size() < state.mStackFloor + 2)
            throw CalcException();
        Quantity& left = stack[stack.size() - 2];
        left = Op()(left, stack.back());
        stack.pop_back();
    }
};

double Pow(double base, double exponent);

// The operators: plain numbers take the arithmetic of doubles at once; only a unit on either
// side goes through the dimension checks.
template <double (*Plain)(double, double), Quantity (*WithUnits)(const Quantity&, const Quantity&)>
struct QuantityOperator {
    Quantity operator()(const Quantity& left, const Quantity& right) const {
        if (!left.unit && !right.unit) [[likely]]
            return Plain(left.number, right.number);
        return WithUnits(left, right);
    }
};
inline double PlainSum(double a, double b) { return a + b; }
inline double PlainDifference(double a, double b) { return a - b; }
inline double PlainProduct(double a, double b) { return a * b; }
inline double PlainQuotient(double a, double b) { return a / b; }
using AddOp = QuantityOperator<&PlainSum, &quantity::Add>;
using SubtractOp = QuantityOperator<&PlainDifference, &quantity::Subtract>;
using MultiplyOp = QuantityOperator<&PlainProduct, &quantity::Multiply>;
using DivideOp = QuantityOperator<&PlainQuotient, &quantity::Divide>;
using PowerOp = QuantityOperator<&Pow, &quantity::Power>;
using SideBySideOp = QuantityOperator<&PlainProduct, &quantity::SideBySide>;

// Pops the unit a conversion asks for, then the quantity, and pushes the quantity in that unit.
struct DoConvert {
    void operator()(SCalcState& state) const;
};

struct DoNegate {
    void operator()(SCalcState& state) const;
};

struct DoUnaryFunc {
    UnaryBuiltin mFunction;
    void operator()(SCalcState& state) const;
};

struct DoBinaryFunc {
    BinaryBuiltin mFunction;
    void operator()(SCalcState& state) const;
};

// A call of a user function, looked up by name when the call runs, so that it runs the body
// the function has then.
struct DoDefinedFunc {
    std::string mName;
    std::size_t mArgumentCount;
    void operator()(SCalcState& state) const;

    mutable KeptParse mBody;
    // The function the name stood for in the state last time: no function changes while a
    // statement runs, so it holds while the function tables do.
    mutable const SCalcState* mStateSeen = nullptr;
    mutable const UserFunction* mFunctionSeen = nullptr;
    mutable std::uint64_t mFunctionSeenAfter = 0;
    // The names the body read last time, for the same caller's names and the same parameters.
    mutable std::uint64_t mCallerVocabulary = 0;
    mutable const std::vector<std::string>* mParamsSeen = nullptr;
    mutable std::uint64_t mSeenAfter = 0;
    mutable Vocabulary* mBodyVocabulary = nullptr;
};

struct DoIf {
    std::string mTrueText;
    std::string mFalseText;
    void operator()(SCalcState& state) const;

    mutable KeptParse mTruePart;
    mutable KeptParse mFalsePart;
};

// A call that failed part way drops the values its arguments pushed, so that an alternative
// tried after it cannot take a stray value for an operand.
struct DropArguments {
    std::size_t mStackSize;
    void operator()(SCalcState& state) const {
        state.mValueStack.resize(state.mStackFloor + mStackSize);
    }
};

// The statement actions: exactly one of them ends every complete statement.
struct DoAssign {
    std::string mName;
    void operator()(SCalcState& state) const;
};

struct DoEvaluation {
    void operator()(SCalcState& state) const;
};

struct DoDefFunc {
    std::string mName;
    std::vector<std::string> mParams;
    std::string mBody;
    void operator()(SCalcState& state) const;
};
