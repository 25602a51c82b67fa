// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/calctest.h"

#include "engine/dictionaries.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

using Prepare = std::function<void(Calc&)>;

Prepare Statements(std::vector<std::string_view> statements) {
    return [statements](Calc& calc) { calc.run(statements); };
}

Prepare Define(std::string name, std::vector<std::string> params, std::string body) {
    return [=](Calc& calc) { DefineFunction(calc.state(), name, params, body); };
}

Prepare Set(std::string name, double value) {
    return [=](Calc& calc) { SetVariable(name, calc.state(), value); };
}

Prepare All(std::vector<Prepare> steps) {
    return [steps](Calc& calc) {
        for (const Prepare& step : steps)
            step(calc);
    };
}

// A text read twice, with the state changed in between. A parse kept from the first reading
// must give exactly what a state that never read the text gives: the same kind, value and stop.
TEST(ParseReuse, ChangesBetweenTwoReadings) {
    const struct {
        const char* name;
        Prepare setup;
        std::string text;
        Prepare between;
        double first;  // the value of the first reading, or NaN for a failure
        double second; // the value after the change, or NaN for a failure
    } rows[] = {
        {"a variable added: xy is no longer x times y", Statements({"x = 2", "y = 3"}), "xy + 0",
         Statements({"xy = 10"}), 6, 10},
        {"a variable added changes a function body", Statements({"x = 2", "y = 3", "f(a) = a*xy"}),
         "f(1)", Statements({"xy = 10"}), 6, 10},
        {"a function added turns a product into a call",
         Statements({"g = 2", "h(a) = if(1, g(a), 0)"}), "h(3)", Statements({"g(t) = t + 100"}), 6,
         103},
        {"a top-level name meets a parameter: @ab no longer reads @a times b",
         All({Set("b", 3), Define("f", {"a"}, "@ab")}), "f(5)", Set("@ab", 100), 15, 100},
        {"a parameter's name reads differently in another function's scope",
         All({Set("b", 3), Define("f", {"a"}, "@ab"), Define("k", {"ab"}, "f(ab)")}), "f(5) + k(5)",
         Set("@ab", 100), 15 + 5, 100 + 5},
        {"a function redefined between calls runs its new body",
         Statements({"g(x) = x + 1", "f(x) = g(x)*2"}), "f(1)", Statements({"g(x) = x + 10"}), 4,
         22},
        {"parameters swapped around the same body: each name finds its new place",
         Statements({"f(a, b) = a - b"}), "f(5, 2)", Statements({"f(b, a) = a - b"}), 3, -3},
        {"a function given another parameter count fails the call",
         Statements({"g(x) = x + 1", "f(x) = g(x)*2"}), "f(1)", Statements({"g(a, b) = a + b"}), 4,
         NAN},
        {"a name added lets a failing line succeed", Statements({}), "2 + q", Statements({"q = 1"}),
         NAN, 3},
        {"a variable's new value is read through a kept parse",
         Statements({"a = 1", "f(x) = if(x, x + a, a)"}), "f(1) + f(0)", Statements({"a = 5"}), 3,
         11},
    };
    for (const auto& row : rows) {
        Calc calc;
        row.setup(calc);
        const Outcome first = calc.eval(row.text);
        row.between(calc);
        const Outcome second = calc.eval(row.text);

        Calc fresh;
        row.setup(fresh);
        row.between(fresh);
        const Outcome oracle = fresh.eval(row.text);
        EXPECT_EQ(second.kind, oracle.kind) << row.name;
        EXPECT_EQ(Bits(second.value), Bits(oracle.value)) << row.name;
        EXPECT_EQ(second.stop, oracle.stop) << row.name;

        for (const auto& [outcome, expected] :
             {std::pair{first, row.first}, {second, row.second}}) {
            if (std::isnan(expected)) {
                EXPECT_EQ(outcome.kind, kSyntaxError) << row.name;
            } else {
                EXPECT_EQ(outcome.kind, kValue) << row.name;
                EXPECT_EQ(outcome.value, expected) << row.name;
            }
        }
    }
}

