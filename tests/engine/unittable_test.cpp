// The unit table against GNU units' own database, and the names it answers to.

#include "engine/builtintables.h"
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
std::vector<std::string> AskGnuUnits(const std::vector<Question>& questions, std::string& error) {
    if (std::system("command -v units >/dev/null 2>&1") != 0) {
        error = "GNU units is not installed; scripts/setup installs it";
        return {};
    }
    const auto path = std::filesystem::temp_directory_path() /
                      ("unittable-test-" + std::to_string(getpid()) + ".txt");
    {
        std::ofstream input(path);
        for (const Question& question : questions)
            input << question.expression << "\n1\n\n";
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
    std::string error;
    const std::vector<std::string> answers = AskGnuUnits(questions, error);
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

} // namespace
