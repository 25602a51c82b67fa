// SPDX-License-Identifier: GPL-3.0-or-later
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

// Reads the whole file and tells its type; false, with the message the user sees, when it cannot
// be read or is of none of the types.
bool readDocumentFile(const DocumentType& native, const QString& path, QByteArray* contents,
                      QString* type, QString* error);

// Writes a document's data in place of the file, safely; false, with the message the user sees,
// when it cannot. Empty data is a document that could not be written, for `reason`.
bool writeDocumentFile(const QString& path, const QByteArray& data, const QString& reason,
                       QString* error);

// Whether the file is one of those types, from its name and first bytes: a file dropped on a
// document, say, that can be opened.
bool isReadableDocument(const DocumentType& native, const QString& path);

} // namespace platform
