// Recovery files: written soon after a change, gone after a save or a close, and offered back
// after the application was killed.

#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "document/worksheettype.h"
#include "engine/calcstate.h"
#include "platform/closeddocumentarchive.h"
#include "platform/documentcontroller.h"
#include "platform/documentrecovery.h"
#include "worksheettestmain.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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

    // Runs a worksheet application until its typed line is recorded, then kills it.
    void killAnApplicationWithUnsavedWork() {
        QProcess child;
        child.start(QStringLiteral(RECOVERY_CHILD_PATH), {recoveryFolder()});
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
        QStringList offered;
        const int restored =
            controller->offerRecovery([&offered](const platform::DocumentRecovery::Orphan& o) {
                offered.append(o.displayName);
                return true;
            });
        QCOMPARE(restored, 1);
        QCOMPARE(offered, QStringList{"Untitled"});
        auto* worksheet = static_cast<MyDocument*>(controller->documents().value(0));
        QVERIFY(worksheet);
        QCOMPARE(worksheet->textView()->toPlainText(), QStringLiteral("width = 12 =\n12\n"));
        QCOMPARE(*FindVariable(*worksheet->calcState(), "width"), 12.0);
        QVERIFY(worksheet->isDocumentEdited());
        // Offered once: the next start finds nothing more.
        QCOMPARE(newController()->offerRecovery([](const auto&) { return true; }), 0);
    }

    void keepsADeclinedWorksheetForReopening() {
        killAnApplicationWithUnsavedWork();
        auto controller = newController();
        QCOMPARE(controller->offerRecovery([](const auto&) { return false; }), 0);
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
        worksheet->textView()->insertPlainText(QStringLiteral("still typing"));
        QVERIFY(written.wait(10000));
        QCOMPARE(newController()->offerRecovery([](const auto&) { return true; }), 0);
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
        worksheet->textView()->insertPlainText(QStringLiteral("x = 5"));
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
            worksheet->textView()->undo();
            QVERIFY(!worksheet->isDocumentEdited());
        }
        recovery->waitForWrites();
        QVERIFY(!QFile::exists(path));
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(RecoveryTest)

#include "recovery_test.moc"
