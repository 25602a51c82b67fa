// SPDX-License-Identifier: GPL-3.0-or-later
// A later launch hands what it was asked to open to the running instance, and to no other
// user's.

#include "../scopedenvironment.h"
#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Who "nobody" is on Debian: a user the test may become to play another user.
constexpr uid_t kAnotherUser = 65534;

bool makeFolder(const QString& path, mode_t mode) {
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           ::mkdir(QFile::encodeName(path).constData(), mode) == 0 &&
           ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

bool bindSocket(int descriptor, const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path));
    return ::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;
    QString serverName() const { return mFolder.filePath(QStringLiteral("instance")); }

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Figurello")); }

    // Where the socket goes: a folder nobody else can enter, or nowhere, so that another user
    // can neither take a launch's files nor make a launch do nothing.
    void placesTheSocketInAFolderOfOurOwn_data() {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("flatpakId");
        QTest::addColumn<QString>("alreadyThere");
        QTest::addColumn<QString>("folder");
        const auto row = [](const char* name, const char* runtime, const char* flatpakId,
                            const char* alreadyThere, const QString& folder) {
            QTest::newRow(name) << runtime << flatpakId << alreadyThere << folder;
        };
        const QString own = QStringLiteral("tmp/figurello-%1").arg(::getuid());
        row("no runtime folder: our own folder in the temporary folder", "", "", "", own);
        row("our own folder, made by an earlier launch", "", "", "ours", own);
        row("that folder open to everyone, as another user leaves it", "", "", "open", "");
        row("a link in that folder's place", "", "", "link", "");
        row("that folder made by another user", "", "", "another user's", "");
        row("the runtime folder", "run", "", "", "run");
        row("in Flatpak, the app's folder in the runtime folder", "run", "org.figurello.Figurello",
            "", "run/app/org.figurello.Figurello");
        row("a runtime folder too long for a socket's path", QByteArray(100, 'r').constData(), "",
            "", own);
    }
    void placesTheSocketInAFolderOfOurOwn() {
        QFETCH(QString, runtime);
        QFETCH(QString, flatpakId);
        QFETCH(QString, alreadyThere);
        QFETCH(QString, folder);
        const QTemporaryDir base;
        const QString tmp = base.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkdir(tmp));
        const QString own = tmp + QStringLiteral("/figurello-%1").arg(::getuid());
        if (alreadyThere == u"ours")
            QVERIFY(makeFolder(own, 0700));
        if (alreadyThere == u"open")
            QVERIFY(makeFolder(own, 0777));
        if (alreadyThere == u"link") {
            QVERIFY(makeFolder(base.filePath(QStringLiteral("elsewhere")), 0700));
            QVERIFY(QFile::link(base.filePath(QStringLiteral("elsewhere")), own));
        }
        if (alreadyThere == u"another user's") {
            if (::getuid() != 0)
                QSKIP("only root can make a folder for another user");
            QVERIFY(makeFolder(own, 0700));
            QCOMPARE(::chown(QFile::encodeName(own).constData(), kAnotherUser, kAnotherUser), 0);
        }
        if (!runtime.isEmpty()) {
            QVERIFY(makeFolder(base.filePath(runtime), 0700));
            if (!flatpakId.isEmpty())
                QVERIFY(
                    makeFolder(base.filePath(runtime + QStringLiteral("/app/") + flatpakId), 0700));
        }
        const ScopedEnvironment runtimeSetting(
            "XDG_RUNTIME_DIR", runtime.isEmpty() ? "" : QFile::encodeName(base.filePath(runtime)));
        const ScopedEnvironment flatpakSetting("FLATPAK_ID", flatpakId.toUtf8());
        const ScopedEnvironment tmpSetting("TMPDIR", QFile::encodeName(tmp));
        // A refused folder is said in the log.
        if (folder.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(own)));
        const QString name = platform::instanceServerName();

        if (folder.isEmpty()) {
            QVERIFY2(name.isEmpty(), qPrintable(name));
            return;
        }
        QCOMPARE(QFileInfo(name).absolutePath(), base.filePath(folder));
        QVERIFY(QFile::encodeName(name).size() < qsizetype(sizeof(sockaddr_un::sun_path)));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(base.filePath(folder)).constData(), &info), 0);
        QVERIFY(S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0);
    }

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
        QVERIFY(bindSocket(stale, serverName()));
        ::close(stale);
        QVERIFY(QFile::exists(serverName()));
        QVERIFY(!platform::handOverToRunningInstance({{}, true}, serverName()));

        platform::InstanceServer next(serverName());
        QVERIFY(next.listen());
        // A second one finds it running and leaves it be.
        platform::InstanceServer another(serverName());
        QVERIFY(!another.listen());
    }

    // A socket that another user listens on is not ours to hand files to, even when it answers
    // that it took them.
    void handsNothingToAnotherUsersInstance() {
        if (::getuid() != 0)
            QSKIP("only root can listen as another user");
        QTemporaryDir open;
        QCOMPARE(::chmod(QFile::encodeName(open.path()).constData(), 0777), 0);
        const QString name = open.filePath(QStringLiteral("instance"));
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t stranger = ::fork();
        QVERIFY(stranger >= 0);
        if (stranger == 0) {
            // Says "taken" to whatever connects.
            const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
            const bool listening = ::setgid(kAnotherUser) == 0 && ::setuid(kAnotherUser) == 0 &&
                                   bindSocket(listener, name) && ::listen(listener, 1) == 0;
            const char state = listening ? 'y' : 'n';
            if (::write(ready[1], &state, 1) != 1 || !listening)
                ::_exit(1);
            const int connection = ::accept(listener, nullptr, nullptr);
            char request[256];
            (void)::read(connection, request, sizeof(request));
            ::send(connection, "k", 1, MSG_NOSIGNAL);
            ::_exit(0);
        }
        char state = 0;
        QCOMPARE(::read(ready[0], &state, 1), ssize_t(1));
        ::close(ready[0]);
        ::close(ready[1]);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("another user")));
        const bool handedOver = state == 'y' && platform::handOverToRunningInstance(
                                                    {{"/home/a/budget.figurello"}, false}, name);
        ::kill(stranger, SIGKILL);
        ::waitpid(stranger, nullptr, 0);
        QCOMPARE(state, 'y');
        QVERIFY(!handedOver);
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "singleinstance_test.moc"
