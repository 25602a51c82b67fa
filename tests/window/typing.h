#pragma once

#include "window/mydocument.h"
#include "window/worksheeteditor.h"

#include <QSignalSpy>
#include <QTest>

// Types the line at the end of the worksheet, presses Return and waits for its answer.
inline void calculateLine(MyDocument* worksheet, const QString& line) {
    QSignalSpy answered(worksheet, &MyDocument::calculationFinished);
    worksheet->textView()->moveCursor(QTextCursor::End);
    worksheet->textView()->insertPlainText(line);
    QTest::keyClick(worksheet->textView(), Qt::Key_Return);
    QVERIFY(answered.wait(10000));
}
