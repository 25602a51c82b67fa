// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfpicturereader.h"

#include <algorithm>

namespace rtf {

namespace {

// Goal sizes are twips and win over \picw and \pich, which are pixels for bitmaps; the scale,
// in percent, applies to either.
std::optional<double> shownSize(std::optional<int> goalTwips, std::optional<int> pixels,
                                int scalePercent) {
    double size = 0;
    if (goalTwips)
        size = double(*goalTwips) / kTwipsPerPixel;
    else if (pixels)
        size = *pixels;
    else
        return std::nullopt;
    return std::min(size * scalePercent / 100, kMaxPictureSidePixels);
}

void setPositive(std::optional<int>& measure, const RtfToken& token) {
    if (token.hasParameter && token.parameter > 0)
        measure = token.parameter;
}

void setScale(int& scale, const RtfToken& token) {
    if (token.hasParameter && token.parameter > 0)
        scale = token.parameter;
}

} // namespace

void PictureReader::handleWord(Keyword keyword, const RtfToken& token) {
    switch (keyword) {
    case Keyword::PictureKind:
        mKind = QString::fromLatin1(token.word);
        if (token.hasParameter)
            mKind += QString::number(token.parameter);
        break;
    case Keyword::PictureWidth:
        setPositive(mWidth, token);
        break;
    case Keyword::PictureHeight:
        setPositive(mHeight, token);
        break;
    case Keyword::PictureGoalWidth:
        setPositive(mGoalWidth, token);
        break;
    case Keyword::PictureGoalHeight:
        setPositive(mGoalHeight, token);
        break;
    case Keyword::PictureScaleX:
        setScale(mScaleX, token);
        break;
    case Keyword::PictureScaleY:
        setScale(mScaleY, token);
        break;
    default:
        break;
    }
}

void PictureReader::appendHex(QByteArrayView text) {
    // A chart's picture is some ten thousand digits in runs of 128: written in place into room
    // made once, not appended a byte at a time.
    const qsizetype start = mBytes.size();
    const qsizetype most = start + text.size() / 2 + 1;
    if (mBytes.capacity() < most)
        mBytes.reserve(2 * most);
    mBytes.resize(most);
    char* out = mBytes.data() + start;
    int high = mHighNibble;
    for (char c : text) {
        const int value = hexDigitValue(c);
        if (value < 0)
            continue;
        if (high < 0) {
            high = value;
        } else {
            *out++ = static_cast<char>(high * 16 + value);
            high = -1;
        }
    }
    mHighNibble = high;
    mBytes.truncate(out - mBytes.constData());
}

void PictureReader::appendBinary(QByteArrayView bytes) { mBytes += bytes; }

RtfPicture PictureReader::finish() const {
    return RtfPicture{mKind, mBytes, shownSize(mGoalWidth, mWidth, mScaleX),
                      shownSize(mGoalHeight, mHeight, mScaleY)};
}

} // namespace rtf
