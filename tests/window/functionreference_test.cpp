// SPDX-License-Identifier: GPL-3.0-or-later
// Help ▸ Function Reference: it lists every built-in of the engine, each example gives the answer
// the reference shows for it, the filter narrows the list, and choosing an entry types it.

#include "engine/calcengine.h"
#include "engine/plotstatement.h"
#include "engine/quantity.h"
#include "platform/documentcontroller.h"
#include "window/functionreferencepanel.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "windowtesting.h"
#include "worksheet/functionreference.h"
#include "worksheet/resultformat.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

class FunctionReferenceTest : public QObject {
    Q_OBJECT

private slots:
    void listsEveryBuiltin() { QCOMPARE(builtinsMissingFromReference(), QStringList()); }

    // The engine is the oracle: each example calculates to the answer shown beside it, after a
    // line giving `last` the value 21.
    void examplesGiveTheirAnswers_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("answer");
        for (const ReferenceEntry& entry : functionReference(false))
            QTest::newRow(qPrintable(entry.usage)) << entry.example << entry.answer;
    }
    void examplesGiveTheirAnswers() {
        QFETCH(QString, example);
        QFETCH(QString, answer);
        const CalcStatePtr state = NewCalcState();
        Quantity value;
        std::size_t stop = 0;
        QCOMPARE(EvaluateStatement("21", *state, value, stop), int(kValue));
        if (IsPlotStatement(example.toStdString(), *state)) {
            PlotStatement plot;
            Failure failure;
            QVERIFY2(ReadPlotStatement(example.toStdString(), *state, plot, failure, stop),
                     qPrintable(example));
            return;
        }
        const int kind = EvaluateStatement(example.toStdString(), *state, value, stop);
        QVERIFY2(kind != kSyntaxError, qPrintable(example));
        if (!answer.isEmpty()) {
            QCOMPARE(kind, int(kValue));
            const QString unit = value.unit ? QString::fromStdString(value.unit->text) : QString();
            QCOMPARE(withUnit(formatCalculatedResult(value.number, false, false), unit), answer);
        }
    }

    void theFilterNarrowsTheList_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("a name") << "hypot" << QStringList{"hypot(a, b)"};
        QTest::newRow("any case, every name holding it")
            << "ATAN" << QStringList{"atan(x)", "atan2(y, x)"};
        QTest::newRow("a word of a description") << "hexadecimal" << QStringList{"0xFF"};
        QTest::newRow("nothing matches") << "zzz" << QStringList();
    }
    void theFilterNarrowsTheList() {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        FunctionReferencePanel panel(false);
        const int everything = int(functionReference(false).size());
        QCOMPARE(panel.shownEntries().size(), everything);
        QTest::keyClicks(panel.filter(), filter);
        QCOMPARE(panel.shownEntries(), shown);
        panel.filter()->clear();
        QCOMPARE(panel.shownEntries().size(), everything);
    }

    // Opened from the Help menu, at any size of the application's font, it shows every text
    // of every column whole: in full, or, where half the screen is too narrow for that, what an
    // entry does wrapped onto as many lines as its row makes room for.
    void opensWithNoTextCutShort_data() {
        QTest::addColumn<int>("points");
        QTest::newRow("small font") << 8;
        QTest::newRow("default font") << QApplication::font().pointSize();
        QTest::newRow("large font") << 16;
    }
    void opensWithNoTextCutShort() {
        QFETCH(int, points);
        const QFont before = QApplication::font();
        const auto restore = qScopeGuard([&before] { QApplication::setFont(before); });
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* worksheet = static_cast<MyDocument*>(documents.newDocument());
        QVERIFY(QTest::qWaitForWindowExposed(windowOf(worksheet)));
        commandOf(worksheet, QStringLiteral("&Function Reference"))->trigger();
        QTreeView* view = windowOf(worksheet)->functionReference()->view();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        // The layout and the rows' heights follow the panel's new width, once the panel has
        // laid its rows out again for it.
        const auto* relayout = windowOf(worksheet)->functionReference()->findChild<QTimer*>();
        QVERIFY(relayout);
        QTRY_VERIFY(!relayout->isActive());
        QCoreApplication::processEvents();
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
        const QFontMetrics metrics(view->font());
        // The item's text margin on either side, as Qt's styles draw it.
        const int margins =
            2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
        const QAbstractItemModel* entries = view->model();
        for (int column = 0; column < entries->columnCount(); ++column)
            QVERIFY(view->header()->sectionSize(column) >= view->header()->sectionSizeHint(column));
        for (int group = 0; group < entries->rowCount(); ++group) {
            const QModelIndex parent = entries->index(group, 0);
            for (int row = 0; row < entries->rowCount(parent); ++row) {
                for (int column = 0; column < entries->columnCount(); ++column) {
                    const QModelIndex cell = entries->index(row, column, parent);
                    const QRect shown = view->visualRect(cell);
                    const QRect needed =
                        metrics.boundingRect(QRect(0, 0, shown.width() - margins, 0),
                                             Qt::TextWordWrap, cell.data().toString());
                    QVERIFY2(needed.width() + margins <= shown.width() &&
                                 needed.height() <= shown.height(),
                             qPrintable(QStringLiteral("%1: %2 × %3 in %4 × %5")
                                            .arg(cell.data().toString())
                                            .arg(needed.width() + margins)
                                            .arg(needed.height())
                                            .arg(shown.width())
                                            .arg(shown.height())));
                }
            }
        }
    }

    // Return in the filter types its first entry at the insertion point, as the keyboard
    // would; activating an entry by any of its columns types it too.
    void typesAtTheInsertionPoint() {
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* worksheet = static_cast<MyDocument*>(documents.newDocument());
        WorksheetEditor* editor = editorOf(worksheet);
        editor->insertPlainText(QStringLiteral("2 *  + 1"));
        QTextCursor at = editor->textCursor();
        at.setPosition(4);
        editor->setTextCursor(at);
        FunctionReferencePanel* panel = windowOf(worksheet)->functionReference();
        QTest::keyClicks(panel->filter(), QStringLiteral("sqrt"));
        QTest::keyClick(panel->filter(), Qt::Key_Return);
        QCOMPARE(editor->toPlainText(), QStringLiteral("2 * sqrt( + 1"));
        editor->undo();
        QCOMPARE(editor->toPlainText(), QStringLiteral("2 *  + 1"));

        const QModelIndex functions = panel->view()->model()->index(0, 0);
        const QModelIndex rootSign = panel->view()->model()->index(1, 2, functions);
        panel->insertEntry(rootSign);
        QCOMPARE(editor->toPlainText(), QStringLiteral("2 * \u221A( + 1"));
    }
};

// Offscreen's own screen, 800 × 600, leaves a large font too little room beside any worksheet;
// these run on a small laptop's.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    QFile screen(folder.filePath(QStringLiteral("screen.json")));
    if (!screen.open(QIODevice::WriteOnly) ||
        screen.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,
            "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
        return 1;
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen.fileName()));
    return runWorksheetTest<FunctionReferenceTest, QApplication>(argc, argv);
}

#include "functionreference_test.moc"
