// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfpicture.h"

namespace rtf {

QString pictureName(int number) { return QStringLiteral("rtf-picture:%1").arg(number); }

bool isShownByQt(const QString& kind) {
    return kind == QLatin1String("pngblip") || kind == QLatin1String("jpegblip");
}

QTextImageFormat pictureFormat(const RtfPicture& picture, const QString& name,
                               const QTextCharFormat& base) {
    QTextImageFormat format;
    format.merge(base);
    format.setName(name);
    if (picture.width)
        format.setWidth(*picture.width);
    if (picture.height)
        format.setHeight(*picture.height);
    format.setProperty(kPictureBytesProperty, picture.bytes);
    format.setProperty(kPictureKindProperty, picture.kind);
    return format;
}

} // namespace rtf
