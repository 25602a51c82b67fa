// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filetypes.h"

#include "platform/atomicwrite.h"
#include "platform/keyedtexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

bool looksLikePropertyList(const QByteArray& contents) {
    if (contents.startsWith("bplist"))
        return true;
    const QByteArray head = contents.left(512).trimmed();
    return (head.startsWith("<?xml") && head.contains("<plist")) ||
           head.startsWith("<!DOCTYPE plist") || head.startsWith("<plist");
}

} // namespace

QString documentTypeOf(const DocumentType& native, const QString& fileName,
                       const QByteArray& contents) {
    if (looksLikePropertyList(contents))
        return native.typeName;
    if (contents.startsWith("{\\rtf"))
        return kRtfType;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == native.suffix)
        return native.typeName;
    if (suffix == QLatin1String("rtf"))
        return kRtfType;
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("text"))
        return kPlainTextType;
    return QString();
}

bool isReadableDocument(const DocumentType& native, const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    // Enough for every signature looked at.
    constexpr qint64 kHeadBytes = 512;
    return !documentTypeOf(native, path, file.read(kHeadBytes)).isEmpty();
}

bool readDocumentFile(const DocumentType& native, const QString& path, QByteArray* contents,
                      QString* type, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = keyedText("CannotRead").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    *contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = keyedText("CannotRead").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    *type = documentTypeOf(native, path, *contents);
    if (type->isEmpty()) {
        *error = keyedText("UnknownFormat").arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}

bool writeDocumentFile(const QString& path, const QByteArray& data, const QString& reason,
                       QString* error) {
    QString why = reason;
    if (!data.isEmpty() && writeFileAtomically(path, data, &why))
        return true;
    *error = keyedText("CannotWrite").arg(QDir::toNativeSeparators(path), why);
    return false;
}

} // namespace platform
