// SPDX-License-Identifier: GPL-3.0-or-later
// figurello as a user runs it from a terminal: what figurello calc prints and its exit status,
// help and the version, and a launch beside a running instance.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <unistd.h>

using namespace Qt::StringLiterals;

class CalcCommandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;

    struct Run {
        QString out;
        int status;
        QString error;
    };
    // The environment of a user without a template or kept worksheets of their own.
    QProcessEnvironment userEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), mFolder.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), mFolder.filePath("data"));
        return environment;
    }

    // figurello calc with `arguments`. `limit`, when not empty, is a shell command run first,
    // such as a ulimit.
    Run run(const QStringList& arguments, const QByteArray& input, const QString& limit = {}) {
        return launch(QStringList{"calc"} + arguments, input, userEnvironment(), limit);
    }

    Run launch(const QStringList& arguments, const QByteArray& input,
               const QProcessEnvironment& environment, const QString& limit = {}) {
        QProcess figurello;
        figurello.setProcessEnvironment(environment);
        if (limit.isEmpty())
            figurello.start(QStringLiteral(FIGURELLO_PATH), arguments);
        else
            figurello.start(QStringLiteral("sh"),
                            QStringList{"-c", limit + QStringLiteral("; exec \"$0\" \"$@\""),
                                        QStringLiteral(FIGURELLO_PATH)} +
                                arguments);
        // Written only once it runs: input written earlier can be lost with the channel closed.
        if (!figurello.waitForStarted(10000))
            return {QStringLiteral("did not start"), -1, {}};
        figurello.write(input);
        figurello.closeWriteChannel();
        if (!figurello.waitForFinished(30000))
            return {QStringLiteral("timed out"), -1, {}};
        return {QString::fromUtf8(figurello.readAllStandardOutput()), figurello.exitCode(),
                QString::fromUtf8(figurello.readAllStandardError())};
    }

