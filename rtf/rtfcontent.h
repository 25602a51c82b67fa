// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/rtfpicture.h"

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <vector>

namespace rtf {

// The character properties RTF carries: indexes into the font and colour tables (colour 0 is
// the default colour), the size in half points, and the styles.
struct CharacterProperties {
    static constexpr int defaultHalfPoints = 24;

    int font = -1;
    int halfPoints = defaultHalfPoints;
    int foreground = 0;
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QTextCharFormat::VerticalAlignment verticalAlignment = QTextCharFormat::AlignNormal;

    bool operator==(const CharacterProperties&) const = default;
};

struct RtfRun {
    QString text;
    QTextCharFormat format;
};

// endFormat is the character format in effect where the paragraph ends, which is what an empty
// paragraph shows when the user starts typing in it.
struct RtfParagraph {
    QTextBlockFormat blockFormat;
    QTextCharFormat endFormat;
    std::vector<RtfRun> runs;
};

// A picture in the text, under its image format's name.
struct NamedPicture {
    QString name;
    RtfPicture picture;
};

// What a reader found, kept apart from any QTextDocument so a failed read touches nothing.
struct RtfContent {
    std::vector<RtfParagraph> paragraphs;
    std::vector<NamedPicture> pictures;
    // Code pages of text that could not be decoded, which shows as U+FFFD, in order of use.
    std::vector<int> unreadCodePages;
};

} // namespace rtf
