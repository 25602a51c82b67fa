// SPDX-License-Identifier: GPL-3.0-or-later
// Closing worksheets: who is asked, what is kept, and reopening what was kept.

#include "engine/calcstate.h"
#include "platform/closeddocumentarchive.h"
#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"
#include "typing.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Answers the next application-modal message boxes, one after another, with `buttons`, and
// records their texts. An answered box is hidden at once, so the next one found is a new one.
void answerNextQuestions(QList<QMessageBox::StandardButton> buttons, QStringList* texts) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, buttons, texts]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        texts->append(box->text());
        if (QAbstractButton* answer = box->button(buttons.takeFirst()))
            answer->click();
        else
            box->reject();
        if (buttons.isEmpty())
            poll->deleteLater();
    });
    poll->start(10);
}

void answerNextQuestion(QMessageBox::StandardButton button, QStringList* texts) {
    answerNextQuestions({button}, texts);
}

} // namespace

class ClosingTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;
    platform::DocumentController* mController = nullptr;
    platform::ClosedDocumentArchive* mArchive = nullptr;

    MyDocument* newWorksheet() { return static_cast<MyDocument*>(mController->newDocument()); }

private slots:
    void init() {
        QVERIFY(mFolder.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(mFolder.path()));
        mController = new platform::DocumentController(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        auto archive = std::make_unique<platform::ClosedDocumentArchive>(
            mFolder.filePath("figurello"), worksheetDocumentType().suffix);
        mArchive = archive.get();
        mController->keepClosedUntitledDocumentsIn(std::move(archive));
    }
    void cleanup() {
        delete mController;
        QDir(mFolder.path()).removeRecursively();
        QDir().mkpath(mFolder.path());
    }

    void asksOnlyAboutSavedWorksheetsWithChanges_data() {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("kept");
        // An untitled worksheet closes at once, whatever was typed, and is kept instead.
        QTest::newRow("untitled with typed text") << false << true << 0 << false << true << 1;
        QTest::newRow("untitled, nothing typed") << false << false << 0 << false << true << 0;
        QTest::newRow("saved, unchanged") << true << false << 0 << false << true << 0;
        QTest::newRow("saved, changed, cancel")
            << true << true << int(QMessageBox::Cancel) << true << false << 0;
        QTest::newRow("saved, changed, don't save")
            << true << true << int(QMessageBox::Discard) << true << true << 0;
    }
    void asksOnlyAboutSavedWorksheetsWithChanges() {
        QFETCH(bool, saved);
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(bool, closes);
        QFETCH(int, kept);
        MyDocument* worksheet = newWorksheet();
        if (saved) {
            editorOf(worksheet)->setPlainText(QStringLiteral("1+1 =\n2\n"));
            const QString path = mFolder.filePath(QStringLiteral("saved.figurello"));
            QString error;
            QVERIFY2(platform::DocumentController::sharedController()->writeDocument(worksheet,
                                                                                     path, &error),
                     qPrintable(error));
            worksheet->setFilePath(path);
            worksheet->setDocumentEdited(false);
        }
        if (changed)
            editorOf(worksheet)->insertPlainText(QStringLiteral("x = 5"));
        QStringList questions;
        if (asks) {
            QTest::ignoreMessage(QtInfoMsg, "canCloseDocumentWithDelegate 1");
            QTest::ignoreMessage(QtInfoMsg, "canCloseDocumentWithDelegate 2");
            answerNextQuestion(QMessageBox::StandardButton(answer), &questions);
        }
        QCOMPARE(worksheet->window()->close(), closes);
        QCOMPARE(questions.size(), asks ? 1 : 0);
        QCOMPARE(mController->documents().contains(worksheet), !closes);
        QCOMPARE(mArchive->entries().size(), kept);
    }

    // A line still waiting for its answer holds up neither closing nor its question, and what
    // is kept is the text as it stands: the waiting line, with its " =".
    void closingWhileALineWaitsKeepsTheText_data() {
        QTest::addColumn<bool>("saved");
        QTest::newRow("a saved worksheet, saved on closing") << true;
        QTest::newRow("an untitled worksheet, kept for reopening") << false;
    }
    void closingWhileALineWaitsKeepsTheText() {
        QFETCH(bool, saved);
        MyDocument* worksheet = newWorksheet();
        const QString path = mFolder.filePath(QStringLiteral("waiting.figurello"));
        if (saved) {
            QString error;
            QVERIFY2(mController->writeDocument(worksheet, path, &error), qPrintable(error));
            worksheet->setFilePath(path);
        }
        // A tool that never answers: the line waits for as long as the test looks.
        QTemporaryDir standIn(mFolder.filePath(QStringLiteral("standin-XXXXXX")));
        qputenv("FIGURELLO_STANDIN_FAULT", "never-read");
        qputenv("FIGURELLO_STANDIN_DIR", QFile::encodeName(standIn.path()));
        qputenv("FIGURELLO_CALCTOOL", QFile::encodeName(ToolLink::defaultToolPath()));
        worksheet->worksheet()->tool()->setToolPath(QStringLiteral(STANDIN_CALCTOOL_PATH));
        worksheet->worksheet()->startTool();
        editorOf(worksheet)->insertPlainText(QStringLiteral("x = 6 * 7"));
        QTest::keyClick(editorOf(worksheet), Qt::Key_Return);
        QVERIFY(worksheet->worksheet()->isCalculating());
        const QString standing = editorOf(worksheet)->toPlainText();

        QStringList questions;
        if (saved) {
            QTest::ignoreMessage(QtInfoMsg, "canCloseDocumentWithDelegate 1");
            QTest::ignoreMessage(QtInfoMsg, "canCloseDocumentWithDelegate 2");
            answerNextQuestion(QMessageBox::Save, &questions);
        }
        QVERIFY(worksheet->window()->close());
        qunsetenv("FIGURELLO_STANDIN_FAULT");
        QCOMPARE(questions.size(), saved ? 1 : 0);
        auto* reopened = static_cast<MyDocument*>(
            saved ? mController->openDocument(path)
                  : mController->reopenClosedDocument(mArchive->entries().value(0).path));
        QVERIFY(reopened);
        QCOMPARE(editorOf(reopened)->toPlainText(), standing);
    }

    void reopensAClosedUntitledWorksheetWithItsState() {
        MyDocument* worksheet = newWorksheet();
        QVERIFY(typeAndCalculate(worksheet, QStringLiteral("rate = 7")));
        QVERIFY(worksheet->window()->close());
        QVERIFY(mArchive->folder().startsWith(mFolder.path()));
        const QList<platform::ClosedDocumentArchive::Entry> kept = mArchive->entries();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].title, QStringLiteral("rate = 7"));

        auto* reopened = static_cast<MyDocument*>(mController->reopenClosedDocument(kept[0].path));
        QVERIFY(reopened);
        QCOMPARE(editorOf(reopened)->toPlainText(), QStringLiteral("rate = 7 =\n7\n"));
        QCOMPARE(FindVariable(*reopened->worksheet()->state(), "rate")->number, 7.0);
        QVERIFY(reopened->filePath().isEmpty());
        // Its kept copy is gone, so it counts as unsaved and is kept again on closing.
        QVERIFY(reopened->isDocumentEdited());
        QVERIFY(mArchive->entries().isEmpty());
        QVERIFY(reopened->window()->close());
        QCOMPARE(mArchive->entries().size(), 1);
    }

    void quittingKeepsEveryUntitledWorksheet() {
        editorOf(newWorksheet())->insertPlainText(QStringLiteral("first"));
        editorOf(newWorksheet())->insertPlainText(QStringLiteral("second"));
        QVERIFY(mController->closeAllDocuments());
        QStringList titles;
        for (const auto& entry : mArchive->entries())
            titles.append(entry.title);
        QCOMPARE(titles, (QStringList{"first", "second"}));
    }

    // When it cannot be kept, an untitled worksheet is not closed without asking.
    void asksWhenAWorksheetCannotBeKept() {
        QFile blocker(mArchive->folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        MyDocument* worksheet = newWorksheet();
        editorOf(worksheet)->insertPlainText(QStringLiteral("x = 5"));
        QStringList messages;
        answerNextQuestions({QMessageBox::Ok, QMessageBox::Cancel}, &messages);
        QVERIFY(!worksheet->window()->close());
        QCOMPARE(messages.size(), 2);
        QVERIFY(
            messages[0].startsWith(platform::keyedText("CannotKeepClosed").section('\n', 0, 0)));
        QVERIFY(mController->documents().contains(worksheet));
    }

    // Closings within one millisecond still come back newest first.
    void holdsOnlyTheNewestClosedDocuments() {
        platform::ClosedDocumentArchive archive(mFolder.filePath(QStringLiteral("small")),
                                                worksheetDocumentType().suffix, 2);
        QString error;
        for (const char* title : {"oldest", "middle", "newest"})
            QVERIFY2(archive.keep(QByteArray("data"), QString::fromUtf8(title), &error),
                     qPrintable(error));
        const QList<platform::ClosedDocumentArchive::Entry> kept = archive.entries();
        QCOMPARE(kept.size(), 2);
        QCOMPARE(kept[0].title, QStringLiteral("newest"));
        QCOMPARE(kept[1].title, QStringLiteral("middle"));
        QVERIFY(kept[0].closedAt >= kept[1].closedAt);
        QVERIFY(qAbs(kept[0].closedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(ClosingTest)

#include "closing_test.moc"
