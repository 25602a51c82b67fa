// SPDX-License-Identifier: GPL-3.0-or-later
// A later launch hands what it was asked to open to the running instance.

#include "platform/singleinstance.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class SingleInstanceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;
    QString serverName() const { return mFolder.filePath(QStringLiteral("instance")); }

private slots:
    void handsOverToTheRunningInstance_data() {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<bool>("newWindow");
        QTest::newRow("files to open")
            << QStringList{"/home/a/budget.figurello", "/tmp/b c.txt"} << false;
        QTest::newRow("a new worksheet") << QStringList{} << true;
        QTest::newRow("nothing: just come forward") << QStringList{} << false;
    }
    void handsOverToTheRunningInstance() {
        QFETCH(QStringList, paths);
        QFETCH(bool, newWindow);
        platform::InstanceServer running(serverName());
        QVERIFY(running.listen());
        QList<platform::LaunchRequest> received;
        connect(&running, &platform::InstanceServer::launchRequested,
                [&received](const platform::LaunchRequest& request) { received.append(request); });

        // The launch blocks while it waits for an answer, so it runs beside this event loop.
        std::future<bool> handedOver = std::async(std::launch::async, [&] {
            return platform::handOverToRunningInstance({paths, newWindow}, serverName());
        });
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 10000);
        QVERIFY(handedOver.get());
        QCOMPARE(received[0].paths, paths);
        QCOMPARE(received[0].newWindow, newWindow);
    }

    // With nobody answering, a launch goes on by itself and becomes the running instance, even
    // over the socket an instance that crashed left behind.
    void runsAloneWhenNoInstanceAnswers() {
        QVERIFY(!platform::handOverToRunningInstance({{}, true}, serverName()));

        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(serverName());
        qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
        QCOMPARE(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(stale);
        QVERIFY(QFile::exists(serverName()));
        QVERIFY(!platform::handOverToRunningInstance({{}, true}, serverName()));

        platform::InstanceServer next(serverName());
        QVERIFY(next.listen());
        // A second one finds it running and leaves it be.
        platform::InstanceServer another(serverName());
        QVERIFY(!another.listen());
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "singleinstance_test.moc"
