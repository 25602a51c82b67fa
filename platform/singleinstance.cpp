// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include <QDataStream>
#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

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

} // namespace

QString instanceServerName() {
    // Per user, and per display: a second graphical session of the same user has its own.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY", qEnvironmentVariable("DISPLAY"));
    for (QChar& c : display)
        if (!c.isLetterOrNumber() && c != u'-' && c != u'.')
            c = u'_';
    QString name = QCoreApplication::applicationName().toLower() + QStringLiteral("-instance");
    if (!display.isEmpty())
        name += u'-' + display;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + u'/' + name;
    // The temporary folder is shared: the user's id keeps each user's instance apart.
    return QDir::tempPath() + QStringLiteral("/%1-%2").arg(name).arg(::getuid());
}

InstanceServer::InstanceServer(QString name, QObject* parent)
    : QObject(parent), mName(std::move(name)), mServer(new QLocalServer(this)) {
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(mServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = mServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readRequest(socket);
        }
    });
}

bool InstanceServer::listen() {
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
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
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
