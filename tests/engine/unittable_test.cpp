// SPDX-License-Identifier: GPL-3.0-or-later
// The unit table against GNU units' own database, and the names it answers to.

#include "engine/builtintables.h"
#include "engine/calcengine.h"
#include "engine/unittable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using units::Dimensions;
using units::FindUnit;
using units::UnitDefinition;

// GNU units' names for the base units; its "rad" is a dose of radiation.
const char* const kGnuBaseNames[units::kDimensionCount] = {"m",   "kg", "s",      "A",  "K",
                                                           "mol", "cd", "radian", "bit"};

std::string GnuFormula(const Dimensions& dimensions) {
    std::string formula;
    for (int d = 0; d < units::kDimensionCount; ++d)
        if (dimensions[d] != 0)
            formula += std::string(formula.empty() ? "" : " ") + kGnuBaseNames[d] + "^" +
                       std::to_string(dimensions[d]);
    return formula.empty() ? "1" : formula;
}

struct Question {
    const UnitDefinition* unit;
    std::string expression; // for GNU units, to come to a plain number
    double expected;
};

// A temperature scale is asked at two values, which fixes both its factor and its offset.
std::vector<Question> Questions() {
    std::vector<Question> questions;
    for (const UnitDefinition& unit : units::UnitDefinitions()) {
        const std::string source(unit.source);
        if (source.ends_with("(x)")) {
            const std::string function = source.substr(0, source.size() - 3);
            for (int value : {0, 1})
                questions.push_back({&unit, function + "(" + std::to_string(value) + ")/K",
                                     (value + unit.offset) * unit.factor});
        } else {
            questions.push_back(
                {&unit, "(" + source + ")/(" + GnuFormula(unit.dimensions) + ")", unit.factor});
        }
    }
    return questions;
}

// GNU units' answer lines to all the questions at once. Each is converted to 1, which passes
// leftover radians (plain numbers to GNU units), then comes an empty line, which it skips: one
// number a line while all goes well, and words from the first question it refuses.
std::vector<std::string> AskGnuUnits(const std::vector<std::string>& expressions,
                                     std::string& error) {
    if (std::system("command -v units >/dev/null 2>&1") != 0) {
        error = "GNU units is not installed; scripts/setup installs it";
        return {};
    }
    const auto path = std::filesystem::temp_directory_path() /
                      ("unittable-test-" + std::to_string(getpid()) + ".txt");
    {
        std::ofstream input(path);
        for (const std::string& expression : expressions)
            input << expression << "\n1\n\n";
    }
    // Only the packaged database, in its US English form, whatever the environment says.
    const std::string command = "env -u UNITSFILE -u MYUNITSFILE -u UNITS_SYSTEM LC_ALL=C "
                                "UNITS_ENGLISH=US units -f '' -t -o %.17g < '" +
                                path.string() + "'";
    std::vector<std::string> lines;
    if (FILE* output = popen(command.c_str(), "r")) {
        std::string line;
        for (int c; (c = std::fgetc(output)) != EOF;) {
            if (c != '\n') {
                line += static_cast<char>(c);
            } else {
                lines.push_back(line);
                line.clear();
            }
        }
        pclose(output);
    }
    std::filesystem::remove(path);
    return lines;
}

TEST(UnitTable, EveryUnitIsTheSizeGnuUnitsGivesIt) {
    const std::vector<Question> questions = Questions();
    std::vector<std::string> expressions;
    for (const Question& question : questions)
        expressions.push_back(question.expression);
    std::string error;
    const std::vector<std::string> answers = AskGnuUnits(expressions, error);
    ASSERT_TRUE(error.empty()) << error;
    for (std::size_t i = 0; i < questions.size() && i < answers.size(); ++i) {
        const Question& question = questions[i];
        char* end = nullptr;
        const double answer = std::strtod(answers[i].c_str(), &end);
        if (end == answers[i].c_str() || *end != '\0') {
            // A refused question answers in more than one line: the rest are out of step.
            FAIL() << question.unit->name << ": GNU units refuses " << question.expression << ": "
                   << answers[i] << " " << (i + 1 < answers.size() ? answers[i + 1] : "");
        }
        EXPECT_NEAR(answer / question.expected, 1, 1e-12)
            << question.unit->name << ": " << question.expression << " is " << answers[i];
    }
    EXPECT_EQ(answers.size(), questions.size());
}

