// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/answermarkspainter.h"

#include "worksheet/answermarks.h"
#include "worksheet/worksheetcolours.h"

#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {

QTextEdit::ExtraSelection markOver(const QTextCursor& at, const QTextCharFormat& format) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(at.block());
    mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    mark.format = format;
    return mark;
}

} // namespace

AnswerMarksPainter::AnswerMarksPainter(const AnswerMarks* marks, QTextEdit* editor)
    : QObject(editor), mMarks(marks), mEditor(editor), mShowLater(new QTimer(this)) {
    connect(marks, &AnswerMarks::changed, this, &AnswerMarksPainter::show);
    // A mark spans its line as the line was when it was shown: text replaced inside it, as an
    // undo does, leaves the editor's selection empty until it is shown again.
    mShowLater->setSingleShot(true);
    mShowLater->setInterval(0);
    connect(mShowLater, &QTimer::timeout, this, &AnswerMarksPainter::show);
    connect(editor->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!mMarks->outOfDateMarks().isEmpty() || !mMarks->changedMarks().isEmpty())
            mShowLater->start();
    });
    show();
}

void AnswerMarksPainter::show() {
    // Read in both light and dark schemes: the placeholder colour is the palette's own dim text.
    QTextCharFormat outOfDate;
    outOfDate.setFontStrikeOut(true);
    outOfDate.setForeground(worksheetColour(WorksheetColour::OutOfDate, mEditor->palette()));
    QColor highlight = mEditor->palette().color(QPalette::Highlight);
    highlight.setAlpha(70);
    QTextCharFormat changed;
    changed.setBackground(highlight);

    QList<QTextEdit::ExtraSelection> marks;
    for (const QTextCursor& mark : mMarks->outOfDateMarks())
        marks.append(markOver(mark, outOfDate));
    for (const QTextCursor& mark : mMarks->changedMarks())
        marks.append(markOver(mark, changed));
    mEditor->setExtraSelections(marks);
}
