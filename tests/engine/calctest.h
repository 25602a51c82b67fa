// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A calculator that owns its state and reports statements as the tool does, and the table rows
// the engine tests are written in.

#include "engine/calcengine.h"
#include "engine/calcstate.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr double kPi = 3.141592653589793;

// Bit for bit, so that -0 differs from +0 and the last place counts.
inline std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// What the outs hold when the engine did not write them.
inline constexpr double kUnwritten = -7777.25;
inline constexpr std::string_view kNoSymbol = "<unwritten>";

struct Outcome {
    int kind;
    double value;
    std::size_t stop;
    std::string symbol;
    Failure failure = {};
};

class Calc {
public:
    Calc() : mState(NewCalcState()) {}
    explicit Calc(CalcStatePtr state) : mState(std::move(state)) {}

    SCalcState& state() { return *mState; }
    const SCalcState& state() const { return *mState; }

    Outcome eval(std::string_view text) {
        Outcome outcome{-1, kUnwritten, 9999, ""};
        std::string_view symbol = kNoSymbol;
        outcome.kind = EvaluateStatement(text, *mState, outcome.value, outcome.stop, &symbol,
                                         &outcome.failure);
        outcome.symbol = symbol;
        return outcome;
    }

    // Statements that prepare a test: each must give a value or define a function.
    void run(const std::vector<std::string_view>& statements) {
        for (std::string_view statement : statements) {
            const int kind = eval(statement).kind;
            EXPECT_TRUE(kind == kValue || kind == kFunctionDefined) << "setup: " << statement;
        }
    }

    const double* variable(std::string_view name) const {
        const Quantity* found = FindVariable(*mState, name);
        return found ? &found->number : nullptr;
    }

private:
    CalcStatePtr mState;
};

// After the setup statements, the text gives this value, bit for bit.
struct ValueRow {
    const char* name;
    std::vector<std::string_view> setup;
    std::string text;
    double expected;
};

// After the setup statements, the text gives result kind 0 and stops at this byte offset.
struct FailureRow {
    const char* name;
    std::vector<std::string_view> setup;
    std::string text;
    std::size_t stop;
};

inline void ExpectValues(const std::vector<ValueRow>& rows) {
    for (const ValueRow& row : rows) {
        Calc calc;
        calc.run(row.setup);
        const Outcome outcome = calc.eval(row.text);
        EXPECT_EQ(outcome.kind, kValue) << row.name;
        EXPECT_EQ(Bits(outcome.value), Bits(row.expected)) << row.name << " gave " << outcome.value;
    }
}

// After the setup statements, the text gives result kind 0, stops at this byte offset and
// says why.
struct ReasonRow {
    const char* name;
    std::vector<std::string_view> setup;
    std::string text;
    std::size_t stop;
    Reason reason;
    std::string failureName;
    int count;
};

inline void ExpectReasons(const std::vector<ReasonRow>& rows) {
    for (const ReasonRow& row : rows) {
        Calc calc;
        calc.run(row.setup);
        const Outcome outcome = calc.eval(row.text);
        EXPECT_EQ(outcome.kind, kSyntaxError) << row.name;
        EXPECT_EQ(outcome.stop, row.stop) << row.name;
        EXPECT_STREQ(ReasonKey(outcome.failure.mReason), ReasonKey(row.reason)) << row.name;
        EXPECT_EQ(outcome.failure.mName, row.failureName) << row.name;
        EXPECT_EQ(outcome.failure.mCount, row.count) << row.name;
    }
}

inline void ExpectFailures(const std::vector<FailureRow>& rows) {
    for (const FailureRow& row : rows) {
        Calc calc;
        calc.run(row.setup);
        const Outcome outcome = calc.eval(row.text);
        EXPECT_EQ(outcome.kind, kSyntaxError) << row.name;
        EXPECT_EQ(outcome.stop, row.stop) << row.name;
    }
}
