// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The grammar's actions. While a text is parsed they only record the evaluation actions they
// stand for (engine/actions.h) into a program; the program runs afterwards, and again each
// time the same text is read against the same names.

#include "engine/calcexception.h"
#include "engine/calcstate.h"
#include "engine/program.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the parse looked for where it gave up: the furthest such place explains a failed parse.
enum class Expected {
    kValue,         // a number, a name, a group or a call
    kEnd,           // the end of the line
    kGroupClose,    // the ")" of a group
    kCallClose,     // the ")" of a call's arguments
    kCallComma,     // the "," before a call's next argument
    kHexFits,       // a hexadecimal literal within 64 bits
    kExponentDigit, // the digits of an exponent
    kUnit           // the unit a conversion asks for
};

struct FailureNote {
    std::size_t mPosition = 0;
    Expected mExpected = Expected::kValue;
    // For a call's "," and ")": which call was being read, so that the call can tell its own
    // from those of the calls inside it.
    std::size_t mCall = 0;
    // For a hexadecimal literal: where it began.
    std::size_t mFrom = 0;
};

// One parse being recorded: the state whose names it reads, the program it fills, and the
// texts the grammar hands from a rule to the action that ends it.
struct Recording {
    Recording(const SCalcState& state, Program& program, const char* text)
        : mState(state), mProgram(program), mText(text) {}

    const SCalcState& mState;
    Program& mProgram;
    // The start of the text, for byte offsets.
    const char* mText;
    // How many values the recorded actions leave on the stack when they run; every action's
    // effect on the stack is known when it is recorded.
    std::size_t mStackSize = 0;
    // How deeply the parse is nested in parentheses, calls and powers.
    int mNestingDepth = 0;
    // Whether words may be read as units: only once the text failed to read without them.
    bool mReadsUnits = false;

    std::string mAssignName;
    std::string mDefName;
    std::vector<std::string> mParamNames;
    std::string mDefBody;
    std::string mIfTrueText;
    std::string mIfFalseText;

    // The furthest place where something the grammar looked for was missing; at one place, the
    // last thing looked for, which is what an enclosing rule wanted after its inner ones ended.
    FailureNote mFurthest;
    bool mFailed = false;
    // The innermost call being read, numbered in the order the parse tries calls.
    std::size_t mCall = 0;
    std::size_t mCallsTried = 0;
    // Set when a call found the wrong number of arguments at the furthest failure.
    Failure mCallFailure;

    void noteMissing(const char* at, Expected expected, const char* from = nullptr) {
        const std::size_t position = offset(at);
        if (mFailed && position < mFurthest.mPosition)
            return;
        mFailed = true;
        mFurthest = FailureNote{position, expected, mCall, from ? offset(from) : position};
        mCallFailure = Failure{};
    }

    std::size_t offset(const char* at) const { return static_cast<std::size_t>(at - mText); }

    void append(Step step, std::size_t popped, std::size_t pushed) {
        mProgram.mSteps.push_back(std::move(step));
        mStackSize = mStackSize - std::min(popped, mStackSize) + pushed;
    }
};

// The function name of a call's text: everything before its first "(".
inline std::string_view CalledName(const char* first, const char* last) {
    std::string_view call(first, last - first);
    std::size_t paren = call.find('(');
    if (paren == std::string_view::npos)
        throw CalcException();
    return call.substr(0, paren);
}

// A literal's or a constant's value.
struct RecordValue {
    Recording& r;
    void operator()(double value) const { r.append(PushValue{Quantity(value)}, 0, 1); }
    void operator()(std::uint64_t value) const {
        r.append(PushValue{Quantity(static_cast<double>(value))}, 0, 1);
    }
    // A number with its unit, or a unit alone as one of it.
    void operator()(const Quantity& value) const { r.append(PushValue{value}, 0, 1); }
    void operator()(const CompoundUnit* unit) const {
        r.append(PushValue{Quantity(1, unit)}, 0, 1);
    }
};

struct RecordVariable {
    Recording& r;
    void operator()(const char* first, const char* last) const {
        r.append(PushVariable{std::string(first, last)}, 0, 1);
    }
};

// An operator with its operands: pops them, pushes the result.
template <typename ActionT, std::size_t Operands> struct RecordOperator {
    Recording& r;
    void operator()(const char*, const char*) const { r.append(ActionT{}, Operands, 1); }
    // After a parser whose match has a value of its own, such as a quantity.
    template <typename ValueT> void operator()(const ValueT&) const {
        r.append(ActionT{}, Operands, 1);
    }
};

// The call actions receive the call's text, from its name to its ")", and the number of
// values its arguments pushed.
struct RecordUnaryCall {
    Recording& r;
    void operator()(const char* first, const char* last, std::size_t) const {
        const UnaryBuiltin* function =
            ExactLookup(r.mState.mBuiltins->mUnaryFunctions, CalledName(first, last));
        if (!function)
            throw CalcException();
        r.append(DoUnaryFunc{*function}, 1, 1);
    }
};

struct RecordBinaryCall {
    Recording& r;
    void operator()(const char* first, const char* last, std::size_t) const {
        const BinaryBuiltin* function =
            ExactLookup(r.mState.mBuiltins->mBinaryFunctions, CalledName(first, last));
        if (!function)
            throw CalcException();
        r.append(DoBinaryFunc{*function}, 2, 1);
    }
};

struct RecordDefinedCall {
    Recording& r;
    void operator()(const char* first, const char* last, std::size_t argumentCount) const {
        r.append(DoDefinedFunc{std::string(CalledName(first, last)), argumentCount, {}},
                 argumentCount, 1);
    }
};

struct RecordIf {
    Recording& r;
    void operator()(const char*, const char*, std::size_t) const {
        r.append(DoIf{r.mIfTrueText, r.mIfFalseText, {}, {}}, 1, 1);
    }
};

struct RecordAssign {
    Recording& r;
    void operator()(const char*, const char*) const { r.append(DoAssign{r.mAssignName}, 0, 0); }
};

struct RecordDefinition {
    Recording& r;
    void operator()(const char*, const char*) const {
        r.append(DoDefFunc{r.mDefName, r.mParamNames, r.mDefBody}, 0, 0);
    }
};

struct RecordEvaluation {
    Recording& r;
    void operator()(const char*, const char*) const { r.append(DoEvaluation{}, 0, 0); }
};

// Captures of matched text into the recording's scratch texts.
struct CaptureText {
    std::string& mTarget;
    void operator()(const char* first, const char* last) const { mTarget.assign(first, last); }
};

struct AppendText {
    std::vector<std::string>& mTarget;
    void operator()(const char* first, const char* last) const {
        mTarget.emplace_back(first, last);
    }
};
