// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/namecompleter.h"

#include "worksheet/builtinnames.h"
#include "worksheet/statementwords.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

NameCompleter::NameCompleter(QTextEdit* editor)
    : QObject(editor), mEditor(editor), mCompleter(new QCompleter(this)),
      mModel(new QStringListModel(this)) {
    // Signs such as "π" are not typed as words.
    for (const QString& name : builtinNames())
        if (!name.isEmpty() && isNameStart(name.front()))
            mBuiltins.append(name);
    for (const QString& unit : unitNames())
        if (!unit.isEmpty() && isNameStart(unit.front()))
            mUnits.append(unit);
    setNames({});
    mCompleter->setModel(mModel);
    mCompleter->setWidget(editor);
    mCompleter->setCompletionMode(QCompleter::PopupCompletion);
    mCompleter->setCaseSensitivity(Qt::CaseSensitive);
    mCompleter->setModelSorting(QCompleter::CaseSensitivelySortedModel);
    connect(mCompleter, qOverload<const QString&>(&QCompleter::activated), this,
            &NameCompleter::insertCompletion);
    // Installed after the completer's own filter, so it sees the list's keys first.
    mCompleter->popup()->installEventFilter(this);
}

bool NameCompleter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mCompleter->popup() || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // The name is typed out in full and the list only offers longer ones besides: Return
    // means what it always means, calculate the line.
    if (mCompleter->popup()->currentIndex().data().toString() != wordBeforeCursor())
        return false;
    mCompleter->popup()->hide();
    QCoreApplication::sendEvent(mEditor, event);
    return true;
}

void NameCompleter::setNames(const QStringList& names) {
    mNames = names;
    QStringList all = names + mBuiltins;
    if (mOfferingUnits)
        all += mUnits;
    all.sort(Qt::CaseSensitive);
    all.removeDuplicates();
    mModel->setStringList(all);
}

void NameCompleter::setNameSource(std::function<QStringList()> source) {
    mNameSource = std::move(source);
    mStale = true;
}

bool NameCompleter::isOffering() const { return mCompleter->popup()->isVisible(); }

QString NameCompleter::wordBeforeCursor() const {
    const QTextCursor cursor = mEditor->textCursor();
    const QString line = cursor.block().text();
    int start = cursor.positionInBlock();
    while (start > 0 && isNameContinue(line.at(start - 1)))
        --start;
    const QString word = line.mid(start, cursor.positionInBlock() - start);
    return !word.isEmpty() && isNameStart(word.front()) ? word : QString();
}

bool NameCompleter::unitMayFollow() const {
    const QTextCursor cursor = mEditor->textCursor();
    const QString line = cursor.block().text();
    qsizetype at = cursor.positionInBlock() - wordBeforeCursor().size();
    while (at > 0 && line.at(at - 1).isSpace())
        --at;
    if (at > 0 && (line.at(at - 1).isDigit() || line.at(at - 1) == QLatin1Char('.')))
        return true;
    const QString before = line.left(at);
    for (const QLatin1String keyword : {QLatin1String("in"), QLatin1String("to")})
        if (before.endsWith(keyword) &&
            (before.size() == 2 || !isNameContinue(before.at(before.size() - 3))))
            return true;
    return before.endsWith(QLatin1String("->"));
}

void NameCompleter::textTyped() {
    const QString prefix = wordBeforeCursor();
    if (prefix.size() < kMinimumPrefix || mEditor->isReadOnly()) {
        mCompleter->popup()->hide();
        return;
    }
    const bool offerUnits = unitMayFollow();
    if ((mStale && mNameSource) || offerUnits != mOfferingUnits) {
        mOfferingUnits = offerUnits;
        setNames(mStale && mNameSource ? mNameSource() : mNames);
        mStale = false;
        mCompleter->setCompletionPrefix(QString());
    }
    if (prefix != mCompleter->completionPrefix()) {
        mCompleter->setCompletionPrefix(prefix);
        mCompleter->popup()->setCurrentIndex(mCompleter->completionModel()->index(0, 0));
    }
    // Nothing to add to a name typed out in full.
    if (mCompleter->completionCount() == 0 ||
        (mCompleter->completionCount() == 1 && mCompleter->currentCompletion() == prefix)) {
        mCompleter->popup()->hide();
        return;
    }
    QRect where = mEditor->cursorRect();
    where.setWidth(mCompleter->popup()->sizeHintForColumn(0) +
                   mCompleter->popup()->verticalScrollBar()->sizeHint().width());
    mCompleter->complete(where);
}

void NameCompleter::insertCompletion(const QString& name) {
    QTextCursor cursor = mEditor->textCursor();
    cursor.insertText(name.mid(mCompleter->completionPrefix().size()));
    mEditor->setTextCursor(cursor);
}
