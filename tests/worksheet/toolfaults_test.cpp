// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet whose calculation tool times out, crashes, cannot start or answers garbage.

#include "calculating.h"
#include "platform/keyedtexts.h"
#include "standintools.h"
#include "worksheettestmain.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTextDocument>

#include <memory>

class ToolFaultsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;
    std::unique_ptr<Worksheet> mWorksheet;

    QString text() const { return mWorksheet->text()->toPlainText(); }
    QString standIn(const QString& name, const QByteArray& script) {
        return writeStandIn(mFolder, name, script);
    }
    void useTool(const QString& path) {
        mWorksheet->tool()->setToolPath(path);
        mWorksheet->startTool();
    }
    [[nodiscard]] bool calculate(const QString& line) {
        return typeAndCalculate(*mWorksheet, line);
    }
    // Types the text at the end of the worksheet.
    void type(const QString& typed) {
        QTextCursor end(mWorksheet->text());
        end.movePosition(QTextCursor::End);
        end.insertText(typed);
    }
    // Return at the end of the worksheet, not waiting for the answer.
    [[nodiscard]] bool pressReturn() {
        QTextCursor end(mWorksheet->text());
        end.movePosition(QTextCursor::End);
        return mWorksheet->calculateAt(end);
    }

private slots:
    void init() {
        mWorksheet = std::make_unique<Worksheet>(WorksheetOptions());
        mWorksheet->startTool();
    }
    void cleanup() {
        mWorksheet.reset();
        qunsetenv("FIGURELLO_STANDIN_FAULT");
    }

    // A tool that never answers: the line times out, and a new tool, seeded with everything
    // recorded before, calculates the next one.
    void recoversFromATimeOut() {
        QVERIFY(calculate(QStringLiteral("x = 6")));
        useTool(standIn(QStringLiteral("silent"), "cat >/dev/null\n"));
        type(QStringLiteral("x"));
        QVERIFY(pressReturn());
        QVERIFY(mWorksheet->isCalculating());
        mWorksheet->tool()->setToolPath(ToolLink::defaultToolPath());
        QTRY_VERIFY_WITH_TIMEOUT(!mWorksheet->isCalculating(), kAnswerWaitMs);
        QVERIFY(text().endsWith("x =\nThe calculation took too long\n"));
        QVERIFY(calculate(QStringLiteral("x * 7")));
        QVERIFY(text().endsWith("x * 7 =\n42\n"));
    }

    void recoversFromACrash_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("killed by a signal") << QByteArray("read line\nkill -ABRT $$\n");
        QTest::newRow("exits with an error") << QByteArray("read line\nexit 3\n");
        QTest::newRow("exits quietly while a line waits") << QByteArray("read line\nexit 0\n");
    }

    void recoversFromACrash() {
        QFETCH(QByteArray, script);
        QVERIFY(calculate(QStringLiteral("y = 4")));
        useTool(standIn(QStringLiteral("crashing"), script));
        mWorksheet->tool()->setToolPath(ToolLink::defaultToolPath());
        QVERIFY(calculate(QStringLiteral("y")));
        QVERIFY(text().endsWith("y =\nThe calculation crashed\n"));
        QVERIFY(calculate(QStringLiteral("y + 1")));
        QVERIFY(text().endsWith("y + 1 =\n5\n"));
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
        QVERIFY(calculate(QStringLiteral("anything")));
        QVERIFY(text().endsWith("anything =\n42\n"));
        QVERIFY(calculate(QStringLiteral("more")));
        QVERIFY(
            text().endsWith("more =\nThe calculation tool gave an answer that cannot be read\n"));
    }

    // A state too large for one program argument reaches the tool through files of its own.
    void seedsATooLargeStateThroughFiles() {
        for (int i = 0; i < 3000; ++i)
            SetVariable("variable" + std::to_string(i), *mWorksheet->state(), i);
        mWorksheet->startTool();
        QVERIFY(calculate(QStringLiteral("variable2999 + 1")));
        QVERIFY(text().endsWith("variable2999 + 1 =\n3000\n"));
    }

    // A tool that ends while no line waits is started again from the worksheet's state, and
    // nothing goes into the text being typed.
    void aToolEndingBetweenLinesIsRestartedQuietly() {
        QVERIFY(calculate(QStringLiteral("x = 1")));
        type(QStringLiteral("a + 1"));
        QSignalSpy restarted(mWorksheet.get(), &Worksheet::notice);
        auto* tool = mWorksheet->tool()->findChild<QProcess*>();
        QVERIFY(tool);
        const qint64 crashed = tool->processId();
        QVERIFY(::kill(pid_t(crashed), SIGKILL) == 0);
        QVERIFY(restarted.wait(kMarginMs));
        QCOMPARE(restarted[0][0].toString(), platform::keyedText("ToolRestarted"));
        QCOMPARE(text(), QStringLiteral("x = 1 =\n1\na + 1"));
        QVERIFY(mWorksheet->tool()->isRunning());
        type(QStringLiteral(" + x"));
        QVERIFY(pressReturn());
        QTRY_VERIFY_WITH_TIMEOUT(!mWorksheet->isCalculating(), kAnswerWaitMs);
        QVERIFY(text().endsWith("a + 1 + x =\nSyntax error: “a” is not defined\n"));
        QVERIFY(calculate(QStringLiteral("x + 1")));
        QVERIFY(text().endsWith("x + 1 =\n2\n"));
    }

    void saysWhenTheToolCannotStart() {
        useTool(mFolder.filePath(QStringLiteral("missing-tool")));
        QVERIFY(!mWorksheet->tool()->isRunning());
        QVERIFY(calculate(QStringLiteral("1+1")));
        QVERIFY(text().startsWith("1+1 =\nThe calculation tool could not be started"));
        QVERIFY(!mWorksheet->isCalculating());
        // It is tried again at the next Return.
        mWorksheet->tool()->setToolPath(ToolLink::defaultToolPath());
        QVERIFY(calculate(QStringLiteral("1+2")));
        QVERIFY(text().endsWith("1+2 =\n3\n"));
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
        QVERIFY(calculate(QStringLiteral("x = 6")));
        QVERIFY(calculate(QStringLiteral("sq(a) = a^2")));
        const Mirror before = mirrorOf(*mWorksheet->state());

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
        QVERIFY(pressReturn());
        QTRY_VERIFY_WITH_TIMEOUT(!mWorksheet->isCalculating(),
                                 int(mWorksheet->options().timeLimitSeconds * 1000) + kMarginMs);

        QVERIFY(text().endsWith(line + " =\n" + message.replace(QStringLiteral("{tool}"), tool) +
                                "\n"));
        QVERIFY(mirrorOf(*mWorksheet->state()) == before);
        QFile launches(standInFolder.filePath(QStringLiteral("launches")));
        if (launches.open(QIODevice::ReadOnly)) {
            const qint64 faultyTool = launches.readLine().trimmed().toLongLong();
            QVERIFY(faultyTool > 0);
            QTRY_VERIFY_WITH_TIMEOUT(!processExists(faultyTool), kMarginMs);
        }

        mWorksheet->tool()->setToolPath(ToolLink::defaultToolPath());
        QVERIFY(calculate(QStringLiteral("sq(x) + 6")));
        QVERIFY(text().endsWith("sq(x) + 6 =\n42\n"));
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
        QVERIFY(toolHasEnded(*mWorksheet->tool()));
        QCOMPARE(launchCount(), 1);

        QVERIFY(calculate(QStringLiteral("1+1")));
        QVERIFY(text().endsWith("1+1 =\nThe calculation crashed\n"));
        QVERIFY(toolHasEnded(*mWorksheet->tool()));
        // Started for the line, and once more after it ended with the line waiting.
        QCOMPARE(launchCount(), 3);

        mWorksheet->tool()->setToolPath(ToolLink::defaultToolPath());
        QVERIFY(calculate(QStringLiteral("1+2")));
        QVERIFY(text().endsWith("1+2 =\n3\n"));
    }
};

FIGURELLO_MODEL_TEST_MAIN(ToolFaultsTest)

#include "toolfaults_test.moc"
