// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfpicturewriter.h"

#include "rtf/rtfpicture.h"
#include "rtf/rtftokenizer.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace rtf {

namespace {

// Short enough for any reader's line buffer.
constexpr qsizetype hexDigitsPerLine = 128;

struct PictureData {
    QString kind;
    QByteArray bytes;
};

QString kindFromSignature(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QStringLiteral("pngblip");
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("jpegblip");
    return {};
}

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// A kind is written as a control word, so anything else would break the RTF around it.
bool isControlWord(QStringView kind) {
    qsizetype letters = 0;
    while (letters < kind.size() && isAsciiLetter(kind[letters]))
        ++letters;
    if (letters == 0 || letters > RtfTokenizer::maxControlWordLength)
        return false;
    const QStringView number = kind.sliced(letters);
    if (number.isEmpty())
        return true;
    const bool digitsOnly =
        std::all_of(number.begin() + (number.front() == u'-' ? 1 : 0), number.end(),
                    [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool fits = false;
    (void)number.toInt(&fits);
    return digitsOnly && fits;
}

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

std::optional<PictureData> resourcePicture(const QTextImageFormat& format,
                                           const QTextDocument& document) {
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image;
    switch (resource.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = resource.toByteArray();
        if (const QString kind = kindFromSignature(bytes); !kind.isEmpty())
            return PictureData{kind, bytes};
        image = QImage::fromData(bytes);
        break;
    }
    case QMetaType::QImage:
        image = resource.value<QImage>();
        break;
    case QMetaType::QPixmap:
        image = resource.value<QPixmap>().toImage();
        break;
    default:
        break;
    }
    const QByteArray png = pngOf(image);
    if (png.isEmpty())
        return std::nullopt;
    return PictureData{QStringLiteral("pngblip"), png};
}

std::optional<PictureData> pictureData(const QTextImageFormat& format,
                                       const QTextDocument& document) {
    if (!format.hasProperty(kPictureBytesProperty))
        return resourcePicture(format, document);
    PictureData data{format.stringProperty(kPictureKindProperty),
                     format.property(kPictureBytesProperty).toByteArray()};
    if (!isControlWord(data.kind))
        data.kind = kindFromSignature(data.bytes);
    return data;
}

// Only the header is read: a picture's pixel size costs no decoding.
QSize pixelSize(const PictureData& data) {
    if (!isShownByQt(data.kind))
        return {};
    QBuffer buffer;
    buffer.setData(data.bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).size();
}

std::optional<double> shownSide(const QTextImageFormat& format, QTextFormat::Property side) {
    if (!format.hasProperty(side))
        return std::nullopt;
    const double pixels = format.doubleProperty(side);
    if (!(pixels > 0))
        return std::nullopt;
    return std::min(pixels, kMaxPictureSidePixels);
}

// A side's own size is the data's, in pixels; its goal is the size it is shown at, in twips.
// Each stands in for the other when only one is known.
struct Side {
    std::optional<int> own;
    std::optional<int> goal;
};

Side sideOf(int pixels, std::optional<double> shown) {
    const std::optional<double> own = pixels > 0 ? std::optional<double>(pixels) : shown;
    const std::optional<double> goal = shown ? shown : own;
    Side side;
    if (own)
        side.own = qRound(*own);
    if (goal)
        side.goal = qRound(*goal * kTwipsPerPixel);
    return side;
}

void appendWord(QByteArray& out, const char* word, std::optional<int> parameter) {
    if (parameter)
        out += QByteArray(word) + QByteArray::number(*parameter);
}

} // namespace

QByteArray pictureGroup(const QTextImageFormat& format, const QTextDocument& document) {
    const std::optional<PictureData> data = pictureData(format, document);
    if (!data)
        return {};

    const QSize pixels = pixelSize(*data);
    const Side width = sideOf(pixels.width(), shownSide(format, QTextFormat::ImageWidth));
    const Side height = sideOf(pixels.height(), shownSide(format, QTextFormat::ImageHeight));
    QByteArray out = "{\\pict";
    if (!data->kind.isEmpty())
        out += '\\' + data->kind.toLatin1();
    appendWord(out, "\\picw", width.own);
    appendWord(out, "\\pich", height.own);
    appendWord(out, "\\picwgoal", width.goal);
    appendWord(out, "\\pichgoal", height.goal);
    const QByteArray hex = data->bytes.toHex();
    for (qsizetype start = 0; start < hex.size(); start += hexDigitsPerLine)
        out += '\n' + hex.mid(start, hexDigitsPerLine);
    out += '}';
    return out;
}

} // namespace rtf
