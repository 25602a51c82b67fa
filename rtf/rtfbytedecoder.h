// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <iconv.h>

#include <memory>
#include <optional>
#include <span>

namespace rtf {

// A byte that one code page uses as a character of its own where the code page it is based on
// has another, such as 0xFD for the copyright sign in Mac Japanese.
struct SingleByteCharacter {
    unsigned char byte;
    char16_t character;
};

// Decodes the bytes of one code page. glibc's iconv does the multi-byte ones, since it reports
// every byte it cannot decode where ICU (through QStringDecoder) drops a character cut off at the
// end; ICU does the single-byte Mac ones, whose tables in glibc are older than Apple's.
// Bytes that cannot be decoded become U+FFFD, one for each, so nothing disappears silently.
class ByteDecoder {
public:
    // Nothing when the library does not know the name. Code pages through iconv may spread a
    // character over two bytes, so there singles only count where a character starts: the same
    // byte can be the second half of another.
    static std::unique_ptr<ByteDecoder>
    openIconv(const char* name, std::span<const SingleByteCharacter> singles = {});
    static std::unique_ptr<ByteDecoder>
    openIcuSingleByte(const char* name, std::span<const SingleByteCharacter> singles = {});
    ~ByteDecoder();
    ByteDecoder(const ByteDecoder&) = delete;
    ByteDecoder& operator=(const ByteDecoder&) = delete;

    QString decode(QByteArrayView bytes);

private:
    ByteDecoder() = default;
    QString decodeRun(QByteArrayView bytes);
    QString decodeWithIconv(QByteArrayView bytes);
    QString decodeSingleBytesWithIcu(QByteArrayView bytes);

    iconv_t mIconv = iconv_t(-1);
    std::optional<QStringDecoder> mIcu;
    std::span<const SingleByteCharacter> mSingles;
    bool mSpreadsOverTwoBytes = false;
};

} // namespace rtf
