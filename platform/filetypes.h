#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The type names under which documents are read: plain text, RTF and the native worksheet.
inline const QString kPlainTextType = QStringLiteral("NSStringPboardType");
inline const QString kRtfType = QStringLiteral("NSRTFPboardType");
inline const QString kWorksheetType = QStringLiteral("Figurello worksheet");

// The type of a file from its first bytes and then its name's extension (.figurello, .rtf,
// .txt); empty when neither tells.
QString documentTypeOf(const QString& fileName, const QByteArray& contents);

} // namespace platform