// Reading a text again repeats everything the first reading did: its stop, its error, and the
// statement action that runs before the end-of-text test.
TEST(ParseReuse, RepeatedReadingsAgree) {
    const struct {
        const char* name;
        std::vector<std::string_view> setup;
        std::string text;
    } rows[] = {
        {"text left after an assignment", {}, "x = 3 )"},
        {"a dangling operator", {}, "2 +"},
        {"an unknown name inside a call", {"f(a) = a"}, "1 + f(zz)"},
        {"a call that fails part way", {"f(a) = a", "f = 4"}, "f(1, 2"},
        {"too many arguments", {"h(x, y) = x*y"}, "1 + h(1, 2, 3)"},
        {"a definition", {}, "sq(x) = x*x"},
        {"a refused definition", {}, "g(x) = x + nothing"},
        {"a byte-counted stop", {}, "\u03C0 + )"},
    };
    for (const auto& row : rows) {
        Calc calc;
        calc.run(row.setup);
        const Outcome first = calc.eval(row.text);
        const Outcome again = calc.eval(row.text);
        EXPECT_EQ(again.kind, first.kind) << row.name;
        EXPECT_EQ(again.stop, first.stop) << row.name;
        EXPECT_EQ(Bits(again.value), Bits(first.value)) << row.name;
        EXPECT_EQ(again.symbol, first.symbol) << row.name;
    }

    // A reading that is not one whole statement assigns nothing, the first time or later.
    Calc calc;
    calc.eval("x = 3 )");
    calc.run({"x = 1"});
    EXPECT_EQ(calc.eval("x = 3 )").stop, 6u);
    EXPECT_EQ(*calc.variable("x"), 1);
}

// The scope limit holds however often the parts of a recursion have been read before, and a
// parse first made deep in a recursion serves a shallow call as well.
TEST(ParseReuse, DepthLimits) {
    Calc calc;
    calc.run({"sum(n) = if(n, n + sum(n-1), 0)"});
    for (int round = 0; round < 2; ++round) {
        // Each level takes two scopes, the call and its "if" part.
        EXPECT_EQ(calc.eval("sum(2499)").value, 2499.0 * 2500 / 2) << "round " << round;
        const Outcome tooDeep = calc.eval("sum(2500)");
        EXPECT_EQ(tooDeep.kind, kSyntaxError) << "round " << round;
        EXPECT_EQ(tooDeep.stop, 0u) << "round " << round;
    }
    EXPECT_EQ(calc.eval("sum(3)").value, 6);
}

// What a body does in its scope stays there: a call returns its value and nothing else.
TEST(ParseReuse, ScopesWriteNothingBack) {
    Calc calc;
    DefineFunction(calc.state(), "sets", {"a"}, "y = a");
    DefineFunction(calc.state(), "defines", {"a"}, "g(t) = t");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(calc.eval("sets(7)").value, 7) << "an assignment gives its value";
        EXPECT_EQ(calc.variable("y"), nullptr);
        const Outcome defined = calc.eval("defines(1)");
        EXPECT_EQ(defined.kind, kSyntaxError) << "a definition gives no value";
        EXPECT_EQ(defined.stop, 0u);
        EXPECT_EQ(FindFunction(calc.state(), "g"), nullptr);
    }
}

// A copy reads with the names it was made with, whatever the original adds later, and the
// other way round.
TEST(ParseReuse, CopiesKeepTheirNames) {
    Calc calc;
    calc.run({"x = 2", "y = 3", "xy + 0"});
    auto copy = CopyCalcState(calc.state());
    SetVariable("xy", calc.state(), 10);
    SetVariable("yx", *copy, 20);
    const auto read = [](SCalcState& state, std::string_view text) {
        double value = 0;
        std::size_t stop = 0;
        EXPECT_EQ(EvaluateStatement(text, state, value, stop), kValue) << text;
        return value;
    };
    EXPECT_EQ(read(*copy, "xy + 0"), 6);
    EXPECT_EQ(read(calc.state(), "xy + 0"), 10);
    EXPECT_EQ(read(*copy, "yx + 0"), 20);
    EXPECT_EQ(read(calc.state(), "yx + 0"), 6);
    EXPECT_FALSE(calc.state().mVariableNames == copy->mVariableNames);
}

// A name forgotten: the worksheet rebuilds its state from the dictionaries without it, and the
// rebuilt state reads as if the name had never been there.
TEST(ParseReuse, ForgottenName) {
    Calc calc;
    calc.run({"x = 2", "y = 3", "xy = 10", "f(a) = a*xy"});
    EXPECT_EQ(calc.eval("f(1)").value, 10);
    plist::Dictionary variables = CopyVariablesDictionary(calc.state()).value();
    variables.erase("xy");
    Calc rebuilt;
    LoadVariablesDictionary(variables, rebuilt.state());
    LoadFunctionsDictionary(CopyFunctionsDictionary(calc.state()).value(), rebuilt.state());
    EXPECT_EQ(rebuilt.eval("f(1)").value, 6);
    EXPECT_EQ(calc.eval("f(1)").value, 10);
}

} // namespace
