#pragma once

#include "plist/value.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QProcess;
class QTemporaryDir;

// The document's side of its CalcTool: starts the tool seeded with the document's variables and
// functions, writes request lines, and decodes the replies. Only the current tool is heard:
// once a tool is abandoned or replaced, nothing it does reaches the document.
class ToolLink : public QObject {
    Q_OBJECT

public:
    explicit ToolLink(QObject* parent = nullptr);
    ~ToolLink() override;

    // CalcTool beside the application's own executable.
    static QString defaultToolPath();
    void setToolPath(const QString& path) { mToolPath = path; }

    // Starts a new tool; a previous one is abandoned. False, with the reason, when it cannot run.
    bool start(const plist::Dictionary& variables, const plist::Dictionary& functions,
               QString* error);
    bool isRunning() const;

    // Writes one request: the line in the standard notation, which holds no line break.
    void send(const QString& line);

    // Stops listening to the current tool and terminates it.
    void abandon();
    // Drops whatever part of a reply has arrived.
    void clearReplyBuffer();

signals:
    void replyReceived(const plist::Dictionary& reply);
    // The current tool ended: its exit code, or the number of the signal that ended it.
    void toolEnded(int status);

private:
    void readOutput();
    QString launchArgument(const std::string& xml, const char* name);

    QString mToolPath;
    QProcess* mProcess = nullptr;
    QByteArray mReplyBuffer;
    std::unique_ptr<QTemporaryDir> mSeedFolder;
};
