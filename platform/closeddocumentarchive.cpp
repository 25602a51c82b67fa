// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/closeddocumentarchive.h"

#include "platform/atomicwrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

const QString kPrefix = QStringLiteral("closed-");
const QString kTitleSuffix = QStringLiteral(".title");
// Sorts by name in the order of closing, and reads back as the moment of closing.
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

} // namespace

ClosedDocumentArchive::ClosedDocumentArchive(QString folder, const QString& documentSuffix,
                                             int capacity)
    : mFolder(std::move(folder)), mDocumentSuffix(QLatin1Char('.') + documentSuffix),
      mCapacity(capacity) {}

QString ClosedDocumentArchive::titlePathOf(const QString& documentPath) const {
    return documentPath.left(documentPath.size() - mDocumentSuffix.size()) + kTitleSuffix;
}

QString ClosedDocumentArchive::uniqueBaseName() const {
    const QString stamp = QDateTime::currentDateTimeUtc().toString(kStampFormat);
    // Two closings within the same millisecond still get a file each, and every name has its
    // counter, so that names sort in the order of closing.
    QString base;
    int n = 0;
    do
        base = kPrefix + stamp + QStringLiteral("-%1").arg(n++, 3, 10, QLatin1Char('0'));
    while (QFileInfo::exists(mFolder + '/' + base + mDocumentSuffix));
    return base;
}

bool ClosedDocumentArchive::keep(const QByteArray& data, const QString& title, QString* error) {
    if (!QDir().mkpath(mFolder)) {
        *error = QObject::tr("Cannot create the folder %1.").arg(QDir::toNativeSeparators(mFolder));
        return false;
    }
    const QString path = mFolder + '/' + uniqueBaseName() + mDocumentSuffix;
    if (!writeFileAtomically(path, data, error))
        return false;
    // The title only labels the menu item; the document is kept without it.
    QString ignored;
    writeFileAtomically(titlePathOf(path), title.toUtf8(), &ignored);
    dropOldest();
    return true;
}

QList<ClosedDocumentArchive::Entry> ClosedDocumentArchive::entries() const {
    const QStringList names =
        QDir(mFolder).entryList({kPrefix + '*' + mDocumentSuffix}, QDir::Files, QDir::Name);
    QList<Entry> kept;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        Entry entry;
        entry.path = mFolder + '/' + *name;
        const QString stamp = name->mid(kPrefix.size(), kStampFormat.size());
        const QDateTime read = QDateTime::fromString(stamp, kStampFormat);
        entry.closedAt = QDateTime(read.date(), read.time(), Qt::UTC);
        QFile title(titlePathOf(entry.path));
        if (title.open(QIODevice::ReadOnly))
            entry.title = QString::fromUtf8(title.readLine(1024)).trimmed();
        kept.append(entry);
    }
    return kept;
}

void ClosedDocumentArchive::remove(const QString& path) {
    QFile::remove(path);
    QFile::remove(titlePathOf(path));
}

void ClosedDocumentArchive::dropOldest() {
    const QList<Entry> kept = entries();
    for (int i = mCapacity; i < kept.size(); ++i)
        remove(kept[i].path);
}

} // namespace platform
