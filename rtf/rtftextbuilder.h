// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/rtfcontent.h"

namespace rtf {

// Collects decoded text into paragraphs of runs, merging neighbours that share a format. It
// pairs UTF-16 surrogates that arrive as separate \u words and keeps out characters that
// QTextDocument would not store as plain text.
class RtfTextBuilder {
public:
    void append(char16_t unit, const QTextCharFormat& format);
    void append(const QString& text, const QTextCharFormat& format);
    // One object replacement character standing for the picture, named uniquely.
    void appendPicture(RtfPicture picture, const QTextCharFormat& format);
    void endParagraph(const QTextBlockFormat& blockFormat, const QTextCharFormat& endFormat);
    // The content so far with the last, possibly empty, paragraph closed.
    RtfContent finish(const QTextBlockFormat& blockFormat, const QTextCharFormat& endFormat);

private:
    void appendAccepted(QStringView text, const QTextCharFormat& format);
    void flushLoneSurrogate();

    RtfContent mContent;
    RtfParagraph mCurrent;
    char16_t mPendingHighSurrogate = 0;
    QTextCharFormat mPendingFormat;
};

} // namespace rtf
