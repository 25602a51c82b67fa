// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/rtfbytedecoder.h"

#include <QByteArrayView>
#include <QString>

#include <map>
#include <memory>

namespace rtf {

inline constexpr int windowsLatin1CodePage = 1252;
inline constexpr int macRomanCodePage = 10000;

// Cocoa numbers the old Mac code pages 10000 plus the Mac encoding (10025 for Simplified
// Chinese) where Windows has its own number (10008); this gives the Windows one for both.
int canonicalCodePage(int codePage);

// The code page a font's \fcharset selects, or 0 when text in that font follows the document's
// code page. documentCodePage (canonical) tells apart the two numberings of the Mac charsets.
int codePageForCharset(int charset, int documentCodePage);

// Turns \'hh bytes and raw 8-bit text into Unicode. Runs of bytes are decoded together because
// East Asian code pages spread one character over two bytes.
class CodePageDecoder {
public:
    // Appends the decoded bytes to text. False when nothing here can decode codePage: its bytes
    // above 0x7F then become U+FFFD. Bytes below 0x80 are ASCII in any code page this can meet,
    // so plain ASCII never fails.
    bool append(QByteArrayView bytes, int codePage, QString& text);

private:
    ByteDecoder* decoderFor(int codePage);

    std::map<int, std::unique_ptr<ByteDecoder>> mDecoders;
};

} // namespace rtf
