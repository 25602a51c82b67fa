// Calculating lines in a worksheet window (offscreen) with the real CalcTool, and with small
// stand-in tools for the ways a tool can fail.

#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "document/worksheetsettings.h"
#include "document/worksheettype.h"
#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "engine/dictionaries.h"
#include "paintcounter.h"
#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"
#include "worksheettestmain.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <cerrno>
#include <csignal>
#include <optional>
#include <utility>

namespace {

constexpr int kAnswerWaitMs = 5000;
// Time-outs and restarts on a loaded machine: generous, yet far short of never.
constexpr int kMarginMs = 4000;

// What the worksheet's state holds, to compare before and after a line.
using Mirror = std::pair<std::optional<plist::Dictionary>, std::optional<plist::Dictionary>>;
Mirror mirrorOf(const SCalcState& state) {
    return {CopyVariablesDictionary(state), CopyFunctionsDictionary(state)};
}

bool processExists(qint64 pid) { return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH; }

// Text colours by run, "none" for text without a colour of its own.
QString colourAt(QTextDocument* document, int position) {
    QTextCursor cursor(document);
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().name()
                                                            : QStringLiteral("none");
}

} // namespace

class CalculationTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;
    platform::DocumentController* mController = nullptr;
    MyDocument* mDocument = nullptr;

    WorksheetEditor* view() { return mDocument->textView(); }

    // Types the text, as the editor takes typing, at the end of the worksheet.
    void type(const QString& text) {
        QTextCursor cursor = view()->textCursor();
        cursor.insertText(text);
        view()->setTextCursor(cursor);
    }

    // Types the text at the end of the worksheet and presses Return, then waits for the answer.
    void calculate(const QString& line) {
        QTextCursor cursor = view()->textCursor();
        cursor.movePosition(QTextCursor::End);
        view()->setTextCursor(cursor);
        type(line);
        QTest::keyClick(view(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->isCalculating(), kAnswerWaitMs);
    }

    QString standIn(const QString& name, const QByteArray& script) {
        const QString path = mFolder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + script) < 0)
            qFatal("cannot write a stand-in tool");
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    // Waits for the tool to end and for what its end set in motion. A tool the document
    // started again would be running now, or would have ended after writing its launch down.
    void waitUntilTheToolHasEnded() {
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->calcTask()->isRunning(), kMarginMs);
        QCoreApplication::sendPostedEvents();
        QVERIFY(!mDocument->calcTask()->isRunning());
    }

    void useTool(const QString& path) {
        mDocument->calcTask()->setToolPath(path);
        mDocument->startCalcTask();
    }

