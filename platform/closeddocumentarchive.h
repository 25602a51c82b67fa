// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace platform {

// Keeps the untitled documents that were closed without a question, so that closing one never
// throws work away, and hands them back newest first. Each is a document file of its own with
// a one-line title beside it; the oldest go once there are more than the archive holds.
class ClosedDocumentArchive {
public:
    struct Entry {
        QString path;
        QString title;
        QDateTime closedAt;
    };

    static constexpr int kDefaultCapacity = 30;

    // Documents are kept as files with the suffix (without its dot) of the application's own.
    ClosedDocumentArchive(QString folder, const QString& documentSuffix,
                          int capacity = kDefaultCapacity);

    QString folder() const { return mFolder; }
    // Stores a closed document's data under its title. False with the reason on failure.
    bool keep(const QByteArray& data, const QString& title, QString* error);
    // Newest first.
    QList<Entry> entries() const;
    // Drops a document once it has been opened again.
    void remove(const QString& path);

private:
    QString uniqueBaseName() const;
    void dropOldest();

    QString titlePathOf(const QString& documentPath) const;

    QString mFolder;
    QString mDocumentSuffix;
    int mCapacity;
};

} // namespace platform
