// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfbytedecoder.h"

#include <algorithm>
#include <array>
#include <cerrno>

namespace rtf {

namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';
// What ICU puts for a byte its table leaves undefined.
constexpr char16_t icuSubstitute = u'\u001A';

bool isLeadByteRange(unsigned char byte) { return byte >= 0x81; }

} // namespace

std::unique_ptr<ByteDecoder> ByteDecoder::openIconv(const char* name,
                                                    std::span<const SingleByteCharacter> singles) {
    const iconv_t handle = iconv_open("UTF-8", name);
    if (handle == iconv_t(-1))
        return nullptr;
    std::unique_ptr<ByteDecoder> decoder(new ByteDecoder);
    decoder->mIconv = handle;
    decoder->mSingles = singles;
    decoder->mSpreadsOverTwoBytes = true;
    return decoder;
}

std::unique_ptr<ByteDecoder>
ByteDecoder::openIcuSingleByte(const char* name, std::span<const SingleByteCharacter> singles) {
    QStringDecoder icu(name, QStringDecoder::Flag::Stateless);
    if (!icu.isValid())
        return nullptr;
    std::unique_ptr<ByteDecoder> decoder(new ByteDecoder);
    decoder->mIcu.emplace(std::move(icu));
    decoder->mSingles = singles;
    return decoder;
}

ByteDecoder::~ByteDecoder() {
    if (mIconv != iconv_t(-1))
        iconv_close(mIconv);
}

QString ByteDecoder::decode(QByteArrayView bytes) {
    if (mSingles.empty())
        return decodeRun(bytes);
    QString text;
    qsizetype start = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        const auto single = std::find_if(mSingles.begin(), mSingles.end(),
                                         [byte](const auto& entry) { return entry.byte == byte; });
        if (single != mSingles.end()) {
            text += decodeRun(bytes.sliced(start, at - start));
            text += QChar(single->character);
            start = ++at;
            continue;
        }
        at += mSpreadsOverTwoBytes && isLeadByteRange(byte) ? 2 : 1;
    }
    text += decodeRun(bytes.sliced(start));
    return text;
}

QString ByteDecoder::decodeRun(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return {};
    return mIcu ? decodeSingleBytesWithIcu(bytes) : decodeWithIconv(bytes);
}

QString ByteDecoder::decodeWithIconv(QByteArrayView bytes) {
    iconv(mIconv, nullptr, nullptr, nullptr, nullptr);
    QString text;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    std::array<char, 1024> buffer;
    for (;;) {
        char* out = buffer.data();
        size_t outLeft = buffer.size();
        const size_t converted = in ? iconv(mIconv, &in, &inLeft, &out, &outLeft)
                                    : iconv(mIconv, nullptr, nullptr, &out, &outLeft);
        text += QString::fromUtf8(buffer.data(), out - buffer.data());
        if (converted != size_t(-1)) {
            if (!in)
                break;
            // All bytes taken: what a stateful code page still holds comes out next.
            in = nullptr;
            continue;
        }
        if (errno == E2BIG)
            continue;
        // A byte that starts no character (EILSEQ) or a character cut off at the end (EINVAL).
        text += QChar(replacementCharacter);
        ++in;
        --inLeft;
        iconv(mIconv, nullptr, nullptr, nullptr, nullptr);
    }
    return text;
}

QString ByteDecoder::decodeSingleBytesWithIcu(QByteArrayView bytes) {
    mIcu->resetState();
    QString text = mIcu->decode(bytes);
    if (text.size() == bytes.size()) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == icuSubstitute && bytes[i] != '\x1A')
                text[i] = replacementCharacter;
        }
    }
    return text;
}

} // namespace rtf
