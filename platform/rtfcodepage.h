#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

namespace platform::rtf {

inline constexpr int windowsLatin1CodePage = 1252;

// The code page a font's \fcharset selects, or 0 when text in that font follows the document's
// code page.
int codePageForCharset(int charset);

// Turns \'hh bytes and raw 8-bit text into Unicode. Runs of bytes are decoded together because
// East Asian code pages spread one character over two bytes.
class CodePageDecoder {
public:
    // False when there is no way to decode codePage; bytes below 0x80 are ASCII in any code page
    // this can meet, so plain ASCII never fails.
    bool append(QByteArrayView bytes, int codePage, QString& text);

private:
    QStringDecoder* decoderFor(int codePage);

    std::map<int, QStringDecoder> decoders_;
};

} // namespace platform::rtf
