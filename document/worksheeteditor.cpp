#include "document/worksheeteditor.h"

#include "document/namecompleter.h"
#include "document/quietscrollbar.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>

WorksheetEditor::WorksheetEditor(QWidget* parent)
    : QTextEdit(parent), mNameCompleter(new NameCompleter(this)) {
    setVerticalScrollBar(new QuietScrollBar(Qt::Vertical, this));
    // A long number or name moves to the next line whole rather than being split.
    setWordWrapMode(QTextOption::WordWrap);
    // Shown while the text is empty, never part of it: not saved, printed or undone.
    setPlaceholderText(tr("Type a calculation and press Return"));
}

void WorksheetEditor::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // While names are offered, these keys belong to the list: Return takes a name and does not
    // calculate.
    if (mNameCompleter->isOffering() &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
         key == Qt::Key_Backtab || key == Qt::Key_Escape)) {
        event->ignore();
        return;
    }
    const bool lineBreak = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!lineBreak || isReadOnly()) {
        QTextEdit::keyPressEvent(event);
        // Only keys that change the word being typed open or narrow the list.
        if (!event->text().isEmpty() || key == Qt::Key_Backspace)
            mNameCompleter->textTyped();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && mReturnHandler && mReturnHandler()) {
        event->accept();
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.insertBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
}