private slots:
    void init() {
        mController = new platform::DocumentController(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        mDocument = static_cast<MyDocument*>(mController->newDocument());
        // The tool starts once the window has been painted.
        QTRY_VERIFY(mDocument->calcTask()->isRunning());
    }
    void cleanup() {
        delete mController;
        mController = nullptr;
        qunsetenv("FIGURELLO_STANDIN_FAULT");
    }

    void answersValuesAssignmentsAndDefinitions() {
        calculate(QStringLiteral("x = 2+3"));
        calculate(QStringLiteral("sq(a) = a^2"));
        calculate(QStringLiteral("sq(x) + last"));
        QCOMPARE(view()->toPlainText(), QStringLiteral("x = 2+3 =\n5\nsq(a) = a^2 =\nFunction "
                                                       "defined\nsq(x) + last =\n30\n"));
        QCOMPARE(*FindVariable(*mDocument->calcState(), "x"), 5.0);
        QCOMPARE(*FindVariable(*mDocument->calcState(), "last"), 30.0);
        QVERIFY(FindFunction(*mDocument->calcState(), "sq"));
        QCOMPARE(colourAt(view()->document(), 10), WorksheetSettings::defaultGreen().name());
        QVERIFY(mDocument->isDocumentEdited());
        QCOMPARE(view()->textCursor().position(), view()->document()->characterCount() - 1);
    }

    // The part of the line the parser did not take is selected; the tool counts bytes, the
    // editor UTF-16 units, so a "π" before it must not shift the selection. The answer says why.
    void selectsWhatDidNotParse_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("answer");
        const QString star = QStringLiteral("Syntax error: unexpected “*”");
        QTest::newRow("operator after an operator") << "2 * *3"
                                                    << "* *3" << star;
        QTest::newRow("after a two-byte character") << "\u03C0 * *3"
                                                    << "* *3" << star;
        QTest::newRow("after a three-byte character") << "\u221A(4) * *3"
                                                      << "* *3" << star;
        QTest::newRow("unknown name: whole line")
            << "nosuch + 1"
            << "nosuch + 1" << QStringLiteral("Syntax error: “nosuch” is not defined");
        QTest::newRow("text left over at the end")
            << "x = 3 )"
            << ")" << QStringLiteral("Syntax error: unexpected “)”");
        QTest::newRow("a missing parenthesis")
            << "sqrt(2"
            << "sqrt(2" << QStringLiteral("Syntax error: missing “)”");
        QTest::newRow("a one-argument function")
            << "sqrt(1, 2)"
            << "sqrt(1, 2)" << QStringLiteral("Syntax error: “sqrt” takes 1 argument");
        QTest::newRow("a two-argument function")
            << "max(1)"
            << "max(1)" << QStringLiteral("Syntax error: “max” takes 2 arguments");
    }
    void selectsWhatDidNotParse() {
        QFETCH(QString, line);
        QFETCH(QString, selected);
        QFETCH(QString, answer);
        calculate(line);
        QCOMPARE(view()->textCursor().selectedText(), selected);
        QVERIFY2(view()->toPlainText().endsWith(line + " =\n" + answer + "\n"),
                 qPrintable(view()->toPlainText()));
    }

    void returnOnlyCalculatesAfterTextOnALine() {
        QTest::keyClick(view(), Qt::Key_Return);
        QCOMPARE(view()->toPlainText(), QStringLiteral("\n"));
        type(QStringLiteral("1+1 tail"));
        QTextCursor cursor = view()->textCursor();
        cursor.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, 5);
        view()->setTextCursor(cursor);
        QTest::keyClick(view(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->isCalculating(), kAnswerWaitMs);
        QCOMPARE(view()->toPlainText(), QStringLiteral("\n1+1 =\n2\n tail"));
        // Shift+Return breaks the line with a real line break and sends nothing.
        QTest::keyClick(view(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(view()->toPlainText(), QStringLiteral("\n1+1 =\n2\n\n tail"));
        cursor = view()->textCursor();
        cursor.movePosition(QTextCursor::Up);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        view()->setTextCursor(cursor);
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(!mDocument->isCalculating());
    }

    void typingAfterAnAnswerIsInTheNormalColour() {
        calculate(QStringLiteral("2*21"));
        QTextCursor cursor = view()->textCursor();
        cursor.movePosition(QTextCursor::Up);
        cursor.movePosition(QTextCursor::EndOfBlock);
        view()->setTextCursor(cursor);
        QTest::keyClicks(view(), QStringLiteral("7"));
        QCOMPARE(view()->document()->findBlockByNumber(1).text(), QStringLiteral("427"));
        QCOMPARE(colourAt(view()->document(), cursor.position()), QStringLiteral("none"));
    }

    // Undo takes a calculation back in the steps it was made: the answer line, then the " =".
    void undoTakesTheAnswerBackWholeThenTheMarker() {
        calculate(QStringLiteral("2*21"));
        QCOMPARE(view()->toPlainText(), QStringLiteral("2*21 =\n42\n"));
        view()->undo();
        QCOMPARE(view()->toPlainText(), QStringLiteral("2*21 =\n"));
        view()->undo();
        QCOMPARE(view()->toPlainText(), QStringLiteral("2*21"));
    }

    // A quick answer goes in before the window repaints, so the line and its answer appear
    // together. The short wait is stretched here: how quick a busy machine's tool is must not
    // decide the test.
    void aQuickAnswerArrivesBeforeTheRepaint() {
        mDocument->calcTask()->setQuickReplyWait(kAnswerWaitMs);
        PaintCounter paints;
        view()->viewport()->installEventFilter(&paints);
        int paintsBeforeAnswer = -1;
        connect(mDocument, &MyDocument::calculationFinished, this,
                [&] { paintsBeforeAnswer = paints.count; });
        type(QStringLiteral("1+1"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        paints.count = 0;
        QTest::keyClick(view(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->isCalculating(), kAnswerWaitMs);
        QCOMPARE(paintsBeforeAnswer, 0);
    }

    void showsIntegersInHexadecimalWhenAsked() {
        QVERIFY(!mDocument->formatsIntegersAsHex());
        calculate(QStringLiteral("255"));
        for (QAction* action : mDocument->window()->findChildren<QAction*>())
            if (action->data().toInt() == MyDocument::kHexadecimalItemTag)
                action->trigger();
        QVERIFY(mDocument->formatsIntegersAsHex());
        calculate(QStringLiteral("255"));
        calculate(QStringLiteral("2.5"));
        QCOMPARE(view()->toPlainText(), QStringLiteral("255 =\n255\n255 =\n0xFF\n2.5 =\n2.5\n"));
    }

    void followsADecimalCommaLocale() {
        WorksheetSettings german{QLocale(QStringLiteral("de_DE"))};
        calculate(QStringLiteral("max(1,5; 2,25)"));
        QCOMPARE(view()->toPlainText(), QStringLiteral("max(1,5; 2,25) =\n2,25\n"));
    }

    // A tool that never answers: the line times out, and a new tool, seeded with everything
    // recorded before, calculates the next one.
    void recoversFromATimeOut() {
        calculate(QStringLiteral("x = 6"));
        useTool(standIn(QStringLiteral("silent"), "cat >/dev/null\n"));
        type(QStringLiteral("x"));
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(mDocument->isCalculating());
        mDocument->calcTask()->setToolPath(ToolLink::defaultToolPath());
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->isCalculating(), kAnswerWaitMs);
        QVERIFY(view()->toPlainText().endsWith("x =\nThe calculation took too long\n"));
        calculate(QStringLiteral("x * 7"));
        QVERIFY(view()->toPlainText().endsWith("x * 7 =\n42\n"));
    }

    // At the foot of a long worksheet, the line where the answer will go is in sight before
    // the answer is, and the insertion point is on it.
    void aSlowAnswersLineIsInSightWhileItWaits() {
        QString text;
        for (int line = 0; line < 200; ++line)
            text += QStringLiteral("%1 =\n%1\n").arg(line);
        view()->setPlainText(text + QStringLiteral("7"));
        view()->moveCursor(QTextCursor::End);
        useTool(standIn(QStringLiteral("silent"), "cat >/dev/null\n"));
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(mDocument->isCalculating());
        QCOMPARE(view()->textCursor().position(), view()->document()->characterCount() - 1);
        QTRY_VERIFY(view()->viewport()->rect().contains(view()->cursorRect()));
        QVERIFY(mDocument->isCalculating());
    }

    void recoversFromACrash_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("killed by a signal") << QByteArray("read line\nkill -ABRT $$\n");
        QTest::newRow("exits with an error") << QByteArray("read line\nexit 3\n");
        QTest::newRow("exits quietly while a line waits") << QByteArray("read line\nexit 0\n");
    }
    void recoversFromACrash() {
        QFETCH(QByteArray, script);
        calculate(QStringLiteral("y = 4"));
        useTool(standIn(QStringLiteral("crashing"), script));
        mDocument->calcTask()->setToolPath(ToolLink::defaultToolPath());
        calculate(QStringLiteral("y"));
        QVERIFY(view()->toPlainText().endsWith("y =\nThe calculation crashed\n"));
        calculate(QStringLiteral("y + 1"));
        QVERIFY(view()->toPlainText().endsWith("y + 1 =\n5\n"));
    }

    void acceptsRepliesInPiecesAndDropsGarbage() {
        const QByteArray reply =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
            "<key>Result</key><real>42</real>\n<key>ResultKind</key><integer>1</integer>\n";
        useTool(standIn(QStringLiteral("slow"), "read line\nprintf '%s' '" + reply +
                                                    "'\nsleep 0.2\nprintf '</dict>'\nsleep 0.2\n"
                                                    "printf '\\n</plist>\\n'\n"
                                                    "read line\nprintf '<plist>oops</plist>\\n'\n"
                                                    "cat >/dev/null\n"));
        calculate(QStringLiteral("anything"));
        QVERIFY(view()->toPlainText().endsWith("anything =\n42\n"));
        calculate(QStringLiteral("more"));
        QVERIFY(view()->toPlainText().endsWith(
            "more =\nThe calculation tool gave an answer that cannot be read\n"));
    }

    // A state too large for one program argument reaches the tool through files of its own.
    void seedsATooLargeStateThroughFiles() {
        for (int i = 0; i < 3000; ++i)
            SetVariable("variable" + std::to_string(i), *mDocument->calcState(), i);
        mDocument->startCalcTask();
        calculate(QStringLiteral("variable2999 + 1"));
        QVERIFY(view()->toPlainText().endsWith("variable2999 + 1 =\n3000\n"));
    }

    // Forgetting a name forgets it in the tool too: it no longer calculates.
    void aForgottenNameNoLongerCalculates() {
        calculate(QStringLiteral("x = 2"));
        mDocument->forgetVariable();
        mDocument->forgetPopup()->setCurrentText(QStringLiteral("x"));
        mDocument->forgetSheetOK();
        QVERIFY(!FindVariable(*mDocument->calcState(), "x"));
        calculate(QStringLiteral("x + 1"));
        QVERIFY(view()->toPlainText().endsWith("x + 1 =\nSyntax error: “x” is not defined\n"));
    }

    // Whatever the user does while a line waits, its answer goes under that line and the rest
    // of the text stays as it was. The stand-in answers once the test lets it.
    void theAnswerStaysWithItsLine_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("selected");
        const QByteArray value = "<key>ResultKind</key><integer>1</integer>"
                                 "<key>Result</key><real>7</real>";
        const QByteArray error = "<key>ResultKind</key><integer>0</integer>"
                                 "<key>Stop</key><integer>1</integer>";
        QTest::newRow("a click into the first line") << "click" << value << "7"
                                                     << "";
        QTest::newRow("Select All") << "select all" << value << "7"
                                    << "abc = 1 =\u20291\u20291+1 =\u20297\u2029";
        QTest::newRow("Undo") << "undo" << value << "7"
                              << "";
        QTest::newRow("scrolled to the top") << "scroll" << value << "7"
                                             << "";
        QTest::newRow("a syntax error after a click") << "click" << error << "Syntax error"
                                                      << "+1";
        QTest::newRow("a time-out after a click")
            << "click" << QByteArray() << "The calculation took too long"
            << "";
    }
    void theAnswerStaysWithItsLine() {
        QFETCH(QString, action);
        QFETCH(QByteArray, reply);
        QFETCH(QString, answer);
        QFETCH(QString, selected);
        calculate(QStringLiteral("abc = 1"));
        const QString go = mFolder.filePath(QStringLiteral("go"));
        QFile::remove(go);
        useTool(
            standIn(QStringLiteral("gated"), "while read line; do\n"
                                             "  while [ ! -e '" +
                                                 QFile::encodeName(go) +
                                                 "' ]; do sleep 0.01; done\n"
                                                 "  printf '%s' '<plist version=\"1.0\"><dict>" +
                                                 reply +
                                                 "</dict></plist>'\n"
                                                 "done\n"));
        type(QStringLiteral("1+1"));
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(mDocument->isCalculating());

        QAction* undo = nullptr;
        for (QAction* command : mDocument->window()->findChildren<QAction*>())
            if (command->shortcut() == QKeySequence(QKeySequence::Undo))
                undo = command;
        QVERIFY(undo && !undo->isEnabled());
        if (action == "click") {
            QTextCursor cursor = view()->textCursor();
            cursor.setPosition(1);
            view()->setTextCursor(cursor);
        } else if (action == "select all") {
            view()->selectAll();
        } else if (action == "undo") {
            QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
        } else {
            view()->verticalScrollBar()->setValue(0);
        }
        if (!reply.isEmpty()) {
            QFile opened(go);
            QVERIFY(opened.open(QIODevice::WriteOnly));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->isCalculating(),
                                 int(WorksheetSettings::calcTimeout() * 1000) + kMarginMs);
        QCOMPARE(view()->toPlainText(), "abc = 1 =\n1\n1+1 =\n" + answer + "\n");
        QCOMPARE(view()->textCursor().selectedText(), selected);
        QVERIFY(undo->isEnabled());
    }

    // A tool that ends while no line waits is started again from the worksheet's state, and
    // nothing goes into the text being typed.
    void aToolEndingBetweenLinesIsRestartedQuietly() {
        calculate(QStringLiteral("x = 1"));
        type(QStringLiteral("a + 1"));
        auto* tool = mDocument->calcTask()->findChild<QProcess*>();
        QVERIFY(tool);
        const qint64 crashed = tool->processId();
        QVERIFY(::kill(pid_t(crashed), SIGKILL) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(mDocument->window()->statusBar()->currentMessage() ==
                                     platform::keyedText("ToolRestarted"),
                                 kMarginMs);
        QCOMPARE(view()->toPlainText(), QStringLiteral("x = 1 =\n1\na + 1"));
        QVERIFY(mDocument->calcTask()->isRunning());
        type(QStringLiteral(" + x"));
        QTest::keyClick(view(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->isCalculating(), kAnswerWaitMs);
        QVERIFY(view()->toPlainText().endsWith("a + 1 + x =\nSyntax error: “a” is not defined\n"));
        calculate(QStringLiteral("x + 1"));
        QVERIFY(view()->toPlainText().endsWith("x + 1 =\n2\n"));
    }

    void saysWhenTheToolCannotStart() {
        useTool(mFolder.filePath(QStringLiteral("missing-tool")));
        QVERIFY(!mDocument->calcTask()->isRunning());
        calculate(QStringLiteral("1+1"));
        QVERIFY(
            view()->toPlainText().startsWith("1+1 =\nThe calculation tool could not be started"));
        QVERIFY(!mDocument->isCalculating());
        // It is tried again at the next Return.
        mDocument->calcTask()->setToolPath(ToolLink::defaultToolPath());
        calculate(QStringLiteral("1+2"));
        QVERIFY(view()->toPlainText().endsWith("1+2 =\n3\n"));
    }

    // Every way a tool can fail a line: the line gets a message within the time limit and a
    // margin, the worksheet's state is what it was before the line, the failed tool is gone,
    // and the next line is answered by a new tool that knows the state. Each stand-in fails
    // on its first launch only, as a restarted tool would then work.
    void survivesEveryToolFault_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        const QString timeout = QStringLiteral("The calculation took too long");
        const QString crash = QStringLiteral("The calculation crashed");
        const QString unreadable =
            QStringLiteral("The calculation tool gave an answer that cannot be read");
        const QString line = QStringLiteral("x = 1");
        QTest::newRow("reply cut off for good") << "cut-off" << line << timeout;
        QTest::newRow("garbage, then a valid reply") << "garbage-then-reply" << line << unreadable;
        QTest::newRow("two replies in one chunk") << "two-replies" << line << unreadable;
        QTest::newRow("a reply of 10 MB") << "huge-reply" << line << unreadable;
        QTest::newRow("exits 0 at once") << "exit-at-once" << line << crash;
        QTest::newRow("exits 0 before answering") << "exit-before-answering" << line << crash;
        QTest::newRow("closes its output, runs on, ignores SIGTERM")
            << "close-stdout" << line << timeout;
        // A request larger than a pipe holds (64 KiB): writing it must not wait for the tool.
        QTest::newRow("never reads, the pipe fills")
            << "never-read" << QStringLiteral("1 + ").repeated(32 * 1024) + QStringLiteral("1")
            << timeout;
        QTest::newRow("killed by SIGKILL") << "sigkill" << line << crash;
        QTest::newRow("killed by SIGSEGV") << "sigsegv" << line << crash;
        QTest::newRow("killed by SIGTERM") << "sigterm" << line << crash;
        QTest::newRow("not executable")
            << "not-executable" << line
            << "The calculation tool could not be started: {tool} is not an executable program.";
    }
    void survivesEveryToolFault() {
        QFETCH(QString, fault);
        QFETCH(QString, line);
        QFETCH(QString, message);
        calculate(QStringLiteral("x = 6"));
        calculate(QStringLiteral("sq(a) = a^2"));
        const Mirror before = mirrorOf(*mDocument->calcState());

        QTemporaryDir standInFolder(mFolder.filePath(QStringLiteral("standin-XXXXXX")));
        QString tool = QStringLiteral(STANDIN_CALCTOOL_PATH);
        if (fault == QLatin1String("not-executable")) {
            tool = standInFolder.filePath(QStringLiteral("CalcTool"));
            QVERIFY(QFile::copy(ToolLink::defaultToolPath(), tool));
            QVERIFY(QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        }
        qputenv("FIGURELLO_STANDIN_FAULT", fault.toUtf8());
        qputenv("FIGURELLO_STANDIN_DIR", QFile::encodeName(standInFolder.path()));
        qputenv("FIGURELLO_CALCTOOL", QFile::encodeName(ToolLink::defaultToolPath()));
        // No event is handled between the start and Return, so even a tool that exits at once
        // has the line by the time its end is noticed.
        useTool(tool);
        type(line);
        QTest::keyClick(view(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->isCalculating(),
                                 int(WorksheetSettings::calcTimeout() * 1000) + kMarginMs);

        QVERIFY(view()->toPlainText().endsWith(
            line + " =\n" + message.replace(QStringLiteral("{tool}"), tool) + "\n"));
        QVERIFY(mirrorOf(*mDocument->calcState()) == before);
        QFile launches(standInFolder.filePath(QStringLiteral("launches")));
        if (launches.open(QIODevice::ReadOnly)) {
            const qint64 faultyTool = launches.readLine().trimmed().toLongLong();
            QVERIFY(faultyTool > 0);
            QTRY_VERIFY_WITH_TIMEOUT(!processExists(faultyTool), kMarginMs);
        }

        mDocument->calcTask()->setToolPath(ToolLink::defaultToolPath());
        calculate(QStringLiteral("sq(x) + 6"));
        QVERIFY(view()->toPlainText().endsWith("sq(x) + 6 =\n42\n"));
    }

    // A tool that ends as soon as it starts would end again after every restart: it is started
    // again only when a line needs it, not in a loop.
    void doesNotRestartAToolThatEndsAtOnce() {
        const QString launches = mFolder.filePath(QStringLiteral("ends-at-once.launches"));
        const auto launchCount = [&launches] {
            QFile file(launches);
            return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
        };
        useTool(standIn(QStringLiteral("ends-at-once"),
                        "echo started >>'" + QFile::encodeName(launches) + "'\n"));
        waitUntilTheToolHasEnded();
        QCOMPARE(launchCount(), 1);

        calculate(QStringLiteral("1+1"));
        QVERIFY(view()->toPlainText().endsWith("1+1 =\nThe calculation crashed\n"));
        waitUntilTheToolHasEnded();
        // Started for the line, and once more after it ended with the line waiting.
        QCOMPARE(launchCount(), 3);

        mDocument->calcTask()->setToolPath(ToolLink::defaultToolPath());
        calculate(QStringLiteral("1+2"));
        QVERIFY(view()->toPlainText().endsWith("1+2 =\n3\n"));
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(CalculationTest)

#include "calculation_test.moc"
