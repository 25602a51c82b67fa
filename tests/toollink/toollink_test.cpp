// SPDX-License-Identifier: GPL-3.0-or-later
// How the link frames replies, with small shell stand-ins: exactly one property list answers
// each request, and anything else the tool writes condemns it.

#include "toollink/toollink.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kWaitMs = 5000;

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
};

QTEST_GUILESS_MAIN(ToolLinkTest)
#include "toollink_test.moc"
