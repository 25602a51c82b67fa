#include "platform/rtfcodepage.h"

#include "platform/rtfcp1252.h"

#include <algorithm>
#include <array>
#include <utility>

namespace platform::rtf {

namespace {

constexpr int utf8CodePage = 65001;
constexpr int macRomanCodePage = 10000;

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

} // namespace

int codePageForCharset(int charset) {
    static constexpr std::array<std::pair<int, int>, 17> charsetCodePages = {{
        {77, macRomanCodePage},
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
    for (const auto& [knownCharset, codePage] : charsetCodePages) {
        if (knownCharset == charset)
            return codePage;
    }
    return 0;
}

bool CodePageDecoder::append(QByteArrayView bytes, int codePage, QString& text) {
    if (isAscii(bytes)) {
        text += QLatin1StringView(bytes.data(), bytes.size());
        return true;
    }
    if (codePage == windowsLatin1CodePage) {
        for (char byte : bytes)
            text += QChar(cp1252ToUnicode(static_cast<unsigned char>(byte)));
        return true;
    }
    if (codePage == utf8CodePage) {
        text += QString::fromUtf8(bytes);
        return true;
    }
    QStringDecoder* decoder = decoderFor(codePage);
    if (!decoder)
        return false;
    decoder->resetState();
    text += decoder->decode(bytes);
    return true;
}

QStringDecoder* CodePageDecoder::decoderFor(int codePage) {
    if (auto found = decoders_.find(codePage); found != decoders_.end())
        return &found->second;
    const QByteArray number = QByteArray::number(codePage);
    const QByteArray candidates[] = {
        codePage == macRomanCodePage ? QByteArray("macintosh") : "windows-" + number,
        "cp" + number,
        "ibm-" + number,
    };
    for (const QByteArray& name : candidates) {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid())
            return &decoders_.emplace(codePage, std::move(decoder)).first->second;
    }
    return nullptr;
}

} // namespace platform::rtf
