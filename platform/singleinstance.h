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

// The running instance's socket: one per user and display, in the user's runtime folder.
QString instanceServerName();

// Lets later launches in the same session hand their requests to this instance instead of
// running as instances of their own.
class InstanceServer : public QObject {
    Q_OBJECT

public:
    explicit InstanceServer(QString name = instanceServerName(), QObject* parent = nullptr);

    // Starts answering later launches. False when another running instance already does, or
    // when the socket cannot be made; this instance then simply runs on its own.
    bool listen();

signals:
    void launchRequested(const platform::LaunchRequest& request);

private:
    void readRequest(QLocalSocket* socket);

    QString mName;
    QLocalServer* mServer;
};

// Hands the request to the running instance. True once it has taken it; false when none runs,
// or none answers in time, and this launch should go on by itself.
bool handOverToRunningInstance(const LaunchRequest& request,
                               const QString& name = instanceServerName());

} // namespace platform
