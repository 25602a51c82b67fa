// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace platform {

// What a launch of the application asks for.
struct LaunchRequest {
    // Absolute, so that they mean the same in the running instance.
    QStringList paths;
    bool newWindow = false;
};

// The running instance's socket: one per user and display, in a folder only the user can enter:
// the runtime folder (in a Flatpak sandbox, the app's folder in it), or else a folder of the
// user's own in the temporary folder. Empty, with a warning, when that folder is not private:
// each launch then runs as an instance of its own rather than talk to a stranger.
QString instanceServerName();

// Lets later launches in the same session hand their requests to this instance instead of
// running as instances of their own.
class InstanceServer : public QObject {
    Q_OBJECT

public:
    explicit InstanceServer(QString name = instanceServerName(), QObject* parent = nullptr);

    // Starts answering later launches, of this user only. False when another running instance
    // already does, or when the socket cannot be made; this instance then simply runs on its own.
    bool listen();

signals:
    void launchRequested(const platform::LaunchRequest& request);

private:
    void readRequest(QLocalSocket* socket);

    QString mName;
    QLocalServer* mServer;
};

// Hands the request to the running instance. True once it has taken it; false when none runs,
// none answers in time, or the one listening is another user's, and this launch should go on
// by itself.
bool handOverToRunningInstance(const LaunchRequest& request,
                               const QString& name = instanceServerName());

} // namespace platform
