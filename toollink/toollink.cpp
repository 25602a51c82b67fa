// SPDX-License-Identifier: GPL-3.0-or-later
#include "toollink/toollink.h"

#include "plist/binarywriter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 5000;
// How long an abandoned tool may take to end when asked before it is killed.
constexpr int kEndGraceMs = 300;
constexpr int kReapTimeoutMs = 1000;

// A reply holds a kind, a number, a stop offset and at most one name out of the line, which
// XML may spell with up to six bytes a byte. Anything much longer is not a reply.
constexpr qsizetype kReplyBytesBesidesName = 64 * 1024;
constexpr qsizetype kMaxBytesPerNameByte = 6;

// A folder only this user can enter: a real folder, not a link to one, owned by the user, with
// no permission for anyone else.
bool isPrivateFolder(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// Where the state's folder may go, best first: the user's runtime folder is the user's alone
// and lives in memory; the temporary folder is on disk on many systems.
QStringList seedFolderPlaces() {
    QStringList places;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        places.append(runtime);
    // Qt names no temporary folder when TMPDIR names a missing one; failing there says why.
    const QString temporary = QDir::tempPath();
    places.append(temporary.isEmpty() ? qEnvironmentVariable("TMPDIR") : temporary);
    return places;
}

const char kOpenToOthers[] = QT_TRANSLATE_NOOP("ToolLink", "other users could read it");

// What stopped the state from being written, and where.
QString failure(const QString& path, const QString& why) {
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
}

bool isBlank(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

} // namespace

ToolLink::ToolLink(QObject* parent) : QObject(parent), mToolPath(defaultToolPath()) {}

ToolLink::~ToolLink() {
    abandon();
    // The link goes, and every tool it started goes with it: those still ending get no more time.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect();
        process->kill();
        process->waitForFinished(kReapTimeoutMs);
    }
}

QString ToolLink::defaultToolPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("CalcTool"));
}

bool ToolLink::makeSeedFolder(QString* error) {
    if (mSeedFolder) {
        if (isPrivateFolder(mSeedFolder->path()))
            return true;
        // Gone, say to a cleaner of old temporary files; what is there now is not ours to remove.
        mSeedFolder->setAutoRemove(false);
        mSeedFolder.reset();
    }
    QString why;
    for (const QString& place : seedFolderPlaces()) {
        auto folder =
            std::make_unique<QTemporaryDir>(place + QStringLiteral("/figurello-tool-XXXXXX"));
        if (!folder->isValid()) {
            why = failure(place, folder->errorString());
            continue;
        }
        // Made without permission for anyone else; a file system that ignores that is no place
        // for the state.
        if (!isPrivateFolder(folder->path())) {
            why = failure(folder->path(), QCoreApplication::translate("ToolLink", kOpenToOthers));
            continue;
        }
        mSeedFolder = std::move(folder);
        return true;
    }
    if (error)
        *error = why;
    return false;
}

bool ToolLink::writeSeed(const plist::Value& symbols, const char* name, QStringList* arguments,
                         QString* error) {
    const QString path = mSeedFolder->filePath(QString::fromLatin1(name));
    // Binary, because the tool reads that several times faster than XML.
    const std::string binary = plist::writeBinary(symbols);
    // Written beside the last state and renamed over it, so that a tool still reading that one
    // reads it whole. Not synced to disk, which costs milliseconds on the way to opening a
    // worksheet: after a crash of the system nobody reads them.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    QString why;
    if (!file.open() || file.write(binary.data(), qint64(binary.size())) != qint64(binary.size()) ||
        !file.flush())
        why = file.errorString();
    else if (::rename(QFile::encodeName(file.fileName()).constData(),
                      QFile::encodeName(path).constData()) != 0)
        why = qt_error_string(errno);
    if (!why.isEmpty()) {
        if (error)
            *error = failure(path, why);
        return false;
    }
    file.setAutoRemove(false);
    arguments->append(QLatin1Char('@') + path);
    return true;
}

bool ToolLink::start(const plist::Dictionary& variables, const plist::Dictionary& functions,
                     const plist::Dictionary& units, QString* error) {
    abandon();
    clearReplyBuffer();
    mReplyLimits.clear();
    mRejected = false;
    mAnswers = 0;
    QStringList arguments;
    if (!makeSeedFolder(error) ||
        !writeSeed(plist::Value(variables), "variables.plist", &arguments, error) ||
        !writeSeed(plist::Value(functions), "functions.plist", &arguments, error) ||
        (!units.empty() && !writeSeed(plist::Value(units), "units.plist", &arguments, error)))
        return false;

    auto* process = new QProcess(this);
    process->setProgram(mToolPath);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        if (process == mProcess)
            readOutput();
    });
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus) {
                if (process != mProcess)
                    return;
                mProcess = nullptr;
                mReplyLimits.clear();
                process->deleteLater();
                emit toolEnded(exitCode);
            });
    mProcess = process;
    process->start();
    if (!process->waitForStarted(kStartTimeoutMs)) {
        if (error)
            *error = process->errorString();
        mProcess = nullptr;
        process->disconnect(this);
        process->deleteLater();
        return false;
    }
    return true;
}

