// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace plist::test {

inline std::string wrapped(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n" +
           body + "\n</plist>\n";
}

inline std::string nestedArrays(std::size_t depth) {
    std::string open, close;
    for (std::size_t i = 0; i < depth; ++i) {
        open += "<array>";
        close += "</array>";
    }
    return wrapped(open + close);
}

struct BadXml {
    const char* what;
    std::string text;
    bool truncated; // could still become valid with more input
};

inline std::vector<BadXml> badXmlDocuments() {
    return {
        {"empty input", "", true},
        {"no closing tag", "<plist version=\"1.0\"><dict><key>a</key><string>x</string>", true},
        {"cut inside a tag", "<plist><arr", true},
        {"mismatched tag", wrapped("<array></dict>"), false},
        {"root is not plist", "<dict/>", false},
        {"unknown element", wrapped("<number>1</number>"), false},
        {"value without key", wrapped("<dict><string>a</string></dict>"), false},
        {"key without value", wrapped("<dict><key>a</key></dict>"), false},
        {"two keys in a row", wrapped("<dict><key>a</key><key>b</key><true/></dict>"), false},
        {"key in array", wrapped("<array><key>a</key></array>"), false},
        {"key at top", wrapped("<key>a</key>"), false},
        {"text in dict", wrapped("<dict>x<key>a</key><true/></dict>"), false},
        {"text in true", wrapped("<true>yes</true>"), false},
        {"element in string", wrapped("<string><true/></string>"), false},
        {"empty plist", wrapped(""), false},
        {"two values", wrapped("<true/><false/>"), false},
        {"nested plist", wrapped("<array><plist/></array>"), false},
        {"attribute on value", wrapped("<string id=\"1\">a</string>"), false},
        {"junk after root", wrapped("<true/>") + "x", false},
        {"element after root", wrapped("<true/>") + "<true/>", false},
        {"comment after root", wrapped("<true/>") + "<!-- more -->", false},
        {"real not a number", wrapped("<real>abc</real>"), false},
        {"real empty", wrapped("<real/>"), false},
        {"real trailing garbage", wrapped("<real>1.5x</real>"), false},
        {"real hexadecimal", wrapped("<real>0x1p3</real>"), false},
        {"real nan payload", wrapped("<real>nan(1)</real>"), false},
        {"real double sign", wrapped("<real>+-1</real>"), false},
        {"integer with fraction", wrapped("<integer>1.5</integer>"), false},
        {"integer empty", wrapped("<integer> </integer>"), false},
        {"integer hexadecimal", wrapped("<integer>0x10</integer>"), false},
        {"integer above uint64", wrapped("<integer>18446744073709551616</integer>"), false},
        {"integer below int64", wrapped("<integer>-9223372036854775809</integer>"), false},
        {"base64 bad character", wrapped("<data>AA*A</data>"), false},
        {"base64 incomplete group", wrapped("<data>AAA</data>"), false},
        {"base64 padding inside", wrapped("<data>AA==AAAA</data>"), false},
        {"base64 lone padding", wrapped("<data>A===</data>"), false},
        {"date without Z", wrapped("<date>2001-01-01T00:00:00</date>"), false},
        {"date with offset", wrapped("<date>2001-01-01T00:00:00+01:00</date>"), false},
        {"date that does not exist", wrapped("<date>2023-02-29T00:00:00Z</date>"), false},
        {"date hour 24", wrapped("<date>2001-01-01T24:00:00Z</date>"), false},
        {"invalid UTF-8", wrapped("<string>a\xFF</string>"), false},
        {"surrogate in UTF-8", wrapped("<string>\xED\xA0\x80</string>"), false},
        {"control character reference", wrapped("<string>&#1;</string>"), false},
        {"undefined entity", wrapped("<string>&nbsp;</string>"), false},
        {"entity declaration",
         "<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY a \"aaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><plist><string>&b;</string></plist>",
         false},
        {"parameter entity declaration",
         "<!DOCTYPE plist [<!ENTITY % p \"x\">]><plist><true/></plist>", false},
        {"nested too deep", nestedArrays(513), false},
    };
}

} // namespace plist::test
