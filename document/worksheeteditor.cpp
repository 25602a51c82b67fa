#include "document/worksheeteditor.h"

#include <QKeyEvent>

WorksheetEditor::WorksheetEditor(QWidget* parent) : QTextEdit(parent) {}

void WorksheetEditor::keyPressEvent(QKeyEvent* event) {
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!lineBreak || isReadOnly()) {
        QTextEdit::keyPressEvent(event);
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