bool ToolLink::isRunning() const { return mProcess != nullptr; }

qint64 ToolLink::processId() const { return mProcess ? mProcess->processId() : 0; }

void ToolLink::send(const QString& line) { send(QStringList{line}); }

void ToolLink::send(const QStringList& lines) {
    if (!mProcess || lines.isEmpty())
        return;
    QByteArray request;
    for (const QString& line : lines) {
        const qsizetype start = request.size();
        request += line.toUtf8();
        request += '\n';
        mReplyLimits.push_back(kReplyBytesBesidesName +
                               kMaxBytesPerNameByte * (request.size() - start));
    }
    // Buffered and written as the pipe takes it: a tool that does not read cannot block us.
    mProcess->write(request);
    // Out now rather than on the next pass of the event loop, after the window has repainted.
    mProcess->waitForBytesWritten(0);
    // Most lines are answered within microseconds. Taking a quick reply before the window
    // repaints shows the line and its answer in one frame instead of two, and saves a repaint.
    // Queued, so that whoever sent the line has finished with it when its reply arrives; ahead
    // of the repaint, which Qt posts at a lower priority.
    if (!std::exchange(mQuickReplyAwaited, true))
        QMetaObject::invokeMethod(this, &ToolLink::awaitQuickReply, Qt::QueuedConnection);
}

void ToolLink::awaitQuickReply() {
    mQuickReplyAwaited = false;
    const QDeadlineTimer deadline(mQuickReplyMs);
    while (mProcess && !mReplyLimits.empty() && !deadline.hasExpired()) {
        if (!mProcess->waitForReadyRead(int(deadline.remainingTime())))
            return;
    }
}

void ToolLink::abandon() {
    if (!mProcess)
        return;
    QProcess* process = std::exchange(mProcess, nullptr);
    mReplyLimits.clear();
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    // A tool that keeps writing must not fill our memory while it ends; closing the pipe also
    // ends a tool blocked on it. Not from inside the process's own read notification.
    QMetaObject::invokeMethod(
        process, [process] { process->closeReadChannel(QProcess::StandardOutput); },
        Qt::QueuedConnection);
    process->terminate();
    QTimer::singleShot(kEndGraceMs, process, &QProcess::kill);
}

void ToolLink::clearReplyBuffer() {
    mReply.reset();
    mReplyBytes = 0;
}

void ToolLink::rejectOutput() {
    mRejected = true;
    mReplyLimits.clear();
    clearReplyBuffer();
    emit replyUnreadable();
}

void ToolLink::readOutput() {
    QProcess* process = mProcess;
    const QByteArray chunk = process->readAllStandardOutput();
    std::string_view bytes(chunk.constData(), std::size_t(chunk.size()));
    // Requests may be ahead of their replies, so one chunk may end one reply and begin the next.
    while (!bytes.empty() && !mRejected && process == mProcess) {
        if (mReplyLimits.empty()) {
            // Between replies the tool has nothing to say but the line break ending the last.
            if (!isBlank(bytes))
                rejectOutput();
            return;
        }
        const qsizetype fedBefore = mReplyBytes;
        const qsizetype room = mReplyLimits.front() - fedBefore;
        const std::string_view fed = bytes.substr(0, std::size_t(std::max<qsizetype>(room, 0)));
        switch (mReply.feed(fed)) {
        case plist::IncrementalXmlReader::Status::Incomplete:
            if (fed.size() < bytes.size())
                return rejectOutput();
            mReplyBytes += qsizetype(fed.size());
            return;
        case plist::IncrementalXmlReader::Status::Malformed:
            return rejectOutput();
        case plist::IncrementalXmlReader::Status::Complete:
            break;
        }
        bytes = bytes.substr(std::size_t(qsizetype(mReply.endOffset()) - fedBefore));
        // One request, one reply: more after the last reply asked for answers nothing.
        if (mReplyLimits.size() == 1 && !isBlank(bytes))
            return rejectOutput();
        const plist::Value reply = mReply.takeValue();
        clearReplyBuffer();
        const plist::Dictionary* dictionary = reply.dictionary();
        if (!dictionary)
            return rejectOutput();
        mReplyLimits.pop_front();
        // By its first reply the tool has read its state: none of it is left on disk after
        // that, even when the application is killed.
        if (++mAnswers == 1)
            mSeedFolder.reset();
        // The receiver may send, restart or abandon: the loop goes on only with the same tool.
        emit replyReceived(*dictionary);
    }
}
