// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtffontname.h"

#include <algorithm>
#include <array>
#include <optional>

namespace rtf {

namespace {

struct StyleWords {
    bool bold = false;
    bool italic = false;
};

// Multi-word families whose PostScript names have no hyphen, or whose spacing the camel-case
// rule below would get wrong.
QString knownFamily(QStringView postScriptBase) {
    static constexpr std::array<std::pair<const char16_t*, const char16_t*>, 17> families = {{
        {u"AmericanTypewriter", u"American Typewriter"},
        {u"AppleColorEmoji", u"Apple Color Emoji"},
        {u"AppleSymbols", u"Apple Symbols"},
        {u"ArialNarrow", u"Arial Narrow"},
        {u"ComicSansMS", u"Comic Sans MS"},
        {u"CourierNew", u"Courier New"},
        {u"DejaVuSans", u"DejaVu Sans"},
        {u"DejaVuSansMono", u"DejaVu Sans Mono"},
        {u"DejaVuSerif", u"DejaVu Serif"},
        {u"GillSans", u"Gill Sans"},
        {u"HelveticaNeue", u"Helvetica Neue"},
        {u"JetBrainsMono", u"JetBrains Mono"},
        {u"LucidaGrande", u"Lucida Grande"},
        {u"PingFangSC", u"PingFang SC"},
        {u"PingFangTC", u"PingFang TC"},
        {u"TimesNewRoman", u"Times New Roman"},
        {u"TrebuchetMS", u"Trebuchet MS"},
    }};
    for (const auto& [base, family] : families) {
        if (postScriptBase == QStringView(base))
            return QString::fromUtf16(family);
    }
    return {};
}

bool isUpper(QChar c) { return c >= u'A' && c <= u'Z'; }
bool isLower(QChar c) { return c >= u'a' && c <= u'z'; }

// "SourceCodePro" -> "Source Code Pro", "SFMono" -> "SF Mono".
QString spacedCamelCase(QStringView name) {
    QString spaced;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (i > 0 && isUpper(c)) {
            const bool afterLower = isLower(name[i - 1]);
            const bool endsAcronym =
                isUpper(name[i - 1]) && i + 1 < name.size() && isLower(name[i + 1]);
            if (afterLower || endsAcronym)
                spaced += u' ';
        }
        spaced += c;
    }
    return spaced;
}

QStringView withoutSuffix(QStringView text, QStringView suffix) {
    if (text.size() > suffix.size() && text.endsWith(suffix) &&
        isLower(text[text.size() - suffix.size() - 1]))
        return text.chopped(suffix.size());
    return text;
}

// Vendor marks Adobe and Monotype add to PostScript names: "ArialMT", "TimesNewRomanPSMT".
QStringView withoutVendorMarks(QStringView name) {
    for (QStringView mark : {QStringView(u"PSMT"), QStringView(u"MT"), QStringView(u"PS")}) {
        const QStringView stripped = withoutSuffix(name, mark);
        if (stripped.size() != name.size())
            return stripped;
    }
    return name;
}

QString familyFromPostScriptBase(QStringView base) {
    base = withoutVendorMarks(base);
    const QString known = knownFamily(base);
    return known.isEmpty() ? spacedCamelCase(base).trimmed() : known;
}

// The part after the hyphen in "Helvetica-BoldOblique"; nothing when it holds a word that is
// not a style, in which case the hyphen belongs to the family name.
std::optional<StyleWords> parseStyle(QStringView style) {
    if (style.endsWith(u"MT"))
        style.chop(2);
    if (style.isEmpty())
        return std::nullopt;
    static constexpr std::array<QStringView, 5> boldWords = {u"Bold", u"Semibold", u"Demibold",
                                                             u"Heavy", u"Black"};
    static constexpr std::array<QStringView, 2> italicWords = {u"Italic", u"Oblique"};
    static constexpr std::array<QStringView, 17> otherWords = {
        u"Regular",   u"Roman",      u"Book",   u"Plain", u"Normal",  u"Medium",
        u"Light",     u"Thin",       u"Ultra",  u"Extra", u"Semi",    u"Demi",
        u"Condensed", u"Compressed", u"Narrow", u"Wide",  u"Expanded"};
    const auto contains = [](const auto& words, QStringView word) {
        return std::find(words.begin(), words.end(), word) != words.end();
    };

    StyleWords words;
    qsizetype start = 0;
    while (start < style.size()) {
        qsizetype end = start + 1;
        while (end < style.size() && !isUpper(style[end]))
            ++end;
        const QStringView word = style.sliced(start, end - start);
        if (contains(boldWords, word))
            words.bold = true;
        else if (contains(italicWords, word))
            words.italic = true;
        else if (!contains(otherWords, word))
            return std::nullopt;
        start = end;
    }
    return words;
}

} // namespace

FontFace fontFaceFromRtfName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.startsWith(u'.'))
        return {};
    if (trimmed.contains(u' '))
        return {trimmed};

    const qsizetype hyphen = trimmed.lastIndexOf(u'-');
    if (hyphen > 0) {
        if (const auto style = parseStyle(QStringView(trimmed).sliced(hyphen + 1)))
            return {familyFromPostScriptBase(QStringView(trimmed).first(hyphen)), style->bold,
                    style->italic};
        return {trimmed};
    }
    if (withoutVendorMarks(trimmed).size() != trimmed.size() || !knownFamily(trimmed).isEmpty())
        return {familyFromPostScriptBase(trimmed)};
    return {trimmed};
}

} // namespace rtf
