// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtftextbuilder.h"

#include <QChar>

#include <utility>

namespace rtf {

namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';

// QTextDocument turns these into block breaks when inserted as text; within a paragraph they
// can only mean a line break.
bool breaksLine(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == QChar::ParagraphSeparator ||
           unit == QChar::LineSeparator;
}

// QTextDocument marks the start and end of frames with these.
bool isFrameMarker(char16_t unit) { return unit == 0xFDD0 || unit == 0xFDD1; }

bool isDroppedControl(char16_t unit) { return (unit < 0x20 && unit != u'\t') || unit == 0x7F; }

} // namespace

void RtfTextBuilder::append(char16_t unit, const QTextCharFormat& format) {
    if (QChar::isHighSurrogate(unit)) {
        flushLoneSurrogate();
        mPendingHighSurrogate = unit;
        mPendingFormat = format;
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        if (mPendingHighSurrogate == 0) {
            appendAccepted(QStringView(&replacementCharacter, 1), format);
            return;
        }
        const char16_t pair[2] = {mPendingHighSurrogate, unit};
        mPendingHighSurrogate = 0;
        appendAccepted(QStringView(pair, 2), mPendingFormat);
        return;
    }
    flushLoneSurrogate();
    if (breaksLine(unit))
        unit = QChar::LineSeparator;
    else if (isFrameMarker(unit))
        unit = replacementCharacter;
    else if (isDroppedControl(unit))
        return;
    appendAccepted(QStringView(&unit, 1), format);
}

void RtfTextBuilder::append(const QString& text, const QTextCharFormat& format) {
    for (QChar c : text)
        append(c.unicode(), format);
}

void RtfTextBuilder::appendPicture(RtfPicture picture, const QTextCharFormat& format) {
    flushLoneSurrogate();
    const QString name = pictureName(static_cast<int>(mContent.pictures.size()) + 1);
    const char16_t objectReplacement = QChar::ObjectReplacementCharacter;
    appendAccepted(QStringView(&objectReplacement, 1), pictureFormat(picture, name, format));
    mContent.pictures.push_back({name, std::move(picture)});
}

void RtfTextBuilder::endParagraph(const QTextBlockFormat& blockFormat,
                                  const QTextCharFormat& endFormat) {
    flushLoneSurrogate();
    mCurrent.blockFormat = blockFormat;
    mCurrent.endFormat = endFormat;
    mContent.paragraphs.push_back(std::move(mCurrent));
    mCurrent = RtfParagraph{};
}

RtfContent RtfTextBuilder::finish(const QTextBlockFormat& blockFormat,
                                  const QTextCharFormat& endFormat) {
    endParagraph(blockFormat, endFormat);
    return std::exchange(mContent, RtfContent{});
}

void RtfTextBuilder::appendAccepted(QStringView text, const QTextCharFormat& format) {
    if (mCurrent.runs.empty() || mCurrent.runs.back().format != format)
        mCurrent.runs.push_back(RtfRun{QString(), format});
    mCurrent.runs.back().text += text;
}

void RtfTextBuilder::flushLoneSurrogate() {
    if (mPendingHighSurrogate == 0)
        return;
    mPendingHighSurrogate = 0;
    appendAccepted(QStringView(&replacementCharacter, 1), mPendingFormat);
}

} // namespace rtf
