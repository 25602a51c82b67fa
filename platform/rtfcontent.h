#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <vector>

namespace platform::rtf {

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

// What a reader found, kept apart from any QTextDocument so a failed read touches nothing.
struct RtfContent {
    std::vector<RtfParagraph> paragraphs;
};

} // namespace platform::rtf
