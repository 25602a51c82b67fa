// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/answermarks.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// What an answered statement read when its answer was calculated, kept with its line.
struct AnsweredStatement : QTextBlockUserData {
    explicit AnsweredStatement(const QString& text) : text(text) {}
    QString text;
    // Whether it was its own edit, not a line it depends on, that put its answer out of date.
    bool markedByEdit = false;
};

} // namespace

AnswerMarks::AnswerMarks(QTextDocument* text)
    : QObject(text), mText(text), mChangedTimer(new QTimer(this)) {
    mChangedTimer->setSingleShot(true);
    // A mark for a moment, not a change of the text: it goes by itself.
    connect(mChangedTimer, &QTimer::timeout, this, [this] {
        mChanged.clear();
        emit changed();
    });
}

void AnswerMarks::markOutOfDate(const QTextBlock& answer) {
    if (isOutOfDate(answer))
        return;
    mOutOfDate.append(QTextCursor(answer));
    emit changed();
}

void AnswerMarks::noteAnswered(const QTextBlock& statement) {
    QTextBlock(statement).setUserData(new AnsweredStatement(statement.text()));
}

void AnswerMarks::statementEdited(const QTextBlock& statement) {
    const QTextBlock answer = statement.next();
    auto* answered = static_cast<AnsweredStatement*>(statement.userData());
    if (answered && answered->text == statement.text()) {
        if (std::exchange(answered->markedByEdit, false))
            clearOutOfDate({answer.blockNumber()});
        return;
    }
    if (isOutOfDate(answer))
        return;
    if (answered)
        answered->markedByEdit = true;
    markOutOfDate(answer);
}

void AnswerMarks::clearOutOfDate(const QList<int>& answers) {
    const QSet<int> cleared(answers.begin(), answers.end());
    const qsizetype before = mOutOfDate.size();
    mOutOfDate.removeIf(
        [&cleared](const QTextCursor& mark) { return cleared.contains(mark.blockNumber()); });
    if (mOutOfDate.size() != before)
        emit changed();
}

bool AnswerMarks::isOutOfDate(const QTextBlock& answer) const {
    return std::any_of(mOutOfDate.begin(), mOutOfDate.end(),
                       [&answer](const QTextCursor& mark) { return mark.block() == answer; });
}

QList<int> AnswerMarks::outOfDate(const QList<int>& answers) const {
    QSet<int> marked;
    for (const QTextCursor& mark : mOutOfDate)
        marked.insert(mark.blockNumber());
    QList<int> found;
    for (int answer : answers)
        if (marked.contains(answer))
            found.append(answer);
    return found;
}

void AnswerMarks::markChanged(const QList<int>& answers, int milliseconds) {
    mChanged.clear();
    for (int number : answers)
        mChanged.append(QTextCursor(mText->findBlockByNumber(number)));
    emit changed();
    mChangedTimer->start(milliseconds);
}
