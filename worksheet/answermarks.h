// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QTextCursor>

class QTextBlock;
class QTextDocument;
class QTimer;

// Marks over a worksheet's answers, never part of the text, so a saved file holds plain text
// and colours: answers out of date until they are calculated again, and answers that just
// changed, for a moment. Views show them as they change.
class AnswerMarks : public QObject {
    Q_OBJECT

public:
    explicit AnswerMarks(QTextDocument* text);

    void markOutOfDate(const QTextBlock& answer);
    // Remembers an answered statement as it was calculated.
    void noteAnswered(const QTextBlock& statement);
    // An answered statement was edited: its answer is out of date, until an edit such as Undo
    // puts back the statement it was calculated from.
    void statementEdited(const QTextBlock& statement);
    // Clears the marks of the answer lines given by block number.
    void clearOutOfDate(const QList<int>& answers);
    bool isOutOfDate(const QTextBlock& answer) const;
    // Those of the answer lines, by block number, that are out of date.
    QList<int> outOfDate(const QList<int>& answers) const;
    // Marks the answer lines, given by block number, as just changed, for `milliseconds`.
    void markChanged(const QList<int>& answers, int milliseconds);

    // Each at the start of its answer line.
    const QList<QTextCursor>& outOfDateMarks() const { return mOutOfDate; }
    const QList<QTextCursor>& changedMarks() const { return mChanged; }

signals:
    // A mark came or went.
    void changed();

private:
    QTextDocument* mText;
    // Each at the start of its answer line, which it follows through edits.
    QList<QTextCursor> mOutOfDate;
    QList<QTextCursor> mChanged;
    QTimer* mChangedTimer;
};
