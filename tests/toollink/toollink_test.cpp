// SPDX-License-Identifier: GPL-3.0-or-later
// How the link frames replies, with small shell stand-ins: exactly one property list answers
// each request, and anything else the tool writes condemns it. How the state reaches a real
// CalcTool without other users seeing it.

#include "../scopedenvironment.h"
#include "toollink/toollink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(plist::Dictionary)

namespace {

constexpr int kWaitMs = 5000;

// Only this user may see it: owned by us, no permission for group or others.
bool isOurs(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && info.st_uid == ::getuid() &&
           (info.st_mode & 077) == 0;
}

const QByteArray kReply = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n"
                          "<dict><key>ResultKind</key><integer>1</integer></dict>\n</plist>";

} // namespace

class ToolLinkTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;

    QString standIn(const QByteArray& script) {
        const QString path = mFolder.filePath(QStringLiteral("tool"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + script) < 0)
            qFatal("cannot write a stand-in tool");
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

private slots:
    // The script answers `requests` lines and ends; `replies` of them must come through as
    // replies, and the link must (or must not) give up on the tool's output.
    void framesReplies_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("replies");
        QTest::addColumn<bool>("unreadable");
        const QByteArray reply = "printf '%s' '" + kReply + "'\n";
        QTest::newRow("the line break after a reply, written later")
            << "read l\n" + reply + "sleep 0.2\necho\nread l\n" + reply + "echo\n"
            << 2 << 2 << false;
        QTest::newRow("output before any request") << QByteArray("echo hello\n") << 0 << 0 << true;
        QTest::newRow("a second reply written after the first")
            << "read l\n" + reply + "sleep 0.2\n" + reply << 1 << 1 << true;
        QTest::newRow("a property list that is not a dictionary")
            << QByteArray("read l\nprintf '<plist version=\"1.0\"><string>no</string></plist>'\n")
            << 1 << 0 << true;
    }
    void framesReplies() {
        QFETCH(QByteArray, script);
        QFETCH(int, requests);
        QFETCH(int, replies);
        QFETCH(bool, unreadable);
        ToolLink link;
        link.setToolPath(standIn(script));
        QSignalSpy received(&link, &ToolLink::replyReceived);
        QSignalSpy rejected(&link, &ToolLink::replyUnreadable);
        QSignalSpy ended(&link, &ToolLink::toolEnded);
        QString error;
        QVERIFY2(link.start({}, {}, {}, &error), qPrintable(error));
        for (int i = 0; i < requests; ++i) {
            link.send(QStringLiteral("1"));
            QTRY_VERIFY_WITH_TIMEOUT(received.count() > i || !rejected.isEmpty(), kWaitMs);
        }
        // Everything the tool wrote has been read once it has ended.
        QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), kWaitMs);
        QCOMPARE(received.count(), replies);
        QCOMPARE(rejected.count(), unreadable ? 1 : 0);
    }

    // An abandoned tool that ignores the request to end is killed, without the link waiting.
    void killsAnAbandonedToolThatWillNotEnd() {
        const QString pidFile = mFolder.filePath(QStringLiteral("pid"));
        ToolLink link;
        link.setToolPath(standIn("trap '' TERM\necho $$ >'" + QFile::encodeName(pidFile) +
                                 "'\nwhile :; do sleep 0.05; done\n"));
        QVERIFY(link.start({}, {}, {}, nullptr));
        QFile file(pidFile);
        QTRY_VERIFY_WITH_TIMEOUT(file.size() > 0, kWaitMs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const qint64 pid = file.readAll().trimmed().toLongLong();
        link.abandon();
        QVERIFY(QFile::exists(QStringLiteral("/proc/%1").arg(pid)));
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(QStringLiteral("/proc/%1").arg(pid)), kWaitMs);
    }

    // Every user can read a process's command line: the state goes in files of a folder only
    // this user can enter, in the runtime folder when there is one, and the tool still knows it.
    void keepsTheStateOffTheCommandLine_data() {
        QTest::addColumn<plist::Dictionary>("variables");
        QTest::addColumn<plist::Dictionary>("functions");
        QTest::addColumn<plist::Dictionary>("units");
        QTest::addColumn<bool>("runtimeFolder");
        QTest::addColumn<QByteArray>("secret");
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("result");
        QTest::addColumn<QString>("unit");
        const plist::Dictionary variable{{"secretvariable", 86421.5}};
        QTest::newRow("a small state's variable")
            << variable << plist::Dictionary{} << plist::Dictionary{} << false
            << QByteArray("86421") << "secretvariable" << 86421.5 << QString();
        QTest::newRow("a function")
            << plist::Dictionary{}
            << plist::Dictionary{{"secretfunction", plist::Array{"x*7919", "x"}}}
            << plist::Dictionary{} << false << QByteArray("7919") << "secretfunction(2)" << 15838.0
            << QString();
        QTest::newRow("a variable's unit")
            << plist::Dictionary{{"distance", 3.0}} << plist::Dictionary{}
            << plist::Dictionary{{"distance", "Mpc/s"}} << false << QByteArray("Mpc") << "distance"
            << 3.0 << "Mpc/s";
        QTest::newRow("in the runtime folder when it is set")
            << variable << plist::Dictionary{} << plist::Dictionary{} << true << QByteArray("86421")
            << "secretvariable" << 86421.5 << QString();
    }
    void keepsTheStateOffTheCommandLine() {
        QFETCH(plist::Dictionary, variables);
        QFETCH(plist::Dictionary, functions);
        QFETCH(plist::Dictionary, units);
        QFETCH(bool, runtimeFolder);
        QFETCH(QByteArray, secret);
        QFETCH(QString, line);
        QFETCH(double, result);
        QFETCH(QString, unit);
        const QString runtime = mFolder.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkdir(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner) ||
                QFileInfo(runtime).isDir());
        const ScopedEnvironment runtimeSetting("XDG_RUNTIME_DIR",
                                               runtimeFolder ? QFile::encodeName(runtime) : "");
        ToolLink link;
        QSignalSpy received(&link, &ToolLink::replyReceived);
        QString error;
        QVERIFY2(link.start(variables, functions, units, &error), qPrintable(error));

        // Empty for a moment after the tool's start is reported, until the kernel has laid out
        // the new program's arguments.
        QByteArray readCommandLine;
        QTRY_VERIFY([&] {
            QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(link.processId()));
            readCommandLine = commandLine.open(QIODevice::ReadOnly) ? commandLine.readAll() : "";
            return !readCommandLine.isEmpty();
        }());
        const QList<QByteArray> arguments = readCommandLine.split('\0');
        // The tool's name, its state's files and the empty end.
        QVERIFY2(arguments.size() >= 4, arguments.join(' ').constData());
        QVERIFY2(!arguments.join(' ').contains(secret), arguments.join(' ').constData());
        const QString place = runtimeFolder ? runtime : QDir::tempPath();
        for (const QByteArray& argument : arguments.mid(1, arguments.size() - 2)) {
            QVERIFY2(argument.startsWith('@'), argument.constData());
            const QFileInfo file(QFile::decodeName(argument.mid(1)));
            QCOMPARE(QFileInfo(file.absolutePath()).absolutePath(), place);
            QVERIFY(isOurs(file.absolutePath()));
            QVERIFY(isOurs(file.filePath()));
        }

        link.send(line);
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, kWaitMs);
        const auto reply = received[0][0].value<plist::Dictionary>();
        QCOMPARE(*reply.at("Result").real(), result);
        QCOMPARE(QString::fromStdString(reply.count("Unit") ? *reply.at("Unit").string() : ""),
                 unit);
        // Read by then, and gone: nothing of it is left behind should the application be killed.
        QVERIFY(!QFileInfo::exists(QFile::decodeName(arguments[1].mid(1))));
    }

    // With no private place for the state the tool does not start, rather than be handed it
    // where others can read it.
    void refusesToStartWithNowhereToPutTheState() {
        const ScopedEnvironment noRuntime("XDG_RUNTIME_DIR", "");
        const QString missing = mFolder.filePath(QStringLiteral("missing"));
        const ScopedEnvironment temporary("TMPDIR", QFile::encodeName(missing));
        ToolLink link;
        QString error;
        QVERIFY(!link.start(plist::Dictionary{{"secretvariable", 1.0}}, {}, {}, &error));
        QVERIFY2(error.contains(missing), qPrintable(error));
        QVERIFY(!link.isRunning());
    }
};

QTEST_GUILESS_MAIN(ToolLinkTest)
#include "toollink_test.moc"
