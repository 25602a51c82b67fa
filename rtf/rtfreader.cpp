// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfreader.h"

#include "rtf/rtfparser.h"

#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

namespace rtf {

namespace {

void fillDocument(const rtf::RtfContent& content, QTextDocument& document) {
    const bool undoWasEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    // Qt decodes a byte array resource itself; other kinds show Qt's placeholder.
    for (const rtf::NamedPicture& named : content.pictures) {
        if (isShownByQt(named.picture.kind) && !named.picture.bytes.isEmpty())
            document.addResource(QTextDocument::ImageResource, QUrl(named.name),
                                 QVariant(named.picture.bytes));
    }

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

} // namespace

bool readRtf(const QByteArray& rtf, QTextDocument& document, QString* error,
             QList<int>* unreadCodePages) {
    rtf::RtfContent content;
    QString message;
    rtf::RtfParser parser(rtf);
    if (!parser.parse(content, message)) {
        if (error)
            *error = message;
        return false;
    }
    fillDocument(content, document);
    if (unreadCodePages)
        *unreadCodePages =
            QList<int>(content.unreadCodePages.begin(), content.unreadCodePages.end());
    return true;
}

} // namespace rtf
