#include "window/answermarks.h"

#include <QPalette>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
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

QTextEdit::ExtraSelection markOver(const QTextCursor& at, const QTextCharFormat& format) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(at.block());
    mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    mark.format = format;
    return mark;
}

} // namespace

AnswerMarks::AnswerMarks(QTextEdit* view)
    : QObject(view), mView(view), mChangedTimer(new QTimer(this)), mShowLater(new QTimer(this)) {
    // A mark spans its line as the line was when it was shown: text replaced inside it, as an
    // undo does, leaves the view's selection empty until it is shown again.
    mShowLater->setSingleShot(true);
    mShowLater->setInterval(0);
    connect(mShowLater, &QTimer::timeout, this, &AnswerMarks::show);
    connect(view->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!mOutOfDate.isEmpty() || !mChanged.isEmpty())
            mShowLater->start();
    });
    mChangedTimer->setSingleShot(true);
    // A mark for a moment, not a change: it goes by itself.
    connect(mChangedTimer, &QTimer::timeout, this, [this] {
        mChanged.clear();
        show();
    });
}

void AnswerMarks::markOutOfDate(const QTextBlock& answer) {
    if (isOutOfDate(answer))
        return;
    mOutOfDate.append(QTextCursor(answer));
    show();
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
        show();
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
        mChanged.append(QTextCursor(mView->document()->findBlockByNumber(number)));
    show();
    mChangedTimer->start(milliseconds);
}

void AnswerMarks::show() {
    // Read in both light and dark schemes: the placeholder colour is the palette's own dim text.
    QTextCharFormat outOfDate;
    outOfDate.setFontStrikeOut(true);
    outOfDate.setForeground(mView->palette().color(QPalette::PlaceholderText));
    QColor highlight = mView->palette().color(QPalette::Highlight);
    highlight.setAlpha(70);
    QTextCharFormat changed;
    changed.setBackground(highlight);

    QList<QTextEdit::ExtraSelection> marks;
    for (const QTextCursor& mark : std::as_const(mOutOfDate))
        marks.append(markOver(mark, outOfDate));
    for (const QTextCursor& mark : std::as_const(mChanged))
        marks.append(markOver(mark, changed));
    mView->setExtraSelections(marks);
}
