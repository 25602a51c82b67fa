// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include "platform/diagnostics.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

// Says the bytes are a launch request of this version, not something else on the socket.
constexpr quint32 kRequestMagic = 0x46524c31; // "FRL1"
const char kTaken = 'k';
// A running instance answers within a frame or two; one that does not within this is hung or
// busy, and the launch is better off as an instance of its own than waiting on it.
constexpr int kConnectTimeoutMs = 500;
constexpr int kAnswerTimeoutMs = 2000;

// The socket's whole path, with its terminating zero, must fit in a socket address.
constexpr qsizetype kMaxSocketPathBytes = sizeof(sockaddr_un::sun_path) - 1;

// Why the folder is not the user's alone, or nothing when it is. Anyone else who could enter it
// could put a socket of their own there and be handed what a launch asks to open.
QString whyNotPrivate(const QString& folder) {
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return qt_error_string(errno);
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("not a folder");
    if (info.st_uid != ::getuid())
        return QStringLiteral("owned by user %1").arg(info.st_uid);
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QStringLiteral("open to other users (mode %1)")
            .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return {};
}

// The socket `name` in `folder`, or nothing, with a warning, when the folder is not private or
// the path too long for a socket.
QString socketIn(const QString& folder, const QString& name) {
    const QString path = folder + u'/' + name;
    const QString why = QFile::encodeName(path).size() > kMaxSocketPathBytes
                            ? QStringLiteral("the socket's path would be too long")
                            : whyNotPrivate(folder);
    if (!why.isEmpty()) {
        qCWarning(figurelloDiagnostics, "Launches are not handed over in %s: %s",
                  qUtf8Printable(folder), qUtf8Printable(why));
        return {};
    }
    return path;
}

// Whether the other end of the connection runs as this user: another user's instance is no one
// to hand files to, and another user's launch no one to take them from.
bool peerIsThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof(peer);
    const int descriptor = int(socket.socketDescriptor());
    if (::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    return size == sizeof(peer) && peer.uid == ::getuid();
}

} // namespace

QString instanceServerName() {
    // Per user, and per display: a second graphical session of the same user has its own.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY", qEnvironmentVariable("DISPLAY"));
    for (QChar& c : display)
        if (!c.isLetterOrNumber() && c != u'-' && c != u'.')
            c = u'_';
    const QString application = QCoreApplication::applicationName().toLower();
    QString name = QStringLiteral("instance");
    if (!display.isEmpty())
        name += u'-' + display;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime)) {
        // A Flatpak sandbox has a runtime folder of its own; the instances of one app share
        // only the app's folder in it.
        const QString flatpak = qEnvironmentVariable("FLATPAK_ID");
        const QString folder =
            flatpak.isEmpty() ? runtime : runtime + QStringLiteral("/app/") + flatpak;
        const QString path = socketIn(folder, application + u'-' + name);
        if (!path.isEmpty())
            return path;
    }
    // The temporary folder is everyone's: the socket goes in a folder of the user's own there,
    // which a folder someone else made first cannot be.
    // Qt names no temporary folder when TMPDIR names a missing one; failing there says why.
    const QString temporary = QDir::tempPath();
    const QString own = (temporary.isEmpty() ? qEnvironmentVariable("TMPDIR") : temporary) +
                        QStringLiteral("/%1-%2").arg(application).arg(::getuid());
    if (::mkdir(QFile::encodeName(own).constData(), 0700) != 0 && errno != EEXIST) {
        qCWarning(figurelloDiagnostics, "Launches are not handed over: cannot make %s: %s",
                  qUtf8Printable(own), qUtf8Printable(qt_error_string(errno)));
        return {};
    }
    return socketIn(own, name);
}

InstanceServer::InstanceServer(QString name, QObject* parent)
    : QObject(parent), mName(std::move(name)), mServer(new QLocalServer(this)) {
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(mServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = mServer->nextPendingConnection()) {
            if (!peerIsThisUser(*socket)) {
                qCWarning(figurelloDiagnostics, "A launch of another user was turned away");
                socket->abort();
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readRequest(socket);
        }
    });
}

bool InstanceServer::listen() {
    if (mName.isEmpty())
        return false;
    // Listening would take the name over even from a running instance, so ask first. A socket
    // nobody answers on was left behind by one that crashed.
    QLocalSocket probe;
    probe.connectToServer(mName);
    if (probe.waitForConnected(kConnectTimeoutMs))
        return false;
    QLocalServer::removeServer(mName);
    return mServer->listen(mName);
}

void InstanceServer::readRequest(QLocalSocket* socket) {
    QDataStream in(socket);
    in.startTransaction();
    quint32 magic = 0;
    LaunchRequest request;
    in >> magic >> request.paths >> request.newWindow;
    if (!in.commitTransaction())
        return; // the rest is still on its way
    if (magic != kRequestMagic) {
        socket->abort();
        return;
    }
    // Answered before it is carried out: opening may ask the user something, and the launch
    // waiting on us must not take that for a hung instance.
    socket->write(&kTaken, 1);
    socket->flush();
    socket->disconnectFromServer();
    emit launchRequested(request);
}

bool handOverToRunningInstance(const LaunchRequest& request, const QString& name) {
    if (name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    if (!peerIsThisUser(socket)) {
        qCWarning(figurelloDiagnostics, "%s belongs to another user; this launch runs on its own",
                  qUtf8Printable(name));
        return false;
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kRequestMagic << request.paths << request.newWindow;
    socket.write(bytes);
    if (!socket.waitForBytesWritten(kAnswerTimeoutMs))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kAnswerTimeoutMs))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
}

} // namespace platform
