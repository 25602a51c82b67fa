#include "platform/rtfreader.h"

#include "platform/keyedtexts.h"
#include "platform/rtfparser.h"

#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>

namespace platform {

namespace {

void fillDocument(const rtf::RtfContent& content, QTextDocument& document) {
    const bool undoWasEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();

    QTextCursor cursor(&document);
    bool first = true;
    for (const rtf::RtfParagraph& paragraph : content.paragraphs) {
        if (first) {
            cursor.setBlockFormat(paragraph.blockFormat);
            cursor.setBlockCharFormat(paragraph.endFormat);
            first = false;
        } else {
            cursor.insertBlock(paragraph.blockFormat, paragraph.endFormat);
        }
        for (const rtf::RtfRun& run : paragraph.runs)
            cursor.insertText(run.text, run.format);
    }

    document.setUndoRedoEnabled(undoWasEnabled);
    document.setModified(false);
}

QString unreadCodePagesNote(const std::vector<int>& codePages) {
    if (codePages.empty())
        return {};
    QStringList numbers;
    for (int codePage : codePages)
        numbers << QString::number(codePage);
    return keyedText("UnreadCodePage").arg(numbers.join(QStringLiteral(", ")));
}

} // namespace

bool readRtf(const QByteArray& rtf, QTextDocument& document, QString* error, QString* note) {
    rtf::RtfContent content;
    QString message;
    rtf::RtfParser parser(rtf);
    if (!parser.parse(content, message)) {
        if (error)
            *error = message;
        return false;
    }
    fillDocument(content, document);
    if (note)
        *note = unreadCodePagesNote(content.unreadCodePages);
    return true;
}

} // namespace platform
