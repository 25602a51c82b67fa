// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/calctest.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Expressions, Precedence) {
    ExpectValues({
        {"\"^\" binds tighter than a leading minus", {}, "-2^2", -std::pow(2.0, 2.0)},
        {"\"^\" groups to the right", {}, "2^3^2", std::pow(2.0, std::pow(3.0, 2.0))},
        {"\"-\" groups to the left", {}, "7-2-1", (7.0 - 2.0) - 1.0},
        {"\"/\" groups to the left", {}, "8/2/2", (8.0 / 2.0) / 2.0},
        {"juxtaposition ranks with \"/\"", {}, "8/2 2", (8.0 / 2.0) * 2.0},
        {"\"^\" binds tighter than juxtaposition", {}, "2pi^2", 2 * std::pow(kPi, 2.0)},
        {"blanks may separate juxtaposed factors", {}, "2 pi", 2 * kPi},
        {"a number before a group multiplies", {}, "2(3)", 6},
        {"two groups multiply", {}, "(2)(3)", 6},
        {"a second point starts a new number", {}, "1.5.5", 1.5 * 0.5},
        {"percent is a hundredth, by juxtaposition", {}, "50%", 50 * 0.01},
        {"a leading minus takes only the first term", {}, "-2+3", -2.0 + 3.0},
        {"a group may start with a minus", {}, "2*(-3)", 2.0 * -3.0},
        {"every C-locale blank is skipped", {}, "\t\v\f\r 1\n+ 2", 3},
        {"a leading minus on zero gives negative zero", {}, "-0", -0.0},
        {"a minus after \"*\"", {}, "2*-3", 2 * -(3.0)},
        {"a minus after \"/\"", {}, "2/-4", 2 / -(4.0)},
        {"a minus after \"^\"", {}, "2^-1", std::pow(2.0, -(1.0))},
        {"a minus after \"-\"", {}, "2--3", 2 - -(3.0)},
        {"a minus after \"+\", with blanks", {}, "2 + - 3", 2 + -(3.0)},
        {"a minus before a name", {"x = 3", "y = 4"}, "x*-y", 3 * -(4.0)},
        {"a minus after \"*\" takes the power", {}, "2*-3^2", 2 * -std::pow(3.0, 2.0)},
        {"a minus after \"^\" takes the power", {}, "2^-2^2", std::pow(2.0, -std::pow(2.0, 2.0))},
        {"a minus after \"-\" takes the term", {}, "1--2*3", 1 - -(2.0 * 3.0)},
        {"a minus after an operator in a call", {}, "max(2*-3, -4)", -4},
        {"a blank and a minus still subtract", {}, "2 -3", 2.0 - 3.0},
        {"a leading plus", {}, "+1", 1},
        {"a plus after \"-\"", {}, "3-+2", 3 - +2.0},
        {"a plus inside a negated group", {}, "-(+1)", -(+1.0)},
        {"two minus signs cancel", {}, "--1", - -1.0},
        {"three minus signs negate", {}, "---1", - - -1.0},
        {"two minus signs after a subtraction", {}, "1 -- -1", 1 - - -1.0},
        {"signs inside a call", {}, "sin(--pi)", std::sin(- -kPi)},
        {"signs after \"*\", each taking the power", {}, "2*-+-3^2", 2 * - + -std::pow(3.0, 2.0)},
        {"division by zero gives an infinity", {}, "1/0", kInf},
    });
}

TEST(Expressions, Literals) {
    ExpectValues({
        {"decimal fraction is correctly rounded", {}, "0.3", 0.3},
        {"large exponent is correctly rounded", {}, "1e23", 1e23},
        {"smallest subnormal", {}, "4.9e-324", std::numeric_limits<double>::denorm_min()},
        {"overflow gives infinity", {}, "1e400", kInf},
        {"underflow gives zero", {}, "1e-400", 0.0},
        {"many digits, correctly rounded",
         {},
         "12345678901234567890123",
         12345678901234567890123.0},
        {"trailing point", {}, "5.", 5.0},
        {"leading point", {}, ".5", 0.5},
        {"upper-case exponent with sign", {}, "2.5E+3", 2.5e3},
        {"hexadecimal literal, either case of digits", {}, "0x1f + 0xA0", 0x1f + 0xa0},
        {"the largest hexadecimal literal rounds up", {}, "0xffffffffffffffff", 0x1p64},
    });
}

