// SPDX-License-Identifier: GPL-3.0-or-later
// Quantities with units: what a line answers, the unit shown as it can be typed back, and why
// units that do not go together are refused. A worksheet shows a number as printf's %.12g.

#include "engine/dictionaries.h"
#include "engine/quantity.h"
#include "tests/engine/calctest.h"

#include <cstdio>
#include <string>

namespace {

// The answer as a worksheet shows it in the standard notation: "50 km/h".
std::string Shown(const Quantity& value) {
    char number[64];
    std::snprintf(number, sizeof number, "%.12g", value.number);
    return value.unit ? std::string(number) + " " + value.unit->text : std::string(number);
}

struct AnswerRow {
    const char* name;
    std::vector<std::string_view> setup;
    std::string text;
    std::string answer;
};

void ExpectAnswers(const std::vector<AnswerRow>& rows) {
    for (const AnswerRow& row : rows) {
        const CalcStatePtr state = NewCalcState();
        for (std::string_view line : row.setup) {
            Quantity ignored;
            std::size_t stop = 0;
            EXPECT_NE(EvaluateStatement(line, *state, ignored, stop), kSyntaxError)
                << row.name << ": setup " << line;
        }
        Quantity value;
        std::size_t stop = 0;
        Failure failure;
        const int kind = EvaluateStatement(row.text, *state, value, stop, nullptr, &failure);
        EXPECT_EQ(kind, kValue) << row.name << ": " << ReasonKey(failure.mReason);
        EXPECT_EQ(Shown(value), row.answer) << row.name;
    }
}

TEST(Units, ArithmeticCarriesUnits) {
    ExpectAnswers({
        {"a quotient of quantities", {}, "100 km / 2 h", "50 km/h"},
        {"a fraction of numbers takes the unit whole", {}, "1/2 cup in ml", "118.29411825 ml"},
        {"like units make a power", {}, "3 m * 2 m", "6 m^2"},
        {"cancelled units vanish", {}, "10 km / 2 km", "5"},
        {"no dimension left is a plain number", {}, "5 km / 500 m", "10"},
        {"a square root halves the powers", {}, "sqrt(9 m^2)", "3 m"},
        {"a sum keeps its first operand's unit", {}, "5 km + 300 m", "5.3 km"},
        {"a difference too", {}, "1 h - 30 min", "0.5 h"},
        {"quantities of one kind side by side add up", {}, "2 h 30 min in min", "150 min"},
        {"units are kept as written", {}, "5 km * 300 m", "1500 km*m"},
        {"absolute temperatures convert with their offset", {}, "20 °C in °F", "68 °F"},
        {"and back", {}, "-40 degF in degC", "-40 degC"},
        {"kelvin to Celsius", {}, "0 K in °C", "-273.15 °C"},
        {"a difference moves a temperature", {}, "20 °C + 5 K", "25 °C"},
        {"two temperatures differ by kelvins", {}, "30 °C - 20 °C", "10 K"},
        {"an angle in degrees", {}, "sin(90°)", "1"},
        {"deg is a unit where no parenthesis follows", {}, "cos(60 deg)", "0.5"},
        {"deg( is still the function", {}, "deg(pi)", "180"},
        {"a unit's name alone is one of it", {}, "km", "1 km"},
        {"compound units by the usual operators", {}, "2 kg * 3 m/s^2", "6 kg*m/s^2"},
        {"a unit with no number above the line", {}, "5 / (2 s)", "2.5 s^-1"},
        {"a fraction of numbers before a unit", {}, "5 / 2 s", "2.5 s"},
        {"a unit in parentheses after a number", {}, "3 (km/h)", "3 km/h"},
        {"no blank is needed", {}, "5km", "5 km"},
        {"a negated quantity", {}, "-5 km", "-5 km"},
        {"a power of a quantity", {}, "(3 m)^2", "9 m^2"},
        {"a unit keeps through rounding", {}, "round(2.4 km)", "2 km"},
        {"the larger of two lengths, in the first one's unit", {}, "max(1 km, 300 m)", "1 km"},
        {"a hexadecimal number with its unit", {}, "0x10 MiB", "16 MiB"},
        {"an electronvolt, not e times V", {}, "1 eV in J", "1.602176634e-19 J"},
    });
}

TEST(Units, Conversion) {
    ExpectAnswers({
        {"in", {}, "5 km in mi", "3.10685596119 mi"},
        {"to, after a sum", {}, "3 h + 20 min to min", "200 min"},
        {"->, binary multiples", {}, "1 GiB -> MiB", "1024 MiB"},
        {"to a compound unit", {}, "60 mph in km/h", "96.56064 km/h"},
        {"to a power of a unit", {}, "1 ha in m^2", "10000 m^2"},
        {"to a unit in parentheses", {}, "1 kWh in (W*h)", "1000 W*h"},
        {"a conversion shows exactly the unit asked for", {}, "1000 m in km", "1 km"},
        {"an assignment converts before it stores", {"d = 5 km in m"}, "d", "5000 m"},
        {"the inch is inch", {}, "1 ft in inch", "12 inch"},
        {"decimal data prefixes", {}, "1 GB in MB", "1000 MB"},
        {"a year of 365.25 days", {}, "1 year in day", "365.25 day"},
        {"calories of 4.184 J", {}, "1 kcal in J", "4184 J"},
        {"pressure", {}, "1 atm in bar", "1.01325 bar"},
    });
}

TEST(Units, UserNamesWin) {
    ExpectAnswers({
        {"a variable m reads as today", {"m = 5"}, "2m", "10"},
        {"two of them as today", {"m = 5"}, "2mm", "50"},
        {"a unit only as the whole word", {"k = 1"}, "3 km", "3 km"},
        {"min( is the function", {}, "min(2, 3)", "2"},
        {"min alone a duration", {}, "20 min", "20 min"},
        {"names that read the word as today", {"m = 2", "in = 3"}, "20 min", "120"},
        {"a variable named in", {"in = 2.54"}, "5 in", "12.7"},
        {"a variable holds the quantity", {"d = 5 km"}, "d in m", "5000 m"},
        {"functions of quantities",
         {"speed(d, t) = d / t"},
         "speed(10 km, 30 min) in km/h",
         "20 km/h"},
        {"last holds the quantity", {"2 km"}, "last + 1 km", "3 km"},
        {"a parameter named as a unit", {"f(m) = 2 m"}, "f(3)", "6"},
        {"if takes quantities", {}, "if(1, 2 km, 3 m)", "2 km"},
    });
}

// Units that do not go together fail with both sides named, by unit and kind; an empty side
// is a plain number.
TEST(Units, WrongDimensionsAreRefused) {
    struct Row {
        std::string text;
        Reason reason;
        std::string function, unit, kind, other, otherKind;
    };
    const Row rows[] = {
        {"5 km + 3 kg", Reason::kCannotAdd, "", "km", "length", "kg", "mass"},
        {"5 km - 3", Reason::kCannotSubtract, "", "km", "length", "", ""},
        {"5 km in s", Reason::kCannotConvert, "", "km", "length", "s", "time"},
        {"3 in m", Reason::kCannotConvert, "", "", "", "m", "length"},
        {"20 °C + 20 °F", Reason::kAbsoluteTemperatures, "", "°C", "temperature", "°F",
         "temperature"},
        {"log(5 km)", Reason::kNeedsPlainNumber, "log", "km", "length", "", ""},
        {"sin(2 m)", Reason::kNeedsAngle, "sin", "m", "length", "", ""},
        {"2^(3 m)", Reason::kExponentHasUnit, "", "m", "length", "", ""},
        {"sqrt(2 m^3)", Reason::kPowerNotWhole, "", "m^3", "volume", "", ""},
        {"max(1 km, 2 s)", Reason::kCannotCompare, "max", "km", "length", "s", "time"},
    };
    for (const Row& row : rows) {
        Calc calc;
        const Outcome outcome = calc.eval(row.text);
        EXPECT_EQ(outcome.kind, kSyntaxError) << row.text;
        EXPECT_STREQ(ReasonKey(outcome.failure.mReason), ReasonKey(row.reason)) << row.text;
        EXPECT_EQ(outcome.failure.mName, row.function) << row.text;
        EXPECT_EQ(outcome.failure.mUnit, row.unit) << row.text;
        EXPECT_EQ(outcome.failure.mUnitKind, row.kind) << row.text;
        EXPECT_EQ(outcome.failure.mOtherUnit, row.other) << row.text;
        EXPECT_EQ(outcome.failure.mOtherKind, row.otherKind) << row.text;
    }
    ExpectReasons({
        {"a word a conversion cannot read", {}, "5 km in mo", 5, Reason::kNotAUnit, "mo", 0},
        {"a conversion with nothing to convert to", {}, "5 km in", 5, Reason::kEndsTooSoon, "", 0},
        {"a dimension beyond any quantity", {}, "(1 l)^100", 0, Reason::kNone, "", 0},
        {"a line that fails both ways keeps today's reason",
         {},
         "5 foo",
         2,
         Reason::kUnknownName,
         "foo",
         0},
    });
}

// The file keeps numbers in "variables", as a reader that knows no units expects, and the
// units beside them.
TEST(Units, DictionariesKeepNumbersAndUnitsApart) {
    Calc calc;
    calc.run({"d = 5 km", "v = 100 km / 2 h", "n = 7"});
    const std::optional<plist::Dictionary> variables = CopyVariablesDictionary(calc.state());
    const std::optional<plist::Dictionary> units = CopyVariableUnitsDictionary(calc.state());
    ASSERT_TRUE(variables && units);
    EXPECT_EQ(variables->at("d").real(), 5.0);
    EXPECT_EQ(variables->at("v").real(), 50.0);
    EXPECT_EQ(variables->at("n").real(), 7.0);
    EXPECT_EQ(units->size(), 2u) << "d and v; last is the plain 7";
    EXPECT_EQ(*units->at("v").string(), "km/h");

    // Read back, numbers alone are plain; with their units, they are what they were.
    Calc numbersOnly;
    LoadVariablesDictionary(*variables, numbersOnly.state());
    EXPECT_EQ(numbersOnly.eval("d * 2").value, 10.0);
    Calc both;
    LoadVariablesDictionary(*variables, both.state());
    plist::Dictionary withUnknown = *units;
    withUnknown.insert_or_assign("n", plist::Value(std::string("furlongs per fortnight")));
    LoadVariableUnitsDictionary(withUnknown, both.state());
    Quantity value;
    std::size_t stop = 0;
    ASSERT_EQ(EvaluateStatement("d in m", both.state(), value, stop), kValue);
    EXPECT_EQ(Shown(value), "5000 m");
    ASSERT_EQ(EvaluateStatement("n", both.state(), value, stop), kValue);
    EXPECT_EQ(Shown(value), "7") << "a unit that does not read leaves the number plain";
}

} // namespace
