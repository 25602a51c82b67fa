// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/documentrecovery.h"

#include "platform/atomicwrite.h"
#include "platform/diagnostics.h"
#include "platform/document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

const QString kLockName = QStringLiteral("lock");
// Beside each recovery file: the document's file path and its name, one a line.
const QString kOriginSuffix = QStringLiteral(".origin");

QString originPathOf(const QString& recoveryPath) {
    return recoveryPath.left(recoveryPath.lastIndexOf(QLatin1Char('.'))) + kOriginSuffix;
}

// An exclusive lock the system drops when the process ends, however it ends. -1 when the
// folder is locked by a running process, or cannot be locked.
int lockFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder + '/' + kLockName).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The number in "document-N.suffix": documents are numbered as they are watched.
int serialOf(const QFileInfo& file) { return file.completeBaseName().section(u'-', -1).toInt(); }

} // namespace

DocumentRecovery::DocumentRecovery(QString folder, DocumentType type, int delayMs, QObject* parent)
    : QObject(parent), mFolder(std::move(folder)), mDocumentType(std::move(type)),
      mDelayMs(delayMs) {
    // One thread, so that the writes of a document land in the order they were made.
    mWriter.setMaxThreadCount(1);
    mInstanceFolder = mFolder + QStringLiteral("/instance-%1-%2")
                                    .arg(QCoreApplication::applicationPid())
                                    .arg(QDateTime::currentMSecsSinceEpoch());
    if (QDir().mkpath(mInstanceFolder))
        mLockFd = lockFolder(mInstanceFolder);
}

DocumentRecovery::~DocumentRecovery() {
    mWriter.waitForDone();
    releaseOrphans();
    if (mLockFd >= 0) {
        QDir(mInstanceFolder).removeRecursively();
        ::close(mLockFd);
    }
}

void DocumentRecovery::watch(Document* document) {
    if (!isActive() || mWatched.contains(document))
        return;
    Watched& watched = mWatched[document];
    watched.path = mInstanceFolder + QStringLiteral("/document-%1").arg(++mSerial) +
                   mDocumentType.dottedSuffix();
    watched.timer = new QTimer(this);
    watched.timer->setSingleShot(true);
    watched.timer->setInterval(mDelayMs);
    connect(watched.timer, &QTimer::timeout, this, [this, document] { writeNow(document); });
    connect(document, &Document::contentsEdited, this,
            [this, document] { scheduleWrite(document); });
    connect(document, &Document::editedChanged, this,
            [this, document](bool edited) { documentEditedChanged(document, edited); });
    if (document->isDocumentEdited())
        scheduleWrite(document);
}

void DocumentRecovery::unwatch(Document* document) {
    const auto found = mWatched.constFind(document);
    if (found == mWatched.cend())
        return;
    document->disconnect(this);
    delete found->timer;
    const QString path = found->path;
    mWatched.erase(found);
    mWriter.start([path] {
        QFile::remove(path);
        QFile::remove(originPathOf(path));
    });
}

QString DocumentRecovery::recoveryPathOf(Document* document) const {
    return mWatched.value(document).path;
}

void DocumentRecovery::scheduleWrite(Document* document) {
    // Counted from the first change, not the last: typing without a pause is written too.
    QTimer* timer = mWatched.value(document).timer;
    if (timer && !timer->isActive())
        timer->start();
}

void DocumentRecovery::documentEditedChanged(Document* document, bool edited) {
    if (edited) {
        scheduleWrite(document);
        return;
    }
    // Saved, or its changes undone: the file on disk, if any, holds everything again.
    const Watched watched = mWatched.value(document);
    watched.timer->stop();
    mWriter.start([path = watched.path] {
        QFile::remove(path);
        QFile::remove(originPathOf(path));
    });
}

void DocumentRecovery::writeNow(Document* document) {
    if (!document->isDocumentEdited())
        return;
    QString reason;
    const QByteArray data = document->dataOfType(mDocumentType.typeName, &reason);
    if (data.isEmpty())
        return;
    const QByteArray origin =
        (document->filePath() + '\n' + document->displayName() + '\n').toUtf8();
    // Only the disk work leaves the main thread; the contents were taken above.
    mWriter.start([this, document, path = mWatched.value(document).path, data, origin] {
        QString error;
        if (!writeFileAtomically(originPathOf(path), origin, &error) ||
            !writeFileAtomically(path, data, &error)) {
            qCWarning(figurelloDiagnostics, "Cannot write the recovery file %s: %s",
                      qPrintable(path), qPrintable(error));
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, document] { emit documentWritten(document); }, Qt::QueuedConnection);
    });
}

void DocumentRecovery::waitForWrites() { mWriter.waitForDone(); }

QList<DocumentRecovery::Orphan> DocumentRecovery::claimOrphans() {
    QList<Orphan> orphans;
    const QFileInfoList instances = QDir(mFolder).entryInfoList(
        {QStringLiteral("instance-*")}, QDir::Dirs, QDir::Time | QDir::Reversed);
    for (const QFileInfo& instance : instances) {
        const QString folder = instance.absoluteFilePath();
        if (folder == QFileInfo(mInstanceFolder).absoluteFilePath())
            continue;
        const int fd = lockFolder(folder);
        if (fd < 0)
            continue; // still running
        mClaimed.append({folder, fd});
        QFileInfoList files = QDir(folder).entryInfoList(
            {QLatin1Char('*') + mDocumentType.dottedSuffix()}, QDir::Files);
        // In the order the documents were opened, which their modification times need not show.
        std::sort(files.begin(), files.end(),
                  [](const QFileInfo& a, const QFileInfo& b) { return serialOf(a) < serialOf(b); });
        for (const QFileInfo& file : files) {
            Orphan orphan;
            orphan.path = file.absoluteFilePath();
            orphan.savedAt = file.lastModified();
            QFile origin(originPathOf(orphan.path));
            if (origin.open(QIODevice::ReadOnly)) {
                const QStringList lines = QString::fromUtf8(origin.readAll()).split('\n');
                orphan.filePath = lines.value(0);
                orphan.displayName = lines.value(1);
            }
            orphans.append(orphan);
        }
    }
    return orphans;
}

void DocumentRecovery::releaseOrphans() {
    for (const auto& [folder, fd] : std::as_const(mClaimed)) {
        QDir(folder).removeRecursively();
        ::close(fd);
    }
    mClaimed.clear();
}

} // namespace platform
