// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/rtfkeywords.h"
#include "rtf/rtfpicture.h"
#include "rtf/rtftokenizer.h"

#include <QByteArrayView>

#include <optional>

namespace rtf {

// Collects one \pict group as it is read: the kind of its data, its sizes, and the data itself,
// given as hex digits or as \bin bytes. Damaged hex keeps every whole byte it holds.
class PictureReader {
public:
    void handleWord(Keyword keyword, const RtfToken& token);
    // Characters that are not hex digits are passed over; a digit left without its partner at
    // the end is dropped.
    void appendHex(QByteArrayView text);
    void appendBinary(QByteArrayView bytes);
    RtfPicture finish() const;

private:
    QString mKind;
    QByteArray mBytes;
    int mHighNibble = -1;
    std::optional<int> mWidth;
    std::optional<int> mHeight;
    std::optional<int> mGoalWidth;
    std::optional<int> mGoalHeight;
    int mScaleX = 100;
    int mScaleY = 100;
};

} // namespace rtf
