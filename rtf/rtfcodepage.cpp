// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfcodepage.h"

#include <algorithm>
#include <array>
#include <utility>

namespace rtf {

namespace {

constexpr int utf8CodePage = 65001;
constexpr int firstMacCharset = 77;
// The Mac encodings run up to 32 (Vietnamese); charsets past that are not Mac ones.
constexpr int lastMacCharset = firstMacCharset + 32;

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

int lookUp(std::span<const std::pair<int, int>> table, int key) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [key](const auto& entry) { return entry.first == key; });
    return found == table.end() ? 0 : found->second;
}

// The published RTF numbering of the Mac charsets.
int publishedMacCodePage(int charset) {
    static constexpr std::array<std::pair<int, int>, 12> codePages = {{
        {77, 10000},
        {78, 10001},
        {79, 10003},
        {80, 10008},
        {81, 10002},
        {83, 10005},
        {84, 10004},
        {85, 10006},
        {86, 10081},
        {87, 10021},
        {88, 10029},
        {89, 10007},
    }};
    return lookUp(codePages, charset);
}

// Cocoa's numbering: 77 plus the Mac encoding, so 79 is Traditional Chinese and 102 Simplified.
int cocoaMacCodePage(int charset) { return canonicalCodePage(10000 + charset - firstMacCharset); }

int windowsCodePage(int charset) {
    static constexpr std::array<std::pair<int, int>, 17> codePages = {{
        {0, windowsLatin1CodePage},
        {128, 932},
        {129, 949},
        {130, 1361},
        {134, 936},
        {136, 950},
        {161, 1253},
        {162, 1254},
        {163, 1258},
        {177, 1255},
        {178, 1256},
        {186, 1257},
        {204, 1251},
        {222, 874},
        {238, 1250},
        {254, 437},
        {255, 850},
    }};
    return lookUp(codePages, charset);
}

// Apple's East Asian code pages put a few characters on single bytes that the Windows code
// pages they extend leave undefined or use otherwise.
constexpr SingleByteCharacter macJapaneseSingles[] = {
    {0x80, u'\\'}, {0xA0, u'\u00A0'}, {0xFD, u'\u00A9'}, {0xFE, u'\u2122'}, {0xFF, u'\u2026'}};
constexpr SingleByteCharacter macTraditionalChineseSingles[] = {
    {0x80, u'\\'}, {0xA0, u'\u00A0'}, {0xFD, u'\u00A9'}, {0xFE, u'\u2122'}, {0xFF, u'\u2026'}};
constexpr SingleByteCharacter macSimplifiedChineseSingles[] = {
    {0x80, u'\u00FC'}, {0xA0, u'\u00A0'}, {0xFD, u'\u00A9'}, {0xFE, u'\u2122'}, {0xFF, u'\u2026'}};
constexpr SingleByteCharacter macKoreanSingles[] = {{0x80, u'\u00A0'}, {0x81, u'\u20A9'},
                                                    {0x82, u'\u2014'}, {0x83, u'\u00A9'},
                                                    {0xFE, u'\u2122'}, {0xFF, u'\u2026'}};

// Mac Icelandic is Mac Roman with six letters in place of typographic signs.
constexpr SingleByteCharacter macIcelandicSingles[] = {{0xA0, u'\u00DD'}, {0xDC, u'\u00D0'},
                                                       {0xDD, u'\u00F0'}, {0xDE, u'\u00DE'},
                                                       {0xDF, u'\u00FE'}, {0xE0, u'\u00FD'}};

std::unique_ptr<ByteDecoder> openDecoder(int codePage) {
    switch (codePage) {
    case 10000:
        return ByteDecoder::openIcuSingleByte("macintosh");
    case 10001:
        return ByteDecoder::openIconv("CP932", macJapaneseSingles);
    case 10002:
        return ByteDecoder::openIconv("CP950", macTraditionalChineseSingles);
    case 10003:
        return ByteDecoder::openIconv("CP949", macKoreanSingles);
    case 10006:
        return ByteDecoder::openIcuSingleByte("x-mac-greek");
    case 10007:
    // Mac Ukrainian became Mac Cyrillic when Mac OS 9 added its two letters to the latter.
    case 10017:
        return ByteDecoder::openIcuSingleByte("x-mac-cyrillic");
    case 10008:
        return ByteDecoder::openIconv("CP936", macSimplifiedChineseSingles);
    case 10029:
        return ByteDecoder::openIcuSingleByte("x-mac-centraleurroman");
    case 10079:
        return ByteDecoder::openIcuSingleByte("macintosh", macIcelandicSingles);
    case 10081:
        return ByteDecoder::openIcuSingleByte("x-mac-turkish");
    default:
        return ByteDecoder::openIconv(("CP" + QByteArray::number(codePage)).constData());
    }
}

} // namespace

int canonicalCodePage(int codePage) {
    static constexpr std::array<std::pair<int, int>, 6> cocoaNumbers = {{
        {10025, 10008},
        {10035, 10081},
        {10036, 10082},
        {10037, 10079},
        {10038, 10010},
        {10152, 10017},
    }};
    const int windowsNumber = lookUp(cocoaNumbers, codePage);
    return windowsNumber != 0 ? windowsNumber : codePage;
}

int codePageForCharset(int charset, int documentCodePage) {
    if (charset < firstMacCharset || charset > lastMacCharset)
        return windowsCodePage(charset);
    // A document's code page is written by the same program as its fonts, so it says which
    // numbering a font uses when the two disagree.
    const int published = publishedMacCodePage(charset);
    const int cocoa = cocoaMacCodePage(charset);
    if (documentCodePage == published || documentCodePage == cocoa)
        return documentCodePage;
    return published != 0 ? published : cocoa;
}

bool CodePageDecoder::append(QByteArrayView bytes, int codePage, QString& text) {
    if (isAscii(bytes)) {
        text += QLatin1StringView(bytes.data(), bytes.size());
        return true;
    }
    if (codePage == utf8CodePage) {
        text += QString::fromUtf8(bytes);
        return true;
    }
    if (ByteDecoder* decoder = decoderFor(codePage)) {
        text += decoder->decode(bytes);
        return true;
    }
    for (char byte : bytes)
        text += static_cast<unsigned char>(byte) < 0x80 ? QChar(byte) : QChar(u'\uFFFD');
    return false;
}

ByteDecoder* CodePageDecoder::decoderFor(int codePage) {
    auto found = mDecoders.find(codePage);
    if (found == mDecoders.end())
        found = mDecoders.emplace(codePage, openDecoder(codePage)).first;
    return found->second.get();
}

} // namespace rtf
