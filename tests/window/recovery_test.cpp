// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery files: written soon after a change, gone after a save or a close, and offered back
// after the application was killed.

#include "engine/calcstate.h"
#include "platform/closeddocumentarchive.h"
#include "platform/documentcontroller.h"
#include "platform/documentrecovery.h"
#include "platform/recoverydialog.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class RecoveryTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;
    QString recoveryFolder() const { return mFolder.filePath(QStringLiteral("recovery")); }

    std::unique_ptr<platform::DocumentController> newController() {
        auto controller = std::make_unique<platform::DocumentController>(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        controller->keepClosedUntitledDocumentsIn(std::make_unique<platform::ClosedDocumentArchive>(
            mFolder.filePath("closed"), worksheetDocumentType().suffix));
        controller->keepRecoveryFilesIn(std::make_unique<platform::DocumentRecovery>(
            recoveryFolder(), worksheetDocumentType(), 20));
        return controller;
    }

    // Runs a worksheet application until its typed lines are recorded, then kills it. One
    // worksheet for each text, or one that calculated "width = 12".
    void killAnApplicationWithUnsavedWork(const QStringList& texts = {}) {
        QProcess child;
        child.start(QStringLiteral(RECOVERY_CHILD_PATH), QStringList{recoveryFolder()} + texts);
        QVERIFY(child.waitForStarted(10000));
        QByteArray said;
        QTRY_VERIFY2_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("written") ||
                                      child.state() != QProcess::Running,
                                  qPrintable(child.readAllStandardError()), 20000);
        QCOMPARE(child.state(), QProcess::Running);
        child.kill();
        QVERIFY(child.waitForFinished(10000));
    }

private slots:
    void cleanup() {
        QDir(mFolder.path()).removeRecursively();
        QDir().mkpath(mFolder.path());
    }

    void offersBackWhatAKilledApplicationWasEditing() {
        killAnApplicationWithUnsavedWork();
        auto controller = newController();
        const int restored = controller->offerRecovery(
            [](const QList<platform::RecoveryOffer>&) { return QList<int>{0}; });
        QCOMPARE(restored, 1);
        auto* worksheet = static_cast<MyDocument*>(controller->documents().value(0));
        QVERIFY(worksheet);
        QCOMPARE(editorOf(worksheet)->toPlainText(), QStringLiteral("width = 12 =\n12\n"));
        QCOMPARE(FindVariable(*worksheet->worksheet()->state(), "width")->number, 12.0);
        QVERIFY(worksheet->isDocumentEdited());
        // Offered once: the next start finds nothing more.
        QCOMPARE(newController()->offerRecovery([](const auto&) { return QList<int>{0}; }), 0);
    }

    // One question for every worksheet found, each under the name its restored window gets;
    // the one left out can still be reopened, and the names it would have had are free again.
    void asksOnceForSeveralWorksheets() {
        killAnApplicationWithUnsavedWork({"rent = 900", "tax = 0.2", "x = 1"});
        auto controller = newController();
        int questions = 0;
        QStringList titles;
        QStringList firstLines;
        const int restored =
            controller->offerRecovery([&](const QList<platform::RecoveryOffer>& offers) {
                ++questions;
                platform::RecoveryDialog dialog(offers);
                QTreeWidget* list = dialog.documentList();
                for (int row = 0; row < list->topLevelItemCount(); ++row) {
                    titles.append(list->topLevelItem(row)->text(0));
                    firstLines.append(list->topLevelItem(row)->text(1));
                }
                list->topLevelItem(0)->setSelected(true);
                list->topLevelItem(2)->setSelected(true);
                dialog.button(platform::RecoveryDialog::Choice::RestoreSelected)->click();
                return dialog.chosenRows();
            });
        QCOMPARE(questions, 1);
        QCOMPARE(restored, 2);
        QCOMPARE(titles, (QStringList{"Untitled", "Untitled 2", "Untitled 3"}));
        QCOMPARE(firstLines, (QStringList{"rent = 900", "tax = 0.2", "x = 1"}));
        QStringList windows;
        for (platform::Document* document : controller->documents())
            windows.append(document->displayName());
        QCOMPARE(windows, (QStringList{"Untitled", "Untitled 3"}));
        const auto kept = controller->closedDocumentArchive()->entries();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].title, QStringLiteral("tax = 0.2"));
        QCOMPARE(controller->newDocument()->displayName(), QStringLiteral("Untitled 4"));
    }

    void keepsADeclinedWorksheetForReopening() {
        killAnApplicationWithUnsavedWork();
        auto controller = newController();
        QCOMPARE(controller->offerRecovery([](const auto&) { return QList<int>(); }), 0);
        QVERIFY(controller->documents().isEmpty());
        const auto kept = controller->closedDocumentArchive()->entries();
        QCOMPARE(kept.size(), 1);
        QVERIFY(controller->reopenClosedDocument(kept[0].path));
    }

    void leavesTheFilesOfARunningApplicationAlone() {
        auto running = newController();
        auto* worksheet = static_cast<MyDocument*>(running->newDocument());
        QSignalSpy written(running->documentRecovery(),
                           &platform::DocumentRecovery::documentWritten);
        editorOf(worksheet)->insertPlainText(QStringLiteral("still typing"));
        QVERIFY(written.wait(10000));
        QCOMPARE(newController()->offerRecovery([](const auto&) { return QList<int>{0}; }), 0);
        QVERIFY(QFile::exists(running->documentRecovery()->recoveryPathOf(worksheet)));
    }

    void removesTheRecoveryFileOnceNothingIsUnsaved_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("saved") << "saved";
        QTest::newRow("closed") << "closed";
        QTest::newRow("changes undone") << "undone";
    }
    void removesTheRecoveryFileOnceNothingIsUnsaved() {
        QFETCH(QString, how);
        auto controller = newController();
        auto* worksheet = static_cast<MyDocument*>(controller->newDocument());
        platform::DocumentRecovery* recovery = controller->documentRecovery();
        const QString path = recovery->recoveryPathOf(worksheet);
        QSignalSpy written(recovery, &platform::DocumentRecovery::documentWritten);
        editorOf(worksheet)->insertPlainText(QStringLiteral("x = 5"));
        QVERIFY(written.wait(10000));
        QVERIFY(QFile::exists(path));
        if (how == "saved") {
            QString error;
            QVERIFY(platform::DocumentController::sharedController()->writeDocument(
                worksheet, mFolder.filePath("saved.figurello"), &error));
            worksheet->setFilePath(mFolder.filePath("saved.figurello"));
            worksheet->setDocumentEdited(false);
        } else if (how == "closed") {
            QVERIFY(worksheet->window()->close());
        } else {
            editorOf(worksheet)->undo();
            QVERIFY(!worksheet->isDocumentEdited());
        }
        recovery->waitForWrites();
        QVERIFY(!QFile::exists(path));
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(RecoveryTest)

#include "recovery_test.moc"
