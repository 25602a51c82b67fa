// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/xmlreader.h"

#include "test_support.h"
#include "xml_cases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plist {
namespace {

using test::bits;
using test::wrapped;

Value readBody(const std::string& body) {
    const ReadResult result = readXml(wrapped(body));
    EXPECT_TRUE(result) << body << ": " << result.error;
    return result ? *result.value : Value();
}

TEST(XmlReader, ReadsRealsInEverySpelling) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* text;
        double expected;
    };
    const Row rows[] = {
        {"nan", std::numeric_limits<double>::quiet_NaN()},
        {"NaN", std::numeric_limits<double>::quiet_NaN()},
        {"+infinity", inf},
        {"-infinity", -inf},
        {"infinity", inf},
        {"inf", inf},
        {"+inf", inf},
        {"-inf", -inf},
        {"-0", -0.0},
        {" \n\t2.5 ", 2.5},
        {"+1e3", 1000.0},
        {".5", 0.5},
        {"0.1", 0.1},
        {"1e23", 1e23},
        {"1e400", inf},
        {"-1e400", -inf},
        {"1000e306", inf},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"0.0001e-320", 0.0},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
        {"2.4703282292062327e-324", 0.0},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"1.7976931348623159e308", inf},
        {"1e-99999999999999999999999", 0.0},
    };
    for (const auto& row : rows) {
        const Value value = readBody(std::string("<real>") + row.text + "</real>");
        ASSERT_TRUE(value.isReal()) << row.text;
        EXPECT_EQ(bits(*value.real()), bits(row.expected)) << row.text;
    }
}

TEST(XmlReader, AcceptsWhatApplesToolsWrite) {
    struct Row {
        const char* what;
        std::string text;
        Value expected;
    };
    const Row rows[] = {
        {"integer extremes",
         wrapped("<array><integer> 9223372036854775807 </integer><integer>-9223372036854775808"
                 "</integer><integer>+7</integer><integer>007</integer></array>"),
         Array{std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min(),
               7, 7}},
        {"unsigned 64-bit integers above int64",
         wrapped("<array><integer>18446744073709551615</integer><integer>9223372036854775808"
                 "</integer></array>"),
         Array{Value::fromUnsigned(std::numeric_limits<std::uint64_t>::max()),
               Value::fromUnsigned(std::uint64_t{1} << 63)}},
        {"later duplicate key wins",
         wrapped("<dict><key>a</key><integer>1</integer><key>a</key><integer>2</integer></dict>"),
         Dictionary{{"a", 2}}},
        {"empty forms",
         wrapped("<array><string/><string></string><data/><dict/><array/><true></true></array>"),
         Array{"", "", Data{}, Dictionary{}, Array{}, true}},
        {"empty key", wrapped("<dict><key/><false/></dict>"), Dictionary{{"", false}}},
        {"text kept exactly",
         wrapped("<string> a\n\tb&amp;&lt;&#13;&#x3C0;<![CDATA[<x>]]></string>"),
         " a\n\tb&<\rπ<x>"},
        {"line ends normalised", wrapped("<string>a\r\nb\rc</string>"), "a\nb\nc"},
        {"base64 across lines", wrapped("<data>\n\tAAEC\n\tAw==\n\t</data>"), Data{{0, 1, 2, 3}}},
        {"dates",
         wrapped("<array><date>2001-01-01T00:00:01Z</date><date> 1970-01-01T00:00:00Z "
                 "</date><date>0000-03-01T00:00:00Z</date></array>"),
         Array{Date{1}, Date{-978307200}, Date{-63140342400}}},
        {"no declaration or doctype", "<plist><true/></plist>", true},
        {"leading whitespace skipped", "\r\n\t<?xml version=\"1.0\"?><plist><true/></plist>", true},
        {"comments and whitespace around",
         "<?xml version=\"1.0\"?>\n<!-- before --><plist><!-- in --><false/></plist>\n\n", false},
        {"other encodings are converted",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><plist><string>\xE9</string></plist>",
         "é"},
        {"deepest allowed nesting", test::nestedArrays(kMaxNestingDepth), test::nested(512)},
    };
    for (const auto& row : rows) {
        const ReadResult result = readXml(row.text);
        ASSERT_TRUE(result) << row.what << ": " << result.error;
        EXPECT_EQ(*result.value, row.expected) << row.what;
    }
}

TEST(XmlReader, RefusesBadDocumentsWithAReason) {
    EXPECT_EQ(readXml("\n\r\n  <plist><foo/></plist>").error.rfind("line 3, column 10: ", 0), 0u);
    for (const auto& row : test::badXmlDocuments()) {
        const ReadResult result = readXml(row.text);
        EXPECT_FALSE(result) << row.what;
        EXPECT_FALSE(result.error.empty()) << row.what;
        if (!row.truncated) {
            EXPECT_EQ(result.error.rfind("line ", 0), 0u) << row.what << ": " << result.error;
        }
    }
}

} // namespace
} // namespace plist
