// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QTextDocument;
class QTextImageFormat;

namespace rtf {

// The picture format stands for as a {\pict …} group in ASCII. A picture read from RTF is
// written with the bytes and kind it was read with; any other is taken from the document's
// image resource of that name: PNG and JPEG data as they are, anything else Qt can decode as
// PNG. Empty when neither holds a picture.
QByteArray pictureGroup(const QTextImageFormat& format, const QTextDocument& document);

} // namespace rtf