// A literal is one number however long, with the value the C library reads from it.
TEST(Expressions, LongLiterals) {
    auto digits = [](std::size_t count, std::string_view pattern) {
        std::string text;
        while (text.size() < count)
            text += pattern;
        text.resize(count);
        return text;
    };
    const std::string literals[] = {
        "0." + digits(400, "1234567890"),
        digits(309, "9"),
        digits(310, "9"),
        digits(400, "1") + "e-100",
        "0." + digits(330, "0") + "123e300",
        // Exactly between two doubles up to the 400th digit, a shade above after it.
        "9007199254740993." + digits(400, "0") + "1",
        "1e" + digits(400, "9"),
        "." + digits(500, "3"),
    };
    for (const std::string& literal : literals) {
        const double oracle = std::strtod(literal.c_str(), nullptr);
        SCOPED_TRACE(literal.substr(0, 40));
        ExpectValues({{"a long literal", {}, literal, oracle}});
        ExpectValues(
            {{"a long literal in an expression", {}, "2*" + literal + " + 1", 2 * oracle + 1}});
    }
}

TEST(Expressions, BuiltinSymbols) {
    ExpectValues({
        {"sin", {}, "sin(2)", std::sin(2.0)},
        {"cos", {}, "cos(2)", std::cos(2.0)},
        {"tan", {}, "tan(2)", std::tan(2.0)},
        {"atan", {}, "atan(2)", std::atan(2.0)},
        {"asin", {}, "asin(0.5)", std::asin(0.5)},
        {"acos", {}, "acos(0.5)", std::acos(0.5)},
        {"ceil", {}, "ceil(2.1)", 3},
        {"floor", {}, "floor(-2.1)", -3},
        {"round goes away from zero on halves", {}, "round(2.5) + round(-2.5)", 3.0 + -3.0},
        {"fabs", {}, "fabs(-3)", 3},
        {"abs is fabs", {}, "abs(-1.5)", 1.5},
        {"log is natural", {}, "log(10)", std::log(10.0)},
        {"log10", {}, "log10(2)", std::log10(2.0)},
        {"log2", {}, "log2(10)", std::log2(10.0)},
        {"exp", {}, "exp(1)", std::exp(1.0)},
        {"sqrt", {}, "sqrt(2)", std::sqrt(2.0)},
        {"root sign is sqrt", {}, "\u221A(2)", std::sqrt(2.0)},
        {"argument is an expression", {}, "sqrt(3 + 1)", 2},
        {"a call after blanks", {}, "1 +\t sqrt(4)", 3},
        {"atan2 takes y first", {}, "atan2(1, 2)", std::atan2(1.0, 2.0)},
        {"max", {}, "max(1, 2)", 2},
        {"min", {}, "min(1, 2)", 1},
        {"max ignores NaN like fmax", {}, "max(0/0, 1)", 1},
        {"hypot", {}, "hypot(3, 4)", std::hypot(3.0, 4.0)},
        {"rad of 180 is pi", {}, "rad(180)", kPi},
        {"deg undoes rad exactly", {}, "deg(rad(180))", 180},
        {"deg of 1", {}, "deg(1)", 57.29577951308232},
        {"pi", {}, "pi", kPi},
        {"pi sign is pi", {}, "\u03C0", kPi},
        {"e", {}, "e", 2.718281828459045},
        {"percent sign", {}, "%", 0.01},
    });
}

TEST(Expressions, NotANumberIsAValue) {
    Calc calc;
    EXPECT_TRUE(std::isnan(calc.eval("sqrt(-1)").value));
    const double nan = calc.eval("0/0").value;
    const double negated = calc.eval("-(0/0)").value;
    ASSERT_TRUE(std::isnan(nan) && std::isnan(negated));
    EXPECT_NE(std::signbit(nan), std::signbit(negated)) << "a leading minus flips the sign bit";
}

