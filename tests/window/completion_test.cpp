// SPDX-License-Identifier: GPL-3.0-or-later
// Completing names as they are typed: the list opens on the first letters of a known name, and
// Return or Tab takes the name without calculating the line, unless the name is typed in full.

#include "platform/documentcontroller.h"
#include "typing.h"
#include "window/mydocument.h"
#include "window/namecompleter.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>

class CompletionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<platform::DocumentController> mController;
    MyDocument* mWorksheet = nullptr;

    [[nodiscard]] bool calculate(const QString& line) { return typeAndCalculate(mWorksheet, line); }

    // Keys go where the user's would: to the list while it is open, else to the text.
    void press(Qt::Key key) {
        QAbstractItemView* list = editorOf(mWorksheet)->nameCompleter()->completer()->popup();
        QTest::keyClick(list->isVisible() ? static_cast<QWidget*>(list)
                                          : static_cast<QWidget*>(editorOf(mWorksheet)),
                        key);
    }

private slots:
    void init() {
        mController = std::make_unique<platform::DocumentController>(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        mWorksheet = static_cast<MyDocument*>(mController->newDocument());
        mWorksheet->window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWorksheet->window()));
        QVERIFY(calculate(QStringLiteral("width = 12")));
        QVERIFY(calculate(QStringLiteral("widen(x) = x * 2")));
    }
    void cleanup() { mController.reset(); }

    void completes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("calculated");
        QTest::newRow("Return takes the first name, no calculation")
            << "wid" << int(Qt::Key_Return) << "widen" << false;
        QTest::newRow("Tab takes it too") << "widt" << int(Qt::Key_Tab) << "width" << false;
        QTest::newRow("a built-in") << "sq" << int(Qt::Key_Return) << "sqrt" << false;
        QTest::newRow("a unit after a number") << "5 mp" << int(Qt::Key_Return) << "5 mph" << false;
        QTest::newRow("Escape dismisses, the next Return calculates")
            << "wid" << int(Qt::Key_Escape) << "wid =" << true;
    }
    void completes() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, line);
        QFETCH(bool, calculated);
        QTest::keyClicks(editorOf(mWorksheet), typed);
        QVERIFY(editorOf(mWorksheet)->nameCompleter()->isOffering());
        press(Qt::Key(key));
        QVERIFY(!editorOf(mWorksheet)->nameCompleter()->isOffering());
        if (calculated) {
            QSignalSpy answered(mWorksheet->worksheet(), &Worksheet::calculationFinished);
            press(Qt::Key_Return);
            QVERIFY(answered.wait(10000));
        }
        const QStringList lines = editorOf(mWorksheet)->toPlainText().split('\n');
        QCOMPARE(lines.value(calculated ? lines.size() - 3 : lines.size() - 1), line);
    }

    // "wide" is a whole name, though the list also offers "widen": Return calculates.
    void returnCalculatesANameTypedInFull() {
        QVERIFY(calculate(QStringLiteral("wide = 3")));
        QTest::keyClicks(editorOf(mWorksheet), QStringLiteral("wide"));
        QVERIFY(editorOf(mWorksheet)->nameCompleter()->isOffering());
        QSignalSpy answered(mWorksheet->worksheet(), &Worksheet::calculationFinished);
        press(Qt::Key_Return);
        QVERIFY(answered.wait(10000));
        QVERIFY(!editorOf(mWorksheet)->nameCompleter()->isOffering());
        QVERIFY(editorOf(mWorksheet)->toPlainText().endsWith(QStringLiteral("wide =\n3\n")));
    }

    void offersNothingForOneLetterOrAWholeName() {
        QTest::keyClicks(editorOf(mWorksheet), QStringLiteral("w"));
        QVERIFY(!editorOf(mWorksheet)->nameCompleter()->isOffering());
        QTest::keyClicks(editorOf(mWorksheet), QStringLiteral("idth"));
        QVERIFY(!editorOf(mWorksheet)->nameCompleter()->isOffering());
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(CompletionTest)

#include "completion_test.moc"
