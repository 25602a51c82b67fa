// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QTextDocument;

namespace rtf {

// Replaces the document's content with the text and formatting in rtf, as macOS writes it
// (Cocoa headers, PostScript font names, \uc0\uN escapes, backslash-newline paragraphs).
// On failure the document is left exactly as it was, and error, when given, receives a
// sentence saying what is wrong. Undo history is cleared on success: a loaded text starts fresh.
// Text in a code page nothing here decodes does not fail the read: it shows as U+FFFD, and
// unreadCodePages, when given, receives those code pages (and is cleared otherwise).
// Each picture becomes one U+FFFC with an image format holding the bytes and kind as read
// (rtf/rtfpicture.h); PNG and JPEG pictures are also the document's image resources.
bool readRtf(const QByteArray& rtf, QTextDocument& document, QString* error = nullptr,
             QList<int>* unreadCodePages = nullptr);

} // namespace rtf