TEST(Expressions, NameLookup) {
    ExpectValues({
        {"the longest known name wins", {"x = 2", "xy = 3"}, "xy", 3},
        {"an unknown name splits into known ones", {"x = 2", "y = 5"}, "xy", 2.0 * 5.0},
        {"variables come before constants", {"p = 2", "i = 3"}, "pi", 2.0 * 3.0},
        {"names are case-sensitive", {"x = 2", "X = 3"}, "x/X", 2.0 / 3.0},
        {"built-in names may be extended",
         {"sinx = 2", "pie = 3", "e2 = 4", "iff = 5"},
         "sinx+pie+e2+iff",
         14},
        {"a variable and a function may share a name", {"f = 2", "f(x) = x + 1"}, "f(3) + f", 6},
        {"a blank after a function name makes a product", {"f = 2", "f(x) = x + 1"}, "f (3)", 6},
    });
}

TEST(Expressions, StopPositions) {
    ExpectFailures({
        {"empty text", {}, "", 0},
        {"only blanks", {}, "   ", 3},
        {"signs with nothing after them are left over", {}, "2*--", 1},
        {"a dangling operator is left over", {}, "2 +", 2},
        {"text after a whole expression", {}, "2 + 3 )", 6},
        {"offsets count bytes", {}, "\u03C0 + )", 3},
        {"each root sign counts three bytes", {}, "\u221A(\u221A(4)) )", 12},
        {"a function name needs its parenthesis", {}, "sin 2", 0},
        {"no blank between a function name and its parenthesis", {}, "sin (2)", 0},
        {"no blank between if and its parenthesis", {}, "if (1,2,3)", 0},
        {"no blank between a user function and its parenthesis", {"f(x) = x"}, "f (2)", 0},
        {"the hexadecimal prefix is lower case", {}, "0X1F", 1},
        {"a hexadecimal literal beyond 64 bits", {}, "0x10000000000000000", 1},
        {"an exponent needs digits", {}, "2e", 0},
        {"a point alone is no number", {}, ".", 0},
        {"max takes two arguments", {}, "max(1)", 0},
        {"atan2 takes no more than two", {}, "atan2(1,2,3)", 0},
        {"an unknown name", {}, "y + 1", 0},
        {"an unclosed group", {}, "(1+2", 0},
        {"a constant cannot be assigned", {}, "pi = 3", 3},
        {"e cannot be assigned", {}, "e = 1", 2},
        {"if cannot be assigned", {}, "if = 1", 0},
        {"a parameter cannot be named like a constant", {}, "f(e) = e", 0},
        {"a built-in function cannot be assigned", {}, "sin = 1", 0},
        {"an assigned expression with unknown names", {}, "x = y", 0},
        {"a definition of no parameters with an unknown name", {}, "f() = y", 0},
        {"an if part with an unknown name", {}, "if(1, 2, zz)", 0},
    });
}