// The names GNU units gives a different meaning from ours, and the spellings of one symbol.
TEST(UnitTable, NamesMeanWhatTheWorksheetMeans) {
    const struct {
        const char* name;
        const char* shown; // nullptr: no unit
        double factor;
    } rows[] = {
        {"h", "h", 3600},                 // Planck's constant to GNU units
        {"year", "year", 365.25 * 86400}, // the tropical year to GNU units
        {"cup", "cup", 236.5882365e-6},   // US, whatever the locale
        {"gal", "gal", 3.785411784e-3},
        {"rpm", "rpm", 1.0 / 60}, // 2 pi/60 per second to GNU units
        {"rad", "rad", 1},        // a dose of radiation to GNU units
        {"min", "min", 60},       // also a function, when "(" follows
        {"deg", "deg", std::numbers::pi / 180},
        {"KiB", "KiB", 8192},
        {"kB", "kB", 8000},
        {"mAh", "mAh", 3.6},
        {"\u00B5m", "\u00B5m", 1e-6}, // µ, the micro sign
        {"\u03BCm", "\u00B5m", 1e-6}, // μ, the Greek letter
        {"um", "\u00B5m", 1e-6},
        {"\u2126", "\u03A9", 1},  // the ohm sign is the capital omega
        {"\u2103", "\u00B0C", 1}, // ℃ is °C
        {"in", nullptr, 0},       // a keyword, and GNU units' inch
        {"to", nullptr, 0},
        {"e", nullptr, 0},
        {"c", nullptr, 0},
        {"u", nullptr, 0},  // a prefix alone
        {"KM", nullptr, 0}, // case matters
        {"", nullptr, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const UnitDefinition* unit = FindUnit(row.name);
        if (!row.shown) {
            EXPECT_EQ(unit, nullptr);
            continue;
        }
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->name, row.shown);
        EXPECT_NEAR(unit->factor / row.factor, 1, 1e-15);
    }
    const UnitDefinition* fahrenheit = FindUnit("\u00B0F");
    ASSERT_NE(fahrenheit, nullptr);
    EXPECT_NEAR((32 + fahrenheit->offset) * fahrenheit->factor, 273.15, 1e-12);
    EXPECT_NEAR((212 + fahrenheit->offset) * fahrenheit->factor, 373.15, 1e-12);
}

TEST(UnitTable, EverySpellingFindsItsOwnUnitAndNoBuiltinIsShadowed) {
    for (const UnitDefinition& unit : units::UnitDefinitions()) {
        EXPECT_EQ(FindUnit(unit.name), &unit) << unit.name;
        std::string_view spellings = unit.otherSpellings;
        while (!spellings.empty()) {
            const std::string_view spelling = spellings.substr(0, spellings.find(' '));
            EXPECT_EQ(FindUnit(spelling), &unit) << spelling;
            spellings.remove_prefix(std::min(spelling.size() + 1, spellings.size()));
        }
        EXPECT_FALSE(units::KindOf(unit.dimensions).empty()) << unit.name;
    }
    for (const BuiltinName& builtin : BuiltinNames()) {
        // The grammar reads these as units unless a "(" follows.
        if (builtin.name == "min" || builtin.name == "deg" || builtin.name == "rad")
            continue;
        EXPECT_EQ(FindUnit(builtin.name), nullptr) << builtin.name;
    }
}

TEST(UnitTable, KindOfNamesTheDimensions) {
    const struct {
        Dimensions dimensions; // m kg s A K mol cd rad bit
        const char* kind;
    } rows[] = {
        {{1, 0, 0, 0, 0, 0, 0, 0, 0}, "length"},
        {{1, 0, -1, 0, 0, 0, 0, 0, 0}, "speed"},
        {{2, 1, -3, -1, 0, 0, 0, 0, 0}, "voltage"},
        {{0, 0, -1, 0, 0, 0, 0, 0, 1}, "data rate"},
        {{0, 0, 0, 0, 0, 0, 1, 2, 0}, "luminous flux"}, // not the candela's kind
        {{0, 0, -1, 0, 0, 0, 0, 0, 0}, "frequency"},
        {{0, 0, -1, 0, 0, 0, 0, 1, 0}, "angular velocity"},
        {{4, 0, 0, 0, 0, 0, 0, 0, 0}, ""},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0}, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(units::KindOf(row.dimensions), row.kind) << row.kind;
}

