// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/calctest.h"

#include "engine/builtintables.h"
#include "engine/lexicon.h"
#include "engine/plotstatement.h"

#include <cmath>
#include <string>

namespace {

void ExpectOutcome(const Outcome& got, const Outcome& want, const char* what) {
    EXPECT_EQ(got.kind, want.kind) << what;
    EXPECT_EQ(Bits(got.value), Bits(want.value)) << what;
    EXPECT_EQ(got.stop, want.stop) << what;
    EXPECT_EQ(got.symbol, want.symbol) << what;
}

TEST(Statements, Results) {
    Calc calc;
    ExpectOutcome(calc.eval("x = 5"), {kValue, 5, 5, "x"}, "an assignment");
    ExpectOutcome(calc.eval("2 + 4  "), {kValue, 6, 7, ""}, "an expression with trailing blanks");
    EXPECT_EQ(*calc.variable("x"), 5);
    EXPECT_EQ(*calc.variable("last"), 6);
    ExpectOutcome(calc.eval("f(x) = x*2"), {kFunctionDefined, kUnwritten, 10, "f"}, "a definition");
    EXPECT_EQ(*calc.variable("last"), 6) << "a definition leaves last alone";

    // A statement followed by more text is not one whole statement, and changes nothing: the
    // tool would otherwise hold a value its worksheet never recorded.
    ExpectOutcome(calc.eval("y = 3 )"), {kSyntaxError, kUnwritten, 6, std::string(kNoSymbol)},
                  "text after an assignment");
    EXPECT_FALSE(calc.variable("y"));
    EXPECT_EQ(*calc.variable("last"), 6);
    EXPECT_EQ(calc.eval("g(a) = a )").kind, kSyntaxError) << "text after a definition";
    EXPECT_EQ(calc.eval("g(1)").kind, kSyntaxError) << "the definition was not stored";

    // A statement abandoned during evaluation changes no variable.
    calc.run({"h(a, b) = a*b"});
    ExpectOutcome(calc.eval("x = h(2)"), {kSyntaxError, kUnwritten, 0, std::string(kNoSymbol)},
                  "a failed call");
    EXPECT_EQ(*calc.variable("x"), 5);
    EXPECT_EQ(*calc.variable("last"), 6);
}

TEST(Statements, Assignment) {
    const std::string longest(kMaxNameLength, 'a');
    ExpectValues({
        {"blanks around \"=\" are optional", {"x=5"}, "x", 5},
        {"the right side sees the old value", {"x = 1", "x = x + 1"}, "x", 2},
        {"the right side may start with a minus", {"x = -2^2"}, "x", -4},
        {"an assignment also sets last", {"2", "x = 9"}, "last", 9},
        {"a name at the length limit", {}, longest + " = 1", 1},
    });
    ExpectFailures({
        {"a name over the length limit", {}, longest + "a = 1", 0},
        {"a function name over the length limit", {}, longest + "a(x) = x", 0},
    });
}

TEST(Statements, UserFunctions) {
    ExpectValues({
        {"a call binds its argument, not the variable", {"x = 7", "f(x) = x^2"}, "f(3) + x", 16},
        {"arguments bind in order", {"d(a, b) = a - b"}, "d(5, 2)", 3},
        {"a parameter is marked also after a number", {"f(x, y) = x*y + 2x"}, "f(3, 4)", 18},
        {"arguments are whole expressions", {"sq(x) = x*x"}, "sq(1+2) + sq(-2)", 13},
        {"the body sees variables at call time", {"a = 1", "g(x) = x + a", "a = 5"}, "g(1)", 6},
        {"the body sees last at call time", {"10", "w(x) = x + last", "20"}, "w(1)", 21},
        {"a call's own last stays in its scope", {"z(x) = 2*x", "5"}, "z(1) + last", 7},
        {"parameters do not leak into callees",
         {"x = 1", "g(y) = y + x", "f(x) = g(x) + x"},
         "f(5)",
         11},
        {"recursion ends through if", {"fact(n) = if(n, n*fact(n-1), 1)"}, "fact(5)", 120},
        {"zero and below end recursion",
         {"fact(n) = if(n, n*fact(n-1), 1)"},
         "fact(0) + fact(-1)",
         2},
        {"moderately deep recursion", {"sum(n) = if(n, n + sum(n-1), 0)"}, "sum(500)", 125250},
        {"recursion binds every argument afresh",
         {"k(a, b) = if(a, k(a-1, b+a), b)"},
         "k(100, 0) - k(3, 1)",
         5050 - 7},
        {"a call's arguments may call the function", {"h(x) = x*2 + 1"}, "h(h(h(2))) + h(0)", 24},
        {"a definition may have a blank before \"(\"", {"f (x) = x^2"}, "f(4)", 16},
        {"a definition replaces body and parameters",
         {"f(x) = x", "f(a, b) = a + b"},
         "f(2, 3)",
         5},
        {"a function of no parameters", {"f() = 123"}, "f()", 123},
        {"a call of no arguments multiplies by juxtaposition", {"f() = 123"}, "2f()", 246},
        {"a body of no parameters sees variables at call time",
         {"a = 1", "g() = a + 1", "a = 5"},
         "g()",
         6},
    });
    ExpectFailures({
        {"a body with an unknown name is refused", {}, "g(x) = x + b", 0},
        {"a body with a trailing blank is refused", {}, "q(x) = x^2 ", 0},
        {"a parameter named twice is refused", {}, "d(x, x) = x", 0},
        {"too few arguments", {"h(x, y) = x*y"}, "h(2)", 0},
        {"too many arguments", {"h(x, y) = x*y"}, "h(1, 2, 3)", 0},
        {"too many arguments inside an expression", {"h(x, y) = x*y"}, "1 + h(1, 2, 3)", 0},
        {"too few arguments with values waiting", {"h(x, y) = x*y"}, "2 * h(3)", 0},
        {"no arguments for a function of one", {"h(x) = x"}, "h()", 0},
        {"an argument for a function of none", {"f() = 1"}, "f(2)", 0},
    });
    Calc calc;
    calc.eval("g(x) = x + b");
    EXPECT_EQ(FindFunction(calc.state(), "g"), nullptr) << "a refused definition stores nothing";
    calc.run({"b = 1", "g(x) = x + b", "g(x) = x + 2"});
    EXPECT_EQ(calc.state().mFunctionNames.size(), 1u) << "a redefined function is listed once";
}

TEST(Statements, If) {
    ExpectValues({
        {"a positive condition takes the second part", {}, "if(0.5, 1, 2)", 1},
        {"zero takes the third part", {}, "if(0, 1, 2)", 2},
        {"a negative condition takes the third part", {}, "if(-1, 1, 2)", 2},
        {"NaN takes the third part", {}, "if(0/0, 1, 2)", 2},
        {"the other part is not evaluated",
         {"loop(x) = loop(x)"},
         "if(1, 2, loop(0)) + if(0, loop(0), 3)",
         5},
        {"if nests in the condition and the parts", {}, "if(if(1, 0, 1), 10, if(1, 20, 30))", 20},
        {"blanks inside the parentheses", {}, "if( 1 , 2 , 3 )", 2},
        {"the parts see the variables", {"x = 3"}, "if(x, x*2, 0)", 6},
        {"values before an if are kept", {}, "1 + 2 * if(1, 3, 4)", 7},
        {"ifs in call arguments keep their parts",
         {},
         "max(if(1, 2, 3), if(0, 4, 5)) + if(1, 1, 2)",
         6},
        {"a part may start with a minus", {}, "if(0, 1, -2)", -2},
    });
}

TEST(Statements, CheckExpression) {
    const struct {
        const char* name;
        std::vector<std::string_view> setup;
        std::string_view text;
        bool whole;
        std::size_t stop;
    } rows[] = {
        {"division by zero is not evaluated", {}, "1/0", true, 3},
        {"a root of a negative is not evaluated", {}, "sqrt(-1)", true, 8},
        {"endless recursion is not evaluated", {"loop(x) = loop(x)"}, "loop(1)", true, 7},
        {"a known variable", {"x = 1"}, "x + 1", true, 5},
        {"an unknown variable", {}, "x + 1", false, 0},
        {"leading blanks are skipped", {}, "  1 + 2", true, 7},
        {"a trailing blank is not part of the expression", {}, "1 + 2 ", false, 5},
        {"an assignment is not an expression", {"x = 1"}, "x = 1", false, 1},
        {"the empty text", {}, "", false, 0},
    };
    for (const auto& row : rows) {
        Calc calc;
        calc.run(row.setup);
        std::size_t stop = 9999;
        EXPECT_EQ(CheckExpression(row.text, calc.state(), stop), row.whole) << row.name;
        EXPECT_EQ(stop, row.stop) << row.name;
        EXPECT_TRUE(calc.state().mValueStack.empty()) << row.name;
    }
}

TEST(Statements, SetVariable) {
    Calc calc;
    SCalcState& state = calc.state();
    SetVariable("a b", state, 2);
    EXPECT_EQ(*calc.variable("a b"), 2) << "a name the grammar cannot produce is stored";

    // A variable hides a constant of the same name, and stands before a call's parenthesis.
    SetVariable("pi", state, 3);
    SetVariable("sin", state, 2);
    EXPECT_EQ(calc.eval("2pi + \u03C0").value, 6 + kPi);
    EXPECT_EQ(calc.eval("sin (5)").value, 10);
    EXPECT_EQ(calc.eval("sin(5)").value, std::sin(5.0));

    const auto names = state.mVariableNames;
    const auto stack = state.mValueStack;
    SetVariable(std::string(kMaxNameLength + 1, 'n'), state, 1);
    SetVariable(std::string_view("n\0m", 3), state, 1);
    EXPECT_EQ(state.mVariableNames, names) << "names over the limit or with NUL are ignored";
    EXPECT_EQ(state.mValueStack, stack);
    SetVariable(std::string(kMaxNameLength, 'n'), state, 1);
    EXPECT_NE(calc.variable(std::string(kMaxNameLength, 'n')), nullptr);
}

// Every built-in is a name as the lexicon reads names, a word or one sign, so that what
// reads a line without calculating it finds the built-ins where the grammar does.
TEST(Lexicon, BuiltinsAreWordsOrSigns) {
    for (const BuiltinName& builtin : BuiltinNames()) {
        const std::string& name = builtin.name;
        const auto lead = static_cast<unsigned char>(name.front());
        if (lexicon::IsNameStart(lead)) {
            for (char c : name)
                EXPECT_TRUE(lexicon::IsNameContinue(static_cast<unsigned char>(c))) << name;
            continue;
        }
        // One code point of at most three UTF-8 bytes.
        char32_t sign = lead;
        if (lead >= 0xE0 && name.size() == 3)
            sign = (lead & 0x0F) << 12 | (name[1] & 0x3F) << 6 | (name[2] & 0x3F);
        else if (lead >= 0xC0 && name.size() == 2)
            sign = (lead & 0x1F) << 6 | (name[1] & 0x3F);
        else
            EXPECT_EQ(name.size(), 1u) << name;
        EXPECT_TRUE(lexicon::IsSignName(sign)) << name;
    }
}

// A plot line is read apart from other statements: its curves as bodies of a function of x,
// its ends with the state's names; errors give their reason and where reading stopped.
TEST(Statements, PlotLines) {
    const struct {
        const char* name;
        std::vector<std::string_view> setup;
        std::string_view text;
        bool isPlot;
        bool read;
        Reason reason;
        std::size_t stop;
        std::size_t curves;
    } rows[] = {
        {"one curve", {}, "plot(sin(x), 0, 2pi)", true, true, Reason::kNone, 0, 1},
        {"every argument before the last two is a curve",
         {},
         "plot(x, x^2, 1/x, -1, 1)",
         true,
         true,
         Reason::kNone,
         0,
         3},
        {"a curve calls the worksheet's function",
         {"f(t) = t^2"},
         "plot(f(x), -5, 5)",
         true,
         true,
         Reason::kNone,
         0,
         1},
        {"the ends read the worksheet's names",
         {"a = 3"},
         "plot(x, -a, a)",
         true,
         true,
         Reason::kNone,
         0,
         1},
        {"an unknown name in a curve",
         {},
         "plot(y + x, 0, 1)",
         true,
         false,
         Reason::kUnknownName,
         5,
         0},
        {"x is not a worksheet name in the range",
         {},
         "plot(x, 0, x)",
         true,
         false,
         Reason::kUnknownName,
         11,
         0},
        {"equal ends", {}, "plot(x, 1, 1)", true, false, Reason::kPlotRange, 8, 0},
        {"reversed ends", {}, "plot(x, 2, 1)", true, false, Reason::kPlotRange, 8, 0},
        {"an endless end", {}, "plot(x, 0, 1/0)", true, false, Reason::kPlotRange, 8, 0},
        {"an end with a unit",
         {},
         "plot(x, 0, 1 m)",
         true,
         false,
         Reason::kNeedsPlainNumber,
         11,
         0},
        {"no range", {}, "plot(x, 0)", true, false, Reason::kPlotArguments, 9, 0},
        {"an empty argument", {}, "plot(x, , 1)", true, false, Reason::kEndsTooSoon, 8, 0},
        {"no closing parenthesis",
         {},
         "plot(x, 0, 1",
         true,
         false,
         Reason::kMissingParenthesis,
         12,
         0},
        {"more after the plot", {}, "plot(x, 0, 1) + 1", true, false, Reason::kPlotNotAlone, 14, 0},
        {"the worksheet's own plot function",
         {"plot(t) = t"},
         "plot(x, 0, 1)",
         false,
         false,
         Reason::kNone,
         0,
         0},
        {"the worksheet's own plot variable",
         {"plot = 3"},
         "plot(2)",
         false,
         false,
         Reason::kNone,
         0,
         0},
        {"a definition of plot", {}, "plot(t) = 2t", false, false, Reason::kNone, 0, 0},
        {"a longer name", {}, "plotter(x, 0, 1)", false, false, Reason::kNone, 0, 0},
    };
    for (const auto& row : rows) {
        Calc calc;
        calc.run(row.setup);
        EXPECT_EQ(IsPlotStatement(row.text, calc.state()), row.isPlot) << row.name;
        if (!row.isPlot)
            continue;
        PlotStatement plot;
        Failure failure;
        std::size_t stop = 9999;
        EXPECT_EQ(ReadPlotStatement(row.text, calc.state(), plot, failure, stop), row.read)
            << row.name;
        EXPECT_EQ(failure.mReason, row.reason) << row.name;
        if (row.read)
            EXPECT_EQ(plot.curves.size(), row.curves) << row.name;
        else
            EXPECT_EQ(stop, row.stop) << row.name;
    }
}

// A plot within a longer line fails with its own reason where the worksheet has no "plot".
TEST(Statements, PlotInsideAnExpression) {
    Calc calc;
    Quantity value;
    std::size_t stop = 0;
    Failure failure;
    EXPECT_EQ(EvaluateStatement("1 + plot(x, 0, 1)", calc.state(), value, stop, nullptr, &failure),
              kSyntaxError);
    EXPECT_EQ(failure.mReason, Reason::kPlotNotAlone);
}

// A curve sees x as its own, whatever the worksheet's x holds, and leaves it and "last" alone.
TEST(Statements, CurvesOfX) {
    Calc calc;
    calc.run({"x = 100", "k = 2", "f(t) = t * k"});
    CurveOfX curve(calc.state(), "f(x) + 1");
    EXPECT_EQ(curve(3), 7);
    EXPECT_TRUE(std::isnan(CurveOfX(calc.state(), "sqrt(x)")(-1)));
    CurveOfX failing(calc.state(), "f(x, 1)");
    EXPECT_TRUE(std::isnan(failing(1)));
    ASSERT_NE(failing.firstFailure(), nullptr);
    EXPECT_EQ(failing.firstFailure()->mReason, Reason::kArgumentCount);
    EXPECT_EQ(calc.eval("x").value, 100);
    EXPECT_EQ(calc.eval("last").value, 100) << "the last line calculated was x";
    EXPECT_EQ(CurveOfX(calc.state(), "x km").unit().empty(), true) << "no value seen yet";
}

} // namespace
