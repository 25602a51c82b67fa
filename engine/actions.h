#pragma once

// The semantic actions of the grammar. Each holds the state it works on and evaluates on its
// value stack; every failure throws CalcException.

#include "engine/calcexception.h"
#include "engine/calcstate.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Pushes a literal's, a variable's or a constant's value.
struct PushValue {
    SCalcState& mState;
    void operator()(double value) const { mState.mValueStack.push_back(value); }
    void operator()(std::uint64_t value) const {
        mState.mValueStack.push_back(static_cast<double>(value));
    }
};

double PopValue(SCalcState& state);

// Pops the right operand, then the left one, and pushes op(left, right).
template <typename Op> struct DoBinOp {
    SCalcState& mState;
    void operator()(const char*, const char*) const {
        double right = PopValue(mState);
        double left = PopValue(mState);
        mState.mValueStack.push_back(Op()(left, right));
    }
};

// Wraps a plain two-argument function as a function object.
template <double (*Function)(double, double)> struct BinFunctor {
    double operator()(double left, double right) const { return Function(left, right); }
};

double Pow(double base, double exponent);

struct DoNegate {
    SCalcState& mState;
    void operator()(const char*, const char*) const;
};

// The call actions receive the call's text, from its name to its ")", and the number of values
// its arguments pushed.
struct DoUnaryFunc {
    SCalcState& mState;
    void operator()(const char* first, const char* last, std::size_t argumentCount) const;
};

struct DoBinaryFunc {
    SCalcState& mState;
    void operator()(const char* first, const char* last, std::size_t argumentCount) const;
};

struct DoDefinedFunc {
    SCalcState& mState;
    void operator()(const char* first, const char* last, std::size_t argumentCount) const;
};

struct DoIf {
    SCalcState& mState;
    void operator()(const char* first, const char* last, std::size_t argumentCount) const;
};

struct DoAssign {
    SCalcState& mState;
    void operator()(const char*, const char*) const;
};

struct DoDefFunc {
    SCalcState& mState;
    void operator()(const char*, const char*) const;
};

struct DoEvaluation {
    SCalcState& mState;
    void operator()(const char*, const char*) const;
};

// Captures of matched text into the state's scratch fields.
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
