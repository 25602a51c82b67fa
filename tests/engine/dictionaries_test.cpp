// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/calctest.h"

#include "engine/dictionaries.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

using plist::Array;
using plist::Dictionary;
using plist::Value;

Dictionary Variables(const Calc& calc) { return CopyVariablesDictionary(calc.state()).value(); }
Dictionary Functions(const Calc& calc) { return CopyFunctionsDictionary(calc.state()).value(); }

TEST(Dictionaries, Contents) {
    Calc calc;
    EXPECT_EQ(Variables(calc), Dictionary{}) << "a fresh state gives empty dictionaries";
    EXPECT_EQ(Functions(calc), Dictionary{});

    // Neither a definition nor a call leaves its parameters behind.
    calc.run({"f(x, y) = x*y + 2x", "f(1, 2)", "x = 5", "2 + 3"});
    EXPECT_EQ(Variables(calc), (Dictionary{{"last", Value(5.0)}, {"x", Value(5.0)}}));
    for (const auto& [name, value] : Variables(calc))
        EXPECT_TRUE(value.isReal()) << name;
    // Bodies and parameters go out as typed, without parameter markers.
    EXPECT_EQ(Functions(calc), (Dictionary{{"f", Value(Array{"x*y + 2x", "x", "y"})}}));
}

TEST(Dictionaries, RoundTrip) {
    Calc typed;
    typed.run({"x = 5", "2 + 3", "f(x, y) = x*y + 2x", "fact(n) = if(n, n*fact(n-1), 1)"});
    SetVariable("gr\u00F6\u00DFe", typed.state(), -0.0);
    SetVariable("not a number", typed.state(), std::numeric_limits<double>::quiet_NaN());
    DefineFunction(typed.state(), "\u0192", {"x"}, "x + 1");

    Calc loaded;
    LoadVariablesDictionary(Variables(typed), loaded.state());
    LoadFunctionsDictionary(Functions(typed), loaded.state());
    EXPECT_TRUE(Variables(typed).contains("not a number")) << "any stored name is written";
    EXPECT_EQ(Variables(loaded), Variables(typed));
    EXPECT_EQ(Functions(loaded), Functions(typed));

    // A loaded function is stored exactly as the typed definition was.
    const UserFunction* before = FindFunction(typed.state(), "f");
    const UserFunction* after = FindFunction(loaded.state(), "f");
    ASSERT_TRUE(before && after);
    EXPECT_EQ(after->mBody, "@x*@y + 2@x");
    EXPECT_EQ(after->mBody, before->mBody);
    EXPECT_EQ(after->mParams, before->mParams);
    EXPECT_EQ(loaded.eval("f(3, 4) + fact(5)").value, 18 + 120);
}

// A state without one name holds everything else, and its functions still call.
TEST(Dictionaries, ForgettingOneName) {
    Calc calc;
    calc.run({"x = 5", "f(x) = x + 1", "g(x, y) = f(x) * y"});
    const Dictionary variables = Variables(calc);
    const Dictionary functions = Functions(calc);
    struct Row {
        const char* shows;
        SymbolKind kind;
        std::string name;
        std::vector<std::string> variablesLeft;
        std::vector<std::string> functionsLeft;
    };
    const Row rows[] = {
        {"a variable goes, functions stay", SymbolKind::kVariable, "x", {"last"}, {"f", "g"}},
        {"a function goes, variables stay", SymbolKind::kFunction, "f", {"last", "x"}, {"g"}},
        {"a variable's name leaves a function of that name",
         SymbolKind::kVariable,
         "f",
         {"last", "x"},
         {"f", "g"}},
        {"the empty name forgets nothing", SymbolKind::kFunction, "", {"last", "x"}, {"f", "g"}},
    };
    for (const Row& row : rows) {
        Calc rebuilt(CalcStateWithout(calc.state(), row.kind, row.name));
        Dictionary expectedVariables;
        for (const std::string& name : row.variablesLeft)
            expectedVariables.emplace(name, variables.at(name));
        Dictionary expectedFunctions;
        for (const std::string& name : row.functionsLeft)
            expectedFunctions.emplace(name, functions.at(name));
        EXPECT_EQ(Variables(rebuilt), expectedVariables) << row.shows;
        EXPECT_EQ(Functions(rebuilt), expectedFunctions) << row.shows;
    }
    Calc withoutX(CalcStateWithout(calc.state(), SymbolKind::kVariable, "x"));
    EXPECT_EQ(withoutX.eval("g(2, 3)").value, 9) << "parameters are marked again";
    EXPECT_EQ(Variables(calc), variables) << "the original keeps every name";
}

