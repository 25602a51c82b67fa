// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>
#include <QTextImageFormat>

#include <optional>

namespace rtf {

// A picture read from RTF keeps, in its image format, exactly what the file held, so that
// writing it back gives the same bytes even for kinds Qt cannot show.
// The picture's data, decoded from its hex or \bin form (QByteArray).
inline constexpr int kPictureBytesProperty = QTextFormat::UserProperty + 0x100;
// The control word naming the data's kind as read, with its parameter: "pngblip", "wmetafile8".
inline constexpr int kPictureKindProperty = QTextFormat::UserProperty + 0x101;

// At 96 dots per inch a pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;
// Larger than any page, and small enough for Qt's fixed-point layout.
inline constexpr double kMaxPictureSidePixels = 32767;

struct RtfPicture {
    QString kind;
    QByteArray bytes;
    // The size it is shown at, in pixels; unset when the file gives none.
    std::optional<double> width;
    std::optional<double> height;
};

// The resource name of a document's n-th picture, counting from 1.
QString pictureName(int number);

// Whether Qt can show a picture of this kind from its bytes alone.
bool isShownByQt(const QString& kind);

// The image format standing for picture: base's character properties, name, the size, and
// the bytes and kind to write back.
QTextImageFormat pictureFormat(const RtfPicture& picture, const QString& name,
                               const QTextCharFormat& base);

} // namespace rtf
