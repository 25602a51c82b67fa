// SPDX-License-Identifier: GPL-3.0-or-later
// The symbols panel: what it lists after calculating, filtering, inserting and forgetting.

#include "engine/calcstate.h"
#include "platform/documentcontroller.h"
#include "typing.h"
#include "window/mydocument.h"
#include "window/symbolspanel.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

class SymbolsPanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<platform::DocumentController> mController;
    MyDocument* mWorksheet = nullptr;

    [[nodiscard]] bool calculate(const QString& line) { return typeAndCalculate(mWorksheet, line); }

    // "name: shown" for every row of the group the panel shows, in its order.
    QStringList rows(int group) const {
        const QAbstractItemModel* shown = windowOf(mWorksheet)->symbolsPanel()->tree()->model();
        const QModelIndex parent = shown->index(group, 0);
        QStringList texts;
        for (int i = 0; i < shown->rowCount(parent); ++i)
            texts.append(shown->index(i, 0, parent).data().toString() + ": " +
                         shown->index(i, 1, parent).data().toString());
        return texts;
    }

    QModelIndex row(int group, const QString& name) const {
        const QAbstractItemModel* shown = windowOf(mWorksheet)->symbolsPanel()->tree()->model();
        const QModelIndex parent = shown->index(group, 0);
        for (int i = 0; i < shown->rowCount(parent); ++i)
            if (shown->index(i, 0, parent).data().toString() == name)
                return shown->index(i, 0, parent);
        return {};
    }

private slots:
    void init() {
        mController = std::make_unique<platform::DocumentController>(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        mWorksheet = static_cast<MyDocument*>(mController->newDocument());
        windowOf(mWorksheet)->symbolsPanel()->show();
        QVERIFY(calculate(QStringLiteral("width = 12")));
        QVERIFY(calculate(QStringLiteral("Area(w, h) = w * h")));
        windowOf(mWorksheet)->symbolsPanel()->refresh();
    }
    void cleanup() { mController.reset(); }

    void listsVariablesAndFunctionsSorted() {
        QCOMPARE(rows(0), (QStringList{"last: 12", "width: 12"}));
        QCOMPARE(rows(1), (QStringList{"Area: Area( w, h ) = w * h"}));
        // A click on the header reverses the rows within each group; the groups keep their order.
        windowOf(mWorksheet)->symbolsPanel()->tree()->sortByColumn(0, Qt::DescendingOrder);
        QCOMPARE(rows(0), (QStringList{"width: 12", "last: 12"}));
        QCOMPARE(
            windowOf(mWorksheet)->symbolsPanel()->tree()->model()->index(0, 0).data().toString(),
            QStringLiteral("Variables"));
    }

    void followsTheWorksheetsIntegerFormat() {
        commandOf(mWorksheet, QStringLiteral("&Hexadecimal"))->trigger();
        windowOf(mWorksheet)->symbolsPanel()->refresh();
        QCOMPARE(rows(0), (QStringList{"last: 0xC", "width: 0xC"}));
    }

    void filtersByName_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("functions");
        QTest::newRow("part of a name, any case")
            << "WID" << QStringList{"width: 12"} << QStringList{};
        QTest::newRow("a function")
            << "area" << QStringList{} << QStringList{"Area: Area( w, h ) = w * h"};
        QTest::newRow("nothing matches") << "zzz" << QStringList{} << QStringList{};
    }
    void filtersByName() {
        QFETCH(QString, filter);
        QFETCH(QStringList, variables);
        QFETCH(QStringList, functions);
        windowOf(mWorksheet)->symbolsPanel()->filter()->setText(filter);
        QCOMPARE(rows(0), variables);
        QCOMPARE(rows(1), functions);
        // New answers obey the filter too.
        QVERIFY(calculate(QStringLiteral("widest = 3")));
        windowOf(mWorksheet)->symbolsPanel()->refresh();
        QCOMPARE(rows(0).contains(QStringLiteral("widest: 3")), filter == "WID");
    }

    void doubleClickInsertsTheName() {
        QTreeView* tree = windowOf(mWorksheet)->symbolsPanel()->tree();
        emit tree->doubleClicked(row(0, "width"));
        emit tree->doubleClicked(row(1, "Area"));
        QVERIFY(editorOf(mWorksheet)->toPlainText().endsWith(QStringLiteral("\nwidthArea(")));
    }

    void forgettingRemovesTheSymbolOnly() {
        mWorksheet->worksheet()->forget(QStringLiteral("width"), false);
        windowOf(mWorksheet)->symbolsPanel()->refresh();
        QCOMPARE(rows(0), QStringList{"last: 12"});
        QCOMPARE(rows(1).size(), 1);
        QVERIFY(!FindVariable(*mWorksheet->worksheet()->state(), "width"));
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(SymbolsPanelTest)

#include "symbolspanel_test.moc"