private slots:
    void calculatesAndPrints_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("status");
        QTest::newRow("every line answered")
            << QStringList{} << QByteArray("x = 2\n\nsq(a) = a^2\r\nsq(x) + 1\n")
            << "x = 2 =\n2\nsq(a) = a^2 =\nFunction defined\nsq(x) + 1 =\n5\n"
            << 0;
        QTest::newRow("a line in error") << QStringList{} << QByteArray("2 * *3\n1/4\n")
                                         << "2 * *3 =\nSyntax error: unexpected “*”\n1/4 =\n0.25\n"
                                         << 1;
        QTest::newRow("hexadecimal integers")
            << QStringList{"--hex"} << QByteArray("255\n0.5\n") << "255 =\n0xFF\n0.5 =\n0.5\n"
            << 0;
        QTest::newRow("standard input named -")
            << QStringList{"-"} << QByteArray("6*7\n") << "6*7 =\n42\n"
            << 0;
        QTest::newRow("unknown option") << QStringList{"--nonsense"} << QByteArray() << "" << 2;
        QTest::newRow("missing worksheet")
            << QStringList{"--open", "/nonexistent/a.figurello"} << QByteArray() << "" << 2;
        QTest::newRow("recalculating with input")
            << QStringList{"--recalculate", "a.figurello", "input.txt"} << QByteArray() << "" << 2;
        QTest::newRow("missing input")
            << QStringList{"/nonexistent/input.txt"} << QByteArray() << "" << 2;
    }
    void calculatesAndPrints() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, out);
        QFETCH(int, status);
        const Run result = run(arguments, input);
        QCOMPARE(result.out, out);
        QCOMPARE(result.status, status);
        // Its output is the worksheet: nothing is kept for reopening.
        QVERIFY(!QFileInfo::exists(mFolder.filePath("data/figurello")));
    }

    // Help, the version and calculating in the terminal need no display, and the terminal shows
    // only what was asked for: the diagnostic lines only on request, never a plug-in's warning.
    void runsInATerminal_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("loggingRules");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("error");
        const QString worksheet = QStringLiteral("1+1 =\n2\n");
        QTest::newRow("help without a display")
            << QStringList{"--help"} << QString() << QString() << "Usage: " << QString();
        QTest::newRow("version without a display")
            << QStringList{"--version"} << QString() << QString() << "Figurello " FIGURELLO_VERSION
            << QString();
        QTest::newRow("calc without a display, quiet")
            << QStringList{"calc"} << QString() << QString() << worksheet << QString();
        QTest::newRow("calc with an unreachable display, quiet")
            << QStringList{"calc"} << ":93" << QString() << worksheet << QString();
        QTest::newRow("calc --verbose, diagnostics")
            << QStringList{"calc", "--verbose"} << QString() << QString() << worksheet
            << "dealloc 1";
        QTest::newRow("calc, diagnostics by logging rule")
            << QStringList{"calc"} << QString() << "figurello.diagnostics=true" << worksheet
            << "dealloc 1";
    }
    void runsInATerminal() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, display);
        QFETCH(QString, loggingRules);
        QFETCH(QString, out);
        QFETCH(QString, error);
        QProcessEnvironment environment = userEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_LOGGING_RULES"})
            environment.remove(QLatin1String(name));
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        if (!loggingRules.isEmpty())
            environment.insert(QStringLiteral("QT_LOGGING_RULES"), loggingRules);
        const Run result = launch(arguments, "1+1\n", environment);
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.startsWith(out), qPrintable(result.out));
        if (error.isEmpty())
            QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        else
            QVERIFY2(result.error.contains(error), qPrintable(result.error));
    }

    // A second launch hands its file to the instance already running and ends; the running one
    // opens it, and so notes it among the recently used files.
    void aSecondLaunchHandsItsFileOver() {
        QTemporaryDir runtime;
        QProcessEnvironment environment = userEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("XDG_STATE_HOME"), mFolder.filePath("state"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Without a display the socket's name is the plain one.
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        QProcess running;
        running.setProcessEnvironment(environment);
        running.start(QStringLiteral(FIGURELLO_PATH), QStringList());
        const auto stop = qScopeGuard([&running] {
            running.kill();
            running.waitForFinished(10000);
        });
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(runtime.filePath("figurello-instance")), 20000);

        const QString path = mFolder.filePath(QStringLiteral("handed over.txt"));
        QFile notes(path);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("1+1\n");
        notes.close();
        const Run second = launch({path}, QByteArray(), environment);
        QCOMPARE(second.status, 0);
        const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath()).toEncoded();
        const auto noted = [this, &uri] {
            QFile recent(mFolder.filePath("data/recently-used.xbel"));
            return recent.open(QIODevice::ReadOnly) && recent.readAll().contains(uri);
        };
        QTRY_VERIFY_WITH_TIMEOUT(noted(), 20000);
        QCOMPARE(running.state(), QProcess::Running);
    }

    // A Mac's RTF prints as it reads: Latin text in a Japanese document, a non-breaking space,
    // an attachment; text in a code page nobody decodes costs only its own characters.
    void printsTheTextAsItIs() {
        const QString path = mFolder.filePath(QStringLiteral("mac.rtf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi\\ansicpg932{\\fonttbl\\f0\\fswiss\\fcharset0 ArialMT;"
                   "\\f1\\fnil\\fcharset78 Osaka;\\f2\\fnil\\cpg99999 X;}\n"
                   "\\f0 caf\\'e9\\~12{{\\NeXTGraphic a.png \\width10 \\height10}\xac}\\\n"
                   "\\f1 \\'89\\'b9\\'8a\\'79 \\f2 \\'e9}");
        file.close();
        const Run result = run({"--open", path}, QByteArray());
        QCOMPARE(result.out, u"caf\u00E9\u00A012\uFFFC\n\u97F3\u697D \uFFFD"_s);
        QCOMPARE(result.status, 0);
        QVERIFY2(result.error.contains(u"99999"), qPrintable(result.error));
    }

    // What one run saves, the next one opens with its text and its variables and functions.
    void savesAndReopens() {
        const QString path = mFolder.filePath(QStringLiteral("saved.figurello"));
        QCOMPARE(run({"--save", path}, "r = 3\narea(r) = pi r^2\n").status, 0);
        const Run reopened = run({"--open", path}, "area(r) / pi\n");
        QCOMPARE(reopened.status, 0);
        QCOMPARE(reopened.out, QStringLiteral("r = 3 =\n3\narea(r) = pi r^2 =\nFunction "
                                              "defined\narea(r) / pi =\n9\n"));
        // Recalculated, the same worksheet gives the same answers.
        const Run recalculated = run({"--recalculate", path}, QByteArray());
        QCOMPARE(recalculated.status, 0);
        QCOMPARE(recalculated.out, QStringLiteral("r = 3 =\n3\narea(r) = pi r^2 =\nFunction "
                                                  "defined\n"));
    }

    // A save that cannot complete reports why and leaves the old file as it was, byte for byte.
    void aFailedSaveLeavesTheOldFileIntact_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("file size limit") << "limit";
        QTest::newRow("full file system") << "full";
        QTest::newRow("read-only folder") << "read-only";
    }
    void aFailedSaveLeavesTheOldFileIntact() {
        QFETCH(QString, how);
        QString folder = mFolder.filePath(how);
        QVERIFY(QDir().mkpath(folder));
        QString limit;
        bool mounted = false;
        const auto unmount = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (mounted)
                QProcess::execute("umount", {folder});
        });
        if (how == "limit") {
            // Past the limit a write fails as on a full disk (the signal is ignored).
            limit = QStringLiteral("trap '' XFSZ; ulimit -f 8");
        } else if (how == "full") {
            if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}) != 0)
                QSKIP("cannot mount a small file system here (needs root)");
            mounted = true;
        } else if (getuid() == 0) {
            QSKIP("root writes into read-only folders");
        }
        const QString path = folder + QStringLiteral("/sheet.figurello");
        QCOMPARE(run({"--save", path}, "x = 1\n").status, 0);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray old = saved.readAll();
        saved.close();
        if (how == "full") {
            QFile filler(folder + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(1024, 'x')) > 0 && filler.flush()) {
            }
        } else if (how == "read-only") {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        }

        QString bigger;
        for (int line = 0; line < 300; ++line)
            bigger += QStringLiteral("value%1 = %1\n").arg(line);
        const Run failed = run({"--open", path, "--save", path}, bigger.toUtf8(), limit);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray after = saved.readAll();
        QCOMPARE(failed.status, 2);
        QVERIFY(after == old);
        QVERIFY2(failed.error.contains(QStringLiteral("Cannot write")), qPrintable(failed.error));
    }
};

QTEST_GUILESS_MAIN(CalcCommandTest)
#include "calccommand_test.moc"
