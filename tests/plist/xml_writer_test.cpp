// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/xmlreader.h"
#include "plist/xmlwriter.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace plist {
namespace {

// The one place the exact layout is spelled out: it is what Apple's tools produce and read.
TEST(XmlWriter, LaysOutDocumentsLikeApple) {
    const Value document = Dictionary{
        {"array", Array{1, 0.5, true, false}},
        {"data", Data{{0, 1, 2, 3}}},
        {"date", Date{0}},
        {"empty array", Array{}},
        {"empty dict", Dictionary{}},
        {"name", "Figurello"},
    };
    EXPECT_EQ(writeXml(document), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                  "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                                  "<plist version=\"1.0\">\n"
                                  "<dict>\n"
                                  "\t<key>array</key>\n"
                                  "\t<array>\n"
                                  "\t\t<integer>1</integer>\n"
                                  "\t\t<real>0.5</real>\n"
                                  "\t\t<true/>\n"
                                  "\t\t<false/>\n"
                                  "\t</array>\n"
                                  "\t<key>data</key>\n"
                                  "\t<data>\n"
                                  "\tAAECAw==\n"
                                  "\t</data>\n"
                                  "\t<key>date</key>\n"
                                  "\t<date>2001-01-01T00:00:00Z</date>\n"
                                  "\t<key>empty array</key>\n"
                                  "\t<array/>\n"
                                  "\t<key>empty dict</key>\n"
                                  "\t<dict/>\n"
                                  "\t<key>name</key>\n"
                                  "\t<string>Figurello</string>\n"
                                  "</dict>\n"
                                  "</plist>\n");
}

std::string body(const Value& value) {
    const std::string xml = writeXml(value);
    const std::size_t start = xml.find("<plist version=\"1.0\">\n") + 22;
    return xml.substr(start, xml.size() - start - 9);
}

TEST(XmlWriter, SpellsScalarsAsApplesReaderExpects) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        Value value;
        const char* text;
    };
    const Row rows[] = {
        {-0.0, "<real>-0</real>\n"},
        {std::numeric_limits<double>::quiet_NaN(), "<real>nan</real>\n"},
        {inf, "<real>+infinity</real>\n"},
        {-inf, "<real>-infinity</real>\n"},
        {1e23, "<real>1e+23</real>\n"},
        {std::numeric_limits<std::int64_t>::min(), "<integer>-9223372036854775808</integer>\n"},
        {Date{-1}, "<date>2000-12-31T23:59:59Z</date>\n"},
        {Date{0.999}, "<date>2001-01-01T00:00:00Z</date>\n"},
        {Date{std::numeric_limits<double>::quiet_NaN()}, "<date>2001-01-01T00:00:00Z</date>\n"},
        {Date{1e300}, "<date>9999-12-31T23:59:59Z</date>\n"},
        {Date{-inf}, "<date>0000-01-01T00:00:00Z</date>\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(body(row.value), row.text);
}

TEST(XmlWriter, ReplacesWhatXmlCannotCarry) {
    struct Row {
        const char* what;
        std::string input;
        const char* written;
    };
    const Row rows[] = {
        {"markup characters", "a&b<c>d]]>", "a&amp;b&lt;c&gt;d]]&gt;"},
        {"carriage return kept by reference", "a\r\nb", "a&#13;\nb"},
        {"tab and line feed stay", "\t\n", "\t\n"},
        {"other controls", std::string("a\0b\x01\x1F", 5), "a\uFFFDb\uFFFD\uFFFD"},
        {"noncharacters", "\uFFFE\uFFFF\uFFFD", "\uFFFD\uFFFD\uFFFD"},
        {"stray continuation byte", "a\x80z", "a\uFFFDz"},
        {"truncated sequence", "\xE2\x88", "\uFFFD"},
        {"overlong encoding", "\xC0\xAF", "\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"non-ASCII passes", "π√😀\x7F", "π√😀\x7F"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(body(row.input), std::string("<string>") + row.written + "</string>\n");
        const std::string keyed = writeXml(Dictionary{{row.input, 1}});
        EXPECT_NE(keyed.find(std::string("<key>") + row.written + "</key>"), std::string::npos);
        EXPECT_TRUE(readXml(keyed)) << keyed;
    }
}

TEST(XmlWriter, WrapsDataWithinSeventySixColumnsCountingTabsAsEight) {
    const Data data{std::vector<std::uint8_t>(200, 0xAB)};
    struct Row {
        std::size_t level;
        std::size_t lineLength;
    };
    for (const auto& row : {Row{0, 76}, Row{1, 68}, Row{7, 20}, Row{8, 16}, Row{20, 16}}) {
        Value value = data;
        for (std::size_t i = 0; i < row.level; ++i)
            value = Array{std::move(value)};
        const std::string tabs(row.level, '\t');
        std::istringstream lines(writeXml(value));
        std::string line;
        while (std::getline(lines, line) && line != tabs + "<data>") {
        }
        std::vector<std::string> encoded;
        while (std::getline(lines, line) && line != tabs + "</data>") {
            ASSERT_EQ(line.substr(0, tabs.size()), tabs);
            encoded.push_back(line.substr(tabs.size()));
        }
        ASSERT_FALSE(encoded.empty());
        std::size_t total = 0;
        for (std::size_t i = 0; i < encoded.size(); ++i) {
            total += encoded[i].size();
            if (i + 1 < encoded.size()) {
                EXPECT_EQ(encoded[i].size(), row.lineLength) << "level " << row.level;
            }
        }
        EXPECT_LE(encoded.back().size(), row.lineLength);
        EXPECT_EQ(total, 268u);
    }
}

} // namespace
} // namespace plist
