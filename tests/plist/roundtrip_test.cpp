// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/binaryreader.h"
#include "plist/binarywriter.h"
#include "plist/reader.h"
#include "plist/xmlreader.h"
#include "plist/xmlwriter.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

namespace plist {
namespace {

using test::bits;

struct Format {
    const char* name;
    std::string (*write)(const Value&);
    ReadResult (*read)(std::string_view);
};

const Format kFormats[] = {{"xml", writeXml, readXml}, {"binary", writeBinary, readBinary}};

// Reads back what was written and checks that writing it again gives the same bytes.
Value roundTrip(const Format& format, const Value& value) {
    const std::string written = format.write(value);
    const ReadResult result = format.read(written);
    EXPECT_TRUE(result) << format.name << ": " << result.error;
    if (!result)
        return Value();
    EXPECT_EQ(format.write(*result.value), written) << format.name;
    return *result.value;
}

TEST(RoundTrip, ScalarsSurviveBitForBit) {
    const double inf = std::numeric_limits<double>::infinity();
    const Value rows[] = {
        -0.0,
        0.0,
        std::numeric_limits<double>::quiet_NaN(),
        inf,
        -inf,
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min(),
        DBL_MIN,
        std::nextafter(DBL_MIN, 0.0),
        DBL_MAX,
        -DBL_MAX,
        0.1,
        1e23,
        std::nextafter(1.0, 2.0),
        1.0 / 3.0,
        std::numeric_limits<std::int64_t>::min(),
        std::numeric_limits<std::int64_t>::max(),
        Value::fromUnsigned(std::numeric_limits<std::uint64_t>::max()),
        0,
        Date{0},
        Date{-63113904000}, // 0001-01-01
        Date{252423993599}, // 9999-12-31T23:59:59
    };
    for (const auto& format : kFormats) {
        for (const auto& value : rows) {
            const Value back = roundTrip(format, Array{value, Dictionary{{"k", value}}});
            EXPECT_EQ(back, Value(Array{value, Dictionary{{"k", value}}})) << format.name;
            if (value.isReal()) {
                EXPECT_EQ(bits(*back.array()->at(0).real()), bits(*value.real()));
            }
        }
    }
    EXPECT_EQ(roundTrip(kFormats[1], Date{0.25}), Value(Date{0.25}));
}

TEST(RoundTrip, TextSurvivesOrIsReplacedConsistently) {
    struct Row {
        const char* what;
        std::string text;
        std::optional<std::string> afterXml = {}; // unset: unchanged
        std::optional<std::string> afterBinary = {};
    };
    const Row rows[] = {
        {"carriage returns", "a\rb\r\nc\r"},
        {"edge whitespace", " \t\n x \n\t "},
        {"controls", std::string("a\0\x1B\x7F", 4), "a\uFFFD\uFFFD\x7F"},
        {"noncharacter", "\uFFFF", "\uFFFD"},
        {"invalid UTF-8", "ok\xC3(\xFF", "ok\uFFFD(\uFFFD", "ok\uFFFD(\uFFFD"},
    };
    for (const auto& format : kFormats) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(format.name) + ": " + row.what);
            const auto& changed = format.write == writeXml ? row.afterXml : row.afterBinary;
            const std::string expected = changed.value_or(row.text);
            EXPECT_EQ(roundTrip(format, Dictionary{{row.text, row.text}}),
                      Value(Dictionary{{expected, expected}}));
        }
    }
    // Keys that become equal merge, the later one winning, and sort where the reader puts them.
    EXPECT_EQ(roundTrip(kFormats[0], Dictionary{{"\x01", 1}, {"\x02", 2}, {"a", 3}}),
              Value(Dictionary{{"a", 3}, {"\uFFFD", 2}}));
    EXPECT_EQ(roundTrip(kFormats[1], Dictionary{{"\x80", 1}, {"\xFF", 2}, {"\uFFFD", 3}}),
              Value(Dictionary{{"\uFFFD", 2}}));
}

TEST(RoundTrip, RandomDocumentsSurviveBothFormats) {
    test::RandomValues random(2024);
    for (int i = 0; i < 300; ++i) {
        const Value value = random.next();
        for (const auto& format : kFormats)
            ASSERT_EQ(roundTrip(format, value), value) << format.name << " #" << i;
        ASSERT_EQ(*read(writeXml(value)).value, value);
        ASSERT_EQ(*read(writeBinary(value)).value, value);
    }
}

TEST(RoundTrip, NestingBoundIsTheSameInBothFormats) {
    for (const auto& format : kFormats) {
        EXPECT_TRUE(format.read(format.write(test::nested(kMaxNestingDepth)))) << format.name;
        const ReadResult tooDeep = format.read(format.write(test::nested(kMaxNestingDepth + 1)));
        EXPECT_FALSE(tooDeep) << format.name;
        EXPECT_NE(tooDeep.error.find("nested"), std::string::npos) << tooDeep.error;
    }
}

TEST(RoundTrip, DamagedInputIsRefusedOrReadConsistently) {
    const Value sample = Dictionary{
        {"list", Array{1, -2, 0.5, true, "π", Date{86400}}},
        {"blob", Data{{0, 1, 2, 250, 251}}},
        {"nested", Dictionary{{"empty", Array{}}, {"text", std::string(20, 'x')}}},
    };
    for (const auto& format : kFormats) {
        SCOPED_TRACE(format.name);
        const std::string written = format.write(sample);
        const std::size_t complete = format.write == writeXml ? written.size() - 1 : written.size();
        for (std::size_t length = 0; length < complete; ++length) {
            const ReadResult result = format.read(written.substr(0, length));
            EXPECT_FALSE(result) << "prefix of " << length;
            EXPECT_FALSE(result.error.empty());
        }
        for (std::size_t pos = 0; pos < written.size(); ++pos) {
            for (int mask : {0x01, 0x80, 0xFF}) {
                std::string damaged = written;
                damaged[pos] = static_cast<char>(damaged[pos] ^ mask);
                const ReadResult result = format.read(damaged);
                if (result) {
                    EXPECT_EQ(*format.read(format.write(*result.value)).value, *result.value);
                } else {
                    EXPECT_FALSE(result.error.empty());
                }
            }
        }
    }
}

TEST(RoundTrip, ReadTellsTheFormatsApart) {
    const Value value = Dictionary{{"x", 1.5}};
    EXPECT_EQ(*read(writeXml(value)).value, value);
    EXPECT_EQ(*read(writeBinary(value)).value, value);
    std::string other = writeBinary(value);
    other[7] = '1';
    const ReadResult refused = read(other);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.error.find("version"), std::string::npos) << refused.error;
    EXPECT_FALSE(read("bplist"));
}

} // namespace
} // namespace plist
