// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfkeywords.h"

#include <QByteArray>
#include <QHash>

namespace rtf {

namespace {

using K = Keyword;

// Groups that hold no document text. Groups marked with \* are skipped whatever their word.
constexpr const char* skippedDestinations[] = {
    "author",
    "buptim",
    "colorschememapping",
    "comment",
    "creatim",
    "datastore",
    "doccomm",
    "fldinst",
    "filetbl",
    "footer",
    "footerf",
    "footerl",
    "footerr",
    "footnote",
    "generator",
    "header",
    "headerf",
    "headerl",
    "headerr",
    "info",
    "keywords",
    "latentstyles",
    "listoverridetable",
    "listtable",
    // What Word and LibreOffice write for readers that do not know the \shppict before it.
    "nonshppict",
    "object",
    "operator",
    "pgdsctbl",
    "printim",
    "private",
    "revtbl",
    "revtim",
    "rsidtbl",
    "stylesheet",
    "subject",
    "themedata",
    "title",
    "xmlnstbl",
};

struct WordMeaning {
    const char* word;
    KeywordMeaning meaning;
};

constexpr WordMeaning wordMeanings[] = {
    {"rtf", {K::Rtf}},
    {"ansi", {K::AnsiCharacterSet}},
    {"mac", {K::MacCharacterSet}},
    {"pc", {K::PcCharacterSet}},
    {"pca", {K::Pc850CharacterSet}},
    {"ansicpg", {K::AnsiCodePage}},
    {"deff", {K::DefaultFont}},
    {"fonttbl", {K::FontTable}},
    {"NeXTGraphic", {K::Attachment}},
    {"colortbl", {K::ColorTable}},
    {"pict", {K::Picture}},
    {"shppict", {K::ShapePicture}},
    {"pngblip", {K::PictureKind}},
    {"jpegblip", {K::PictureKind}},
    {"emfblip", {K::PictureKind}},
    {"wmetafile", {K::PictureKind}},
    {"pmmetafile", {K::PictureKind}},
    {"macpict", {K::PictureKind}},
    {"dibitmap", {K::PictureKind}},
    {"wbitmap", {K::PictureKind}},
    {"picw", {K::PictureWidth}},
    {"pich", {K::PictureHeight}},
    {"picwgoal", {K::PictureGoalWidth}},
    {"pichgoal", {K::PictureGoalHeight}},
    {"picscalex", {K::PictureScaleX}},
    {"picscaley", {K::PictureScaleY}},
    {"f", {K::Font}},
    {"fcharset", {K::FontCharset}},
    {"cpg", {K::FontCodePage}},
    {"fs", {K::FontSize}},
    {"red", {K::Red}},
    {"green", {K::Green}},
    {"blue", {K::Blue}},
    {"cf", {K::Foreground}},
    {"cb", {K::Background}},
    {"chcbpat", {K::Background}},
    {"highlight", {K::Background}},
    {"b", {K::Bold}},
    {"i", {K::Italic}},
    {"ul", {K::Underline}},
    {"uld", {K::Underline}},
    {"uldash", {K::Underline}},
    {"uldashd", {K::Underline}},
    {"uldashdd", {K::Underline}},
    {"uldb", {K::Underline}},
    {"ulth", {K::Underline}},
    {"ulw", {K::Underline}},
    {"ulwave", {K::Underline}},
    {"ulnone", {K::UnderlineNone}},
    {"strike", {K::Strike}},
    {"striked", {K::Strike}},
    {"super", {K::Superscript}},
    {"sub", {K::Subscript}},
    {"nosupersub", {K::NoSuperSub}},
    {"plain", {K::Plain}},
    {"par", {K::ParagraphBreak}},
    {"sect", {K::ParagraphBreak}},
    {"page", {K::ParagraphBreak}},
    {"row", {K::ParagraphBreak}},
    {"pard", {K::ResetParagraph}},
    {"ql", {K::AlignLeft}},
    {"qr", {K::AlignRight}},
    {"qc", {K::AlignCenter}},
    {"qj", {K::AlignJustify}},
    {"qnatural", {K::AlignNatural}},
    {"u", {K::Unicode}},
    {"uc", {K::UnicodeSkipCount}},
    {"line", {K::Character, u'\u2028'}},
    {"tab", {K::Character, u'\t'}},
    {"cell", {K::Character, u'\t'}},
    {"emdash", {K::Character, u'\u2014'}},
    {"endash", {K::Character, u'\u2013'}},
    {"emspace", {K::Character, u'\u2003'}},
    {"enspace", {K::Character, u'\u2002'}},
    {"qmspace", {K::Character, u'\u2005'}},
    {"bullet", {K::Character, u'\u2022'}},
    {"lquote", {K::Character, u'\u2018'}},
    {"rquote", {K::Character, u'\u2019'}},
    {"ldblquote", {K::Character, u'\u201C'}},
    {"rdblquote", {K::Character, u'\u201D'}},
    {"zwj", {K::Character, u'\u200D'}},
    {"zwnj", {K::Character, u'\u200C'}},
};

QHash<QByteArray, KeywordMeaning> buildMeanings() {
    QHash<QByteArray, KeywordMeaning> meanings;
    for (const char* word : skippedDestinations)
        meanings.insert(QByteArray(word), {K::SkippedDestination});
    for (const WordMeaning& entry : wordMeanings)
        meanings.insert(QByteArray(entry.word), entry.meaning);
    return meanings;
}

} // namespace

KeywordMeaning keywordMeaning(QByteArrayView word) {
    static const QHash<QByteArray, KeywordMeaning> meanings = buildMeanings();
    return meanings.value(QByteArray::fromRawData(word.data(), word.size()));
}

} // namespace rtf
