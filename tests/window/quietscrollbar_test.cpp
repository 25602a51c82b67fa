// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet's scroll bar repaints only when its look changes, and what the screen shows is
// always what a fresh painting of it would show.

#include "paintcounter.h"
#include "window/worksheeteditor.h"
#include "worksheettestmain.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QWindow>

namespace {

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QApplication::processEvents();
}

} // namespace

class QuietScrollBarTest : public QObject {
    Q_OBJECT

private slots:
    void repaintsOnlyWhenItsLookChanges_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("repaints");
        QTest::newRow("a line added at the foot") << "append" << false;
        QTest::newRow("scrolled to the top") << "top" << true;
        QTest::newRow("most of the text deleted") << "shorten" << true;
    }
    void repaintsOnlyWhenItsLookChanges() {
        QFETCH(QString, action);
        QFETCH(bool, repaints);
        WorksheetEditor editor;
        editor.resize(400, 300);
        QString text;
        for (int line = 0; line < 2000; ++line)
            text += QStringLiteral("%1 =\n%1\n").arg(line);
        editor.setPlainText(text);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        // A long text is laid out a piece at a time, in the background: lay all of it out now,
        // and let the scroll bar take the height of the whole.
        QScrollBar* bar = editor.verticalScrollBar();
        const int height = editor.document()->documentLayout()->documentSize().toSize().height();
        QTRY_COMPARE(bar->maximum(), height - editor.viewport()->height());
        editor.moveCursor(QTextCursor::End);
        editor.ensureCursorVisible();
        settle();
        PaintCounter paints;
        bar->installEventFilter(&paints);

        if (action == "append") {
            QTextCursor cursor = editor.textCursor();
            cursor.insertText(QStringLiteral("2000 =\n2000\n"));
            editor.ensureCursorVisible();
        } else if (action == "top") {
            bar->setValue(0);
        } else {
            QTextCursor cursor(editor.document());
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.movePosition(QTextCursor::Up, QTextCursor::KeepAnchor, 40);
            cursor.removeSelectedText();
        }
        settle();
        QCOMPARE(paints.count > 0, repaints);

        // The screen shows the scroll bar as it is now.
        const QPoint at = bar->mapTo(&editor, QPoint(0, 0));
        const QImage onScreen =
            editor.screen()
                ->grabWindow(editor.winId(), at.x(), at.y(), bar->width(), bar->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        const QImage fresh = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(onScreen, fresh);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(QuietScrollBarTest)

#include "quietscrollbar_test.moc"
