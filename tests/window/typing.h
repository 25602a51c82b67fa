// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Typing a line into a worksheet window, as the keyboard would; see calculating.h.

#include "../worksheet/calculating.h"
#include "windowtesting.h"

#include <QTest>

// Types the line at the end of the worksheet in its editor, presses Return there and waits for
// its answer.
[[nodiscard]] inline bool typeAndCalculate(MyDocument* document, const QString& line) {
    WorksheetEditor* editor = editorOf(document);
    editor->moveCursor(QTextCursor::End);
    editor->insertPlainText(line);
    QTest::keyClick(editor, Qt::Key_Return);
    return answersAreIn(*document->worksheet());
}
