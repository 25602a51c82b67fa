// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QTextDocument;

namespace rtf {

// The document as RTF that macOS reads back and that readRtf reads to the same text and
// formats: a cp1252 header, a font table of the families used, a colour table whose entry 0 is
// the default colour (\cf0), half-point sizes, backslash-newline between paragraphs and every
// non-ASCII character as \uc0\uN, so the output is pure ASCII. Images are {\pict …} groups in
// hex (rtf/rtfpicturewriter.h).
QByteArray writeRtf(const QTextDocument& document);

} // namespace rtf
