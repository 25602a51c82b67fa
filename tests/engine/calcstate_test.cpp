// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/calctest.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// A parameter is marked where it stands as a name of its own, so that a bound parameter never
// collides with a variable of the same name.
TEST(CalcState, ParameterMarking) {
    const struct {
        const char* name;
        std::vector<std::string> params;
        std::string body;
        std::string marked;
    } rows[] = {
        {"only uses that stand alone or follow a number",
         {"x"},
         "2x + x2 + x_1 + ax + x/(x)",
         "2@x + x2 + x_1 + ax + @x/(@x)"},
        {"a longer parameter declared last", {"a", "ab"}, "ab + a", "@ab + @a"},
        {"a longer parameter declared first", {"ab", "a"}, "ab + a", "@ab + @a"},
        {"a parameter can split a number", {"e5"}, "1e5", "1@e5"},
        {"hexadecimal digits are not uses", {"f", "x"}, "0x1f + 0x10 + f", "0x1f + 0x10 + @f"},
        {"a repeated parameter marks twice", {"x", "x"}, "x", "@@x"},
        {"a parameter not starting with a letter is never marked", {"_a"}, "_a + 1", "_a + 1"},
        {"bytes of other characters are not name characters", {"x"}, "\u03C0x", "\u03C0@x"},
    };
    for (const auto& row : rows) {
        Calc calc;
        DefineFunction(calc.state(), "f", row.params, row.body);
        const UserFunction* function = FindFunction(calc.state(), "f");
        ASSERT_NE(function, nullptr) << row.name;
        EXPECT_EQ(function->mBody, row.marked) << row.name;
        ASSERT_EQ(function->mParams.size(), row.params.size()) << row.name;
        for (std::size_t i = 0; i < row.params.size(); ++i)
            EXPECT_EQ(function->mParams[i], "@" + row.params[i]) << row.name;
    }
    std::string text = "@x+@@y";
    StripParamMarkers(text);
    EXPECT_EQ(text, "x+y");
}

TEST(CalcState, ExactLookup) {
    Calc calc;
    SCalcState& state = calc.state();
    SetVariable("xy", state, 1);
    EXPECT_EQ(FindVariable(state, "x"), nullptr) << "a longer stored name is no hit";
    EXPECT_EQ(FindVariable(state, "xyz"), nullptr) << "a stored prefix is no hit";
    for (const auto& [name, value] : {std::pair{"x", 2.0}, {"X", 3.0}, {"xy", 4.0}, {"", 5.0}})
        SetVariable(name, state, value);
    std::map<std::string, double> listed;
    ForEachVariable(state, [&](const std::string& name, const Quantity& value) {
        listed[name] = value.number;
    });
    EXPECT_EQ(listed, (std::map<std::string, double>{{"X", 3}, {"x", 2}, {"xy", 4}}))
        << "case counts, a store overwrites, the empty name is not listed";
}

TEST(CalcState, CopiesAreIndependent) {
    Calc calc;
    calc.run({"x = 1", "f(a) = a + x"});
    auto copy = CopyCalcState(calc.state());
    EXPECT_EQ(copy->mBuiltins, calc.state().mBuiltins);
    EXPECT_EQ(copy->mResultSymbol, "") << "a copy starts without a result symbol";
    SetVariable("x", *copy, 2);
    SetVariable("y", *copy, 3);
    DefineFunction(*copy, "f", {"a"}, "a");
    copy.reset();
    EXPECT_EQ(*calc.variable("x"), 1);
    EXPECT_EQ(calc.variable("y"), nullptr);
    EXPECT_EQ(calc.eval("f(1)").value, 2);
    EXPECT_EQ(calc.eval("sin(0) + pi").value, kPi) << "the shared tables survive a copy";
}

} // namespace