// Lines that convert, across every kind, against what GNU units makes of the same quantities in
// its own words: the engine's arithmetic of units, not only its table.
TEST(UnitTable, ConversionsAgreeWithGnuUnits) {
    const struct {
        const char* line;
        const char* gnu; // a plain number to GNU units
    } rows[] = {
        {"5 km in mi", "5 km/mile"},
        {"1 mi in km", "mile/km"},
        {"12 inch in cm", "12 inch/cm"},
        {"3 ft in m", "3 ft/m"},
        {"100 yd in m", "100 yard/m"},
        {"1 nmi in km", "nauticalmile/km"},
        {"1 au in km", "au/km"},
        {"1 ly in km", "lightyear/km"},
        {"1 pc in ly", "parsec/lightyear"},
        {"2.5 mm in µm", "2.5 mm/(micro m)"},
        {"1 m in ft", "m/ft"},
        {"6 ft in inch", "6 ft/inch"},
        {"42.195 km in mi", "42.195 km/mile"},
        {"1 nm in m", "nm/m"},
        {"1 ha in m^2", "hectare/m^2"},
        {"1 acre in m^2", "acre/m^2"},
        {"1 acre in ha", "acre/hectare"},
        {"100 ft^2 in m^2", "100 ft^2/m^2"},
        {"3 m * 2 m in ft^2", "6 m^2/ft^2"},
        {"1 mi^2 in km^2", "mile^2/km^2"},
        {"1 cup in ml", "uscup/ml"},
        {"1/2 cup in ml", "0.5 uscup/ml"},
        {"1 tbsp in tsp", "ustablespoon/usteaspoon"},
        {"1 floz in ml", "usfloz/ml"},
        {"1 gal in l", "usgallon/litre"},
        {"1 pt in ml", "uspint/ml"},
        {"1 qt in l", "usquart/litre"},
        {"2 l in gal", "2 litre/usgallon"},
        {"1 m^3 in l", "m^3/litre"},
        {"250 ml in cup", "250 ml/uscup"},
        {"1 gal in cup", "usgallon/uscup"},
        {"3 tsp in ml", "3 usteaspoon/ml"},
        {"1 lb in g", "lb/gram"},
        {"1 oz in g", "oz/gram"},
        {"1 kg in lb", "kg/lb"},
        {"1 t in lb", "tonne/lb"},
        {"1 st in kg", "stone/kg"},
        {"1 ct in mg", "carat/(milli gram)"},
        {"16 oz in lb", "16 oz/lb"},
        {"500 mg in g", "500 milli gram/gram"},
        {"250 µg in mg", "250 micro gram/(milli gram)"},
        {"1 h in s", "hour/s"},
        {"90 min in h", "90 minute/hour"},
        {"1 day in h", "day/hour"},
        {"1 week in day", "week/day"},
        {"1 year in day", "julianyear/day"},
        {"1 year in s", "julianyear/s"},
        {"1500 ms in s", "1500 milli s/s"},
        {"2 µs in ns", "2 micro s/(nano s)"},
        {"2 h 30 min in min", "150 minute/minute"},
        {"3 h + 20 min to min", "(3 hour + 20 minute)/minute"},
        {"60 mph in km/h", "60 mph/(km/hour)"},
        {"100 km/h in mph", "100 (km/hour)/mph"},
        {"10 m/s in km/h", "10 (m/s)/(km/hour)"},
        {"1 kn in km/h", "knot/(km/hour)"},
        {"100 km / 2 h in m/s", "50 (km/hour)/(m/s)"},
        {"1 mph in m/s", "mph/(m/s)"},
        {"9.81 m/s^2 in ft/s^2", "9.81 (m/s^2)/(ft/s^2)"},
        {"100 km/h / 5 s in m/s^2", "20 (km/hour/s)/(m/s^2)"},
        {"1 lbf in N", "lbf/N"},
        {"1 kgf in N", "kgf/N"},
        {"1 kN in lbf", "kilo N/lbf"},
        {"1 N in dyn", "N/dyne"},
        {"2 kg * 9.81 m/s^2 in N", "2 kg 9.81 m/s^2/N"},
        {"1 kcal in kJ", "kilo calorie_th/(kilo J)"},
        {"1 cal in J", "calorie_th/J"},
        {"1 eV in J", "eV/J"},
        {"1 kWh in MJ", "kilo Wh/(mega J)"},
        {"1 Wh in J", "Wh/J"},
        {"1 BTU in J", "btu/J"},
        {"1 J in erg", "J/erg"},
        {"2000 kcal in kWh", "2000 kilo calorie_th/(kilo Wh)"},
        {"1 N * 1 m in J", "N m/J"},
        {"1 hp in W", "hp/W"},
        {"1 MW in hp", "mega W/hp"},
        {"3 kWh / 2 h in W", "1.5 kilo Wh/hour/W"},
        {"1 J/s in W", "(J/s)/W"},
        {"1 atm in hPa", "atm/(hecto Pa)"},
        {"1 bar in psi", "bar/psi"},
        {"1 psi in Pa", "psi/Pa"},
        {"760 Torr in atm", "760 torr/atm"},
        {"1 mmHg in Pa", "mmHg/Pa"},
        {"1 atm in bar", "atm/bar"},
        {"1 N/m^2 in Pa", "(N/m^2)/Pa"},
        {"180° in rad", "180 degree/radian"},
        {"1 rad in deg", "radian/degree"},
        {"100 grad in °", "100 gon/degree"},
        {"60 arcmin in °", "60 arcmin/degree"},
        {"sin(30°)", "sin(30 degree)"},
        {"cos(60 deg)", "cos(60 degree)"},
        {"tan(45°)", "tan(45 degree)"},
        {"1 GiB in MiB", "gibi byte/(mebi byte)"},
        {"1 GB in MB", "giga byte/(mega byte)"},
        {"1 GiB in GB", "gibi byte/(giga byte)"},
        {"1 B in bit", "byte/bit"},
        {"1 KiB in B", "kibi byte/byte"},
        {"1 kB in KiB", "kilo byte/(kibi byte)"},
        {"100 Mbit in MB", "100 mega bit/(mega byte)"},
        {"1 Gibit in Mbit", "gibi bit/(mega bit)"},
        {"1 MiB + 512 KiB in KiB", "(mebi byte + 512 kibi byte)/(kibi byte)"},
        {"1 kHz in Hz", "kilo Hz/Hz"},
        {"2.4 GHz in kHz", "2.4 giga Hz/(kilo Hz)"},
        {"60 rpm in Hz", "60 (1/minute)/Hz"},
        {"1 / (2 ms) in Hz", "1/(2 milli s)/Hz"},
        {"20 °C in °F", "~tempF(tempC(20))"},
        {"-40 °F in °C", "~tempC(tempF(-40))"},
        {"0 K in °C", "~tempC(0 K)"},
        {"100 °C in K", "tempC(100)/K"},
        {"98.6 degF in degC", "~tempC(tempF(98.6))"},
        {"300 K in °F", "~tempF(300 K)"},
        {"20 °C + 5 K in °F", "~tempF(tempC(25))"},
        {"30 °C - 20 °C in K", "(tempC(30) - tempC(20))/K"},
        {"2 A * 3 h in Ah", "6 A hour/(A hour)"},
        {"3000 mAh in Ah", "3000 milli A hour/(A hour)"},
        {"1 Ah in C", "A hour/C"},
        {"12 V * 2 A in W", "24 V A/W"},
        {"1 kV / 1 mA in Ω", "kilo V/(milli A)/ohm"},
        {"1 Wb / 1 m^2 in mT", "(Wb/m^2)/(milli T)"},
        {"5 V / 2 Ω in A", "2.5 V/ohm/A"},
        {"1 F * 1 V in C", "F V/C"},
    };
    std::vector<std::string> expressions;
    for (const auto& row : rows)
        expressions.emplace_back(row.gnu);
    std::string error;
    const std::vector<std::string> answers = AskGnuUnits(expressions, error);
    ASSERT_TRUE(error.empty()) << error;
    ASSERT_EQ(answers.size(), std::size(rows)) << "GNU units refused a row";
    const CalcStatePtr state = NewCalcState();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].line);
        Quantity value;
        std::size_t stop = 0;
        ASSERT_EQ(EvaluateStatement(rows[i].line, *state, value, stop), kValue);
        const double expected = std::strtod(answers[i].c_str(), nullptr);
        EXPECT_NEAR(value.number, expected, 1e-12 * std::fabs(expected)) << answers[i];
    }
}

} // namespace
