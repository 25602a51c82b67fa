#pragma once

#include "platform/documenttype.h"

#include <QByteArray>
#include <QString>

namespace platform {

// The type names under which documents are read besides the application's own: plain text and
// RTF.
inline const QString kPlainTextType = QStringLiteral("NSStringPboardType");
inline const QString kRtfType = QStringLiteral("NSRTFPboardType");

// The type of a file from its first bytes and then its name's extension: the application's own
// type (a property list, or its suffix), RTF or plain text; empty when neither tells.
QString documentTypeOf(const DocumentType& native, const QString& fileName,
                       const QByteArray& contents);

// Whether the file is one of those types, from its name and first bytes: a file dropped on a
// document, say, that can be opened.
bool isReadableDocument(const DocumentType& native, const QString& path);

} // namespace platform
