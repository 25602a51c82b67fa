// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/documenttype.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>

class QTimer;

namespace platform {

class Document;

// Writes every document with unsaved changes to a recovery file shortly after it changes, so
// that a crash or a kill loses at most the last few seconds of work, and finds the files that
// an instance which did not end cleanly left behind. Each running instance has a folder of its
// own, held by a lock the system releases however the process ends.
class DocumentRecovery : public QObject {
    Q_OBJECT

public:
    struct Orphan {
        QString path;
        // The file the document belonged to; empty for an untitled one.
        QString filePath;
        QString displayName;
        QDateTime savedAt;
    };

    static constexpr int kDefaultDelayMs = 2000;

    // Documents are written as the application's own type.
    DocumentRecovery(QString folder, DocumentType type, int delayMs = kDefaultDelayMs,
                     QObject* parent = nullptr);
    // Waits for writes under way; the instance's folder goes with it.
    ~DocumentRecovery() override;

    QString folder() const { return mFolder; }
    // False when the instance's folder cannot be made or locked: nothing is written then.
    bool isActive() const { return mLockFd >= 0; }

    void watch(Document* document);
    // Stops watching and removes the document's recovery file: it was saved or closed.
    void unwatch(Document* document);
    // The file a document is written to; empty when it is not watched.
    QString recoveryPathOf(Document* document) const;
    // Blocks until every write begun so far has finished.
    void waitForWrites();

    // The documents instances that are no longer running left behind, oldest first. Their
    // folders stay claimed by this instance until released.
    QList<Orphan> claimOrphans();
    // Removes the claimed folders and everything left in them.
    void releaseOrphans();

signals:
    // A document's latest contents reached its recovery file.
    void documentWritten(platform::Document* document);

private:
    struct Watched {
        QTimer* timer = nullptr;
        QString path;
    };

    void scheduleWrite(Document* document);
    void writeNow(Document* document);
    void documentEditedChanged(Document* document, bool edited);

    QString mFolder;
    DocumentType mDocumentType;
    QString mInstanceFolder;
    int mLockFd = -1;
    int mDelayMs;
    int mSerial = 0;
    QHash<Document*, Watched> mWatched;
    QThreadPool mWriter;
    QList<QPair<QString, int>> mClaimed;
};

} // namespace platform
