#pragma once

#include <QColor>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace rtftest {

// A format with family and size set, as every run the writer writes ends up with.
inline QTextCharFormat styled(const QString& family = QStringLiteral("Helvetica"),
                              double points = 12) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

inline QTextCharFormat colored(const QColor& color, QTextCharFormat format = styled()) {
    format.setForeground(color);
    return format;
}

// Appends paragraphs of text in one format; "\n" starts a new paragraph.
inline void appendText(QTextDocument& document, const QString& text,
                       const QTextCharFormat& format = styled()) {
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    const QStringList paragraphs = text.split(u'\n');
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat(), format);
        else
            cursor.setBlockCharFormat(format);
        cursor.insertText(paragraphs[i], format);
    }
}

} // namespace rtftest