TEST(Dictionaries, LoadingMerges) {
    Calc calc;
    calc.run({"x = 5", "y = 1", "f(a) = a", "g(a) = 2a"});
    LoadVariablesDictionary(
        {{"x", Value(7.0)}, {"n", Value(42)}, {"big", Value((std::int64_t{1} << 60) | 1)}},
        calc.state());
    LoadFunctionsDictionary({{"f", Value(Array{"a + 1", "a"})}}, calc.state());
    EXPECT_EQ(*calc.variable("x"), 7);
    EXPECT_EQ(*calc.variable("y"), 1) << "a variable the dictionary does not name is kept";
    EXPECT_EQ(*calc.variable("n"), 42.0) << "an integer loads as a double";
    EXPECT_EQ(*calc.variable("big"), static_cast<double>((std::int64_t{1} << 60) | 1));
    EXPECT_EQ(calc.eval("f(1) + g(1)").value, 2 + 2);
}

TEST(Dictionaries, LoadedEntriesAreTakenAsTheyAre) {
    Calc calc;
    LoadVariablesDictionary({{"pi", Value(3.0)}}, calc.state());
    LoadFunctionsDictionary({{"k", Value(Array{"42"})},
                             {"at", Value(Array{"a@b + x", "x"})},
                             {"u", Value(Array{"x + missing", "x"})},
                             {"sin", Value(Array{"a*b", "a", "b"})}},
                            calc.state());
    EXPECT_EQ(calc.eval("2pi").value, 6) << "a loaded variable hides the constant";

    const UserFunction* bodyOnly = FindFunction(calc.state(), "k");
    ASSERT_NE(bodyOnly, nullptr);
    EXPECT_TRUE(bodyOnly->mParams.empty());
    EXPECT_EQ(Functions(calc).at("at"), Value(Array{"ab + x", "x"})) << "a typed \"@\" is lost";

    // Bodies are not checked when loaded; a call fails while a name is missing.
    const Outcome missing = calc.eval("u(1)");
    EXPECT_EQ(missing.kind, kSyntaxError);
    EXPECT_EQ(missing.stop, 0u);
    EXPECT_EQ(missing.failure.mReason, Reason::kUnknownName) << "the body's own reason";
    EXPECT_EQ(missing.failure.mName, "missing");
    calc.run({"missing = 2"});
    EXPECT_EQ(calc.eval("u(1)").value, 3);

    // A two-parameter "sin" is called only where the built-in call cannot match.
    EXPECT_EQ(calc.eval("1 + sin(2, 3)").value, 7);
    EXPECT_EQ(calc.eval("sin(4)").value, std::sin(4.0));
}

TEST(Dictionaries, MalformedEntriesAreSkipped) {
    const std::string tooLong(kMaxNameLength + 1, 'v');
    const std::string withNul("n\0m", 3);
    Calc calc;
    LoadVariablesDictionary({{"text", Value("1")},
                             {"flag", Value(true)},
                             {"list", Value(Array{1.0})},
                             {tooLong, Value(1.0)},
                             {withNul, Value(1.0)},
                             {"ok", Value(2.0)}},
                            calc.state());
    LoadFunctionsDictionary({{"number", Value(1.0)},
                             {"empty", Value(Array{})},
                             {"numericBody", Value(Array{1.0, "x"})},
                             {"numericParam", Value(Array{"x", 1.0})},
                             {tooLong, Value(Array{"x", "x"})},
                             {withNul, Value(Array{"x", "x"})},
                             {"ok", Value(Array{"x + 1", "x"})}},
                            calc.state());
    EXPECT_EQ(Variables(calc), (Dictionary{{"ok", Value(2.0)}}));
    EXPECT_EQ(Functions(calc), (Dictionary{{"ok", Value(Array{"x + 1", "x"})}}));
}

} // namespace
