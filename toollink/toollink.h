// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"
#include "plist/xmlreader.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <memory>

class QProcess;
class QTemporaryDir;

// The document's side of its CalcTool: starts the tool seeded with the document's variables and
// functions, writes request lines, and decodes the replies. Only the current tool is heard:
// once a tool is abandoned or replaced, nothing it does reaches the document. Nothing here
// waits on the tool for more than a few milliseconds: a tool that stops reading, stops writing
// or writes without end never holds up the application.
class ToolLink : public QObject {
    Q_OBJECT

public:
    explicit ToolLink(QObject* parent = nullptr);
    ~ToolLink() override;

    // CalcTool beside the application's own executable.
    static QString defaultToolPath();
    void setToolPath(const QString& path) { mToolPath = path; }
    QString toolPath() const { return mToolPath; }

    // Starts a new tool; a previous one is abandoned. False, with the reason, when it cannot run.
    // `units` gives variables their units, and is passed only when it holds any. The state goes
    // to the tool in files of a folder only this user can enter, never on its command line,
    // which every user of the machine can read; a state that cannot be written so is not sent.
    bool start(const plist::Dictionary& variables, const plist::Dictionary& functions,
               const plist::Dictionary& units, QString* error);
    bool isRunning() const;
    // The running tool's process id, for telling it apart from tools that are still ending; 0
    // when none runs.
    qint64 processId() const;
    // Whether the current (or last) tool has answered any request since it started.
    bool hasAnswered() const { return mAnswers > 0; }

    // Writes one request: the line in the standard notation, which holds no line break. Its
    // reply is the one property list the tool writes after the replies to the requests before
    // it: requests may go ahead of their replies, which come in the order they were asked.
    void send(const QString& line);
    // Writes the requests in one go, each as send() would.
    void send(const QStringList& lines);
    // Requests written to the current tool and not answered yet.
    int outstandingRequests() const { return int(mReplyLimits.size()); }

    // How long a request may wait for its reply before the window repaints; see send().
    void setQuickReplyWait(int milliseconds) { mQuickReplyMs = milliseconds; }

    // Stops listening to the current tool and ends it: asked first, killed if it will not go.
    void abandon();
    // Drops whatever part of a reply has arrived.
    void clearReplyBuffer();

signals:
    void replyReceived(const plist::Dictionary& reply);
    // The current tool wrote something that is not the reply to the request: not a property
    // list, not a dictionary, far too long, more than one reply, or output nobody asked for.
    // Nothing more is read from it.
    void replyUnreadable();
    // The current tool ended: its exit code, or the number of the signal that ended it.
    void toolEnded(int status);

private:
    void readOutput();
    void awaitQuickReply();
    void rejectOutput();
    bool makeSeedFolder(QString* error);
    bool writeSeed(const plist::Value& symbols, const char* name, QStringList* arguments,
                   QString* error);

    QString mToolPath;
    QProcess* mProcess = nullptr;
    plist::IncrementalXmlReader mReply;
    qsizetype mReplyBytes = 0;
    // For each outstanding request, oldest first, how long its reply may be.
    std::deque<qsizetype> mReplyLimits;
    bool mQuickReplyAwaited = false;
    bool mRejected = false;
    int mAnswers = 0;
    // How long the application waits on a reply before it goes on and lets it come when it
    // comes: well below a frame, so that nobody can see the wait.
    int mQuickReplyMs = 4;
    // The state's files, each tool's replacing the last; removed with the link.
    std::unique_ptr<QTemporaryDir> mSeedFolder;
};