// Every refused line says why, decided where the parse or the evaluation failed.
TEST(Expressions, Reasons) {
    ExpectReasons({
        {"an unknown name", {}, "junk + 1", 0, Reason::kUnknownName, "junk", 0},
        {"an unknown name after known ones",
         {"x = 2", "y = 3"},
         "xyz",
         2,
         Reason::kUnknownName,
         "z",
         0},
        {"an unknown name in an argument",
         {},
         "sqrt(2 + junk)",
         0,
         Reason::kUnknownName,
         "junk",
         0},
        {"an unknown name in an if part", {}, "if(1, 2, zz)", 0, Reason::kUnknownName, "zz", 0},
        {"an unknown name in a body", {}, "g(x) = x + b", 0, Reason::kUnknownName, "b", 0},
        {"an unclosed call", {}, "sqrt(2", 0, Reason::kMissingParenthesis, "", 0},
        {"an unclosed group", {}, "(1+2", 0, Reason::kMissingParenthesis, "", 0},
        {"an unexpected character", {}, "2 + 3 )", 6, Reason::kUnexpectedCharacter, ")", 0},
        {"an unexpected character of two bytes",
         {},
         "2 × 3",
         2,
         Reason::kUnexpectedCharacter,
         "×",
         0},
        {"a line that ends after an operator", {}, "2 +", 2, Reason::kEndsTooSoon, "", 0},
        {"only blanks", {}, "   ", 3, Reason::kEndsTooSoon, "", 0},
        {"a built-in without its parenthesis", {}, "sin 2", 0, Reason::kNeedsParenthesis, "sin", 0},
        {"if without its parenthesis", {}, "if (1,2,3)", 0, Reason::kNeedsParenthesis, "if", 0},
        {"too few arguments of a built-in", {}, "max(1)", 0, Reason::kArgumentCount, "max", 2},
        {"too many arguments of a built-in",
         {},
         "atan2(1,2,3)",
         0,
         Reason::kArgumentCount,
         "atan2",
         2},
        {"too many arguments of a one-argument built-in",
         {},
         "1 + sqrt(4, 9)",
         2,
         Reason::kArgumentCount,
         "sqrt",
         1},
        {"too few parts of if", {}, "if(1, 2)", 0, Reason::kArgumentCount, "if", 3},
        {"the wrong count for a user function",
         {"f(x) = x"},
         "f(1, 2)",
         0,
         Reason::kArgumentCount,
         "f",
         1},
        {"a bad argument is no count problem",
         {},
         "max((1, 2)",
         0,
         Reason::kUnexpectedCharacter,
         ",",
         0},
        {"endless recursion",
         {"loop(n) = loop(n)"},
         "loop(1)",
         0,
         Reason::kRecursionTooDeep,
         "",
         0},
        {"deep nesting", {}, std::string(20000, '(') + "1", 0, Reason::kNestingTooDeep, "", 0},
        {"a hexadecimal literal beyond 64 bits",
         {},
         "0x10000000000000000 + 1",
         1,
         Reason::kHexTooLarge,
         "0x10000000000000000",
         0},
        {"an exponent without digits", {}, "2e+", 0, Reason::kExponentNeedsDigits, "", 0},
        {"a name too long to store",
         {},
         std::string(kMaxNameLength + 1, 'a') + " = 1",
         0,
         Reason::kNameTooLong,
         "",
         0},
        {"a body that ends with a blank",
         {},
         "q(x) = x^2 ",
         0,
         Reason::kUnexpectedCharacter,
         " ",
         0},
        {"a constant cannot be assigned", {}, "pi = 3", 3, Reason::kUnexpectedCharacter, "=", 0},
        {"a parameter named twice", {}, "d(x, y, x) = x", 0, Reason::kParameterTwice, "x", 0},
    });
}

// Deep nesting in one line and endless recursion are refused like a failed evaluation.
TEST(Expressions, NestingDepth) {
    auto nest = [](std::string_view open, std::string_view close) {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += open;
        text += "1";
        for (int i = 0; i < 100000; ++i)
            text += close;
        return text;
    };
    ExpectFailures({
        {"deeply nested groups", {}, nest("(", ")"), 0},
        {"a long chain of powers", {}, nest("2^", ""), 0},
        {"deeply nested leading minus signs", {}, nest("-(", ")"), 0},
        {"deeply nested built-in calls", {}, nest("sqrt(", ")"), 0},
        {"deeply nested user calls", {"id(x) = x"}, nest("id(", ")"), 0},
        {"deeply nested ifs", {}, nest("if(1, ", ", 0)"), 0},
        {"a deeply nested function body", {}, "f(x) = " + nest("(", ")"), 0},
        {"endless recursion", {"loop(x) = loop(x)"}, "loop(1)", 0},
    });
    std::string flat = "1";
    for (int i = 1; i < 100000; ++i)
        flat += "+1";
    ExpectValues({
        {"moderate nesting", {}, std::string(200, '(') + "7" + std::string(200, ')'), 7},
        {"a long flat sum is no nesting", {}, flat, 100000},
    });
    Calc calc;
    calc.eval(nest("(", ")"));
    EXPECT_EQ(calc.eval("1 + 1").value, 2) << "a refused statement leaves the state usable";
}

} // namespace
