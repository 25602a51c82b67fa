// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtftestsupport.h"

#include "rtf/rtfreader.h"

#include <QBuffer>
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>

namespace rtftest {

QByteArray macDocument(const QByteArray& body) {
    return "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2709\n"
           "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;"
           "\\f1\\fnil\\fcharset0 Menlo-Regular;\\f2\\fswiss\\fcharset0 Helvetica-Bold;\n"
           "\\f3\\fswiss\\fcharset0 Helvetica-Oblique;\\f4\\fmodern\\fcharset0 "
           "Courier-BoldOblique;}\n"
           "{\\colortbl;\\red255\\green255\\blue255;\\red251\\green2\\blue7;"
           "\\red0\\green0\\blue255;}\n"
           "{\\*\\expandedcolortbl;;\\cssrgb\\c100000\\c12195\\c0;\\cssrgb\\c0\\c0\\c100000;}\n"
           "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww11520\\viewh8400\\viewkind0\n"
           "\\pard\\tx560\\tx1120\\tx1680\\tx2240\\tx2800\\tx3360\\pardirnatural"
           "\\partightenfactor0\n\n" +
           body + '}';
}

std::unique_ptr<QTextDocument> readDocument(const QByteArray& rtf, QString* error) {
    auto document = std::make_unique<QTextDocument>();
    QString message;
    if (!rtf::readRtf(rtf, *document, &message) && error)
        *error = message;
    return document;
}

QString textOf(const QTextDocument& document) {
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QString describeStyle(const QTextCharFormat& format) {
    QStringList parts;
    const QStringList families = format.fontFamilies().toStringList();
    parts << (families.isEmpty() ? QStringLiteral("(default family)") : families.join(u','));
    parts << QString::number(format.fontPointSize()) + QStringLiteral("pt");
    const std::pair<bool, const char*> flags[] = {
        {format.fontWeight() >= QFont::DemiBold, "bold"},
        {format.fontItalic(), "italic"},
        {format.fontUnderline(), "underline"},
        {format.fontStrikeOut(), "strike"},
        {format.verticalAlignment() == QTextCharFormat::AlignSuperScript, "super"},
        {format.verticalAlignment() == QTextCharFormat::AlignSubScript, "sub"},
    };
    for (const auto& [on, name] : flags) {
        if (on)
            parts << QString::fromLatin1(name);
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        parts << QStringLiteral("color ") + format.foreground().color().name();
    if (format.hasProperty(QTextFormat::BackgroundBrush))
        parts << QStringLiteral("background ") + format.background().color().name();
    return parts.join(u' ');
}

QString describeDocument(const QTextDocument& document) {
    QString description;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        description += format.hasProperty(QTextFormat::BlockAlignment)
                           ? QStringLiteral("paragraph aligned %1\n").arg(int(format.alignment()))
                           : QStringLiteral("paragraph\n");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            description +=
                QStringLiteral("  [%1] \"%2\"\n")
                    .arg(describeStyle(it.fragment().charFormat()), it.fragment().text());
        }
    }
    return description;
}

QTextCharFormat styled(const QString& family, double points) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

QTextCharFormat colored(const QColor& color, QTextCharFormat format) {
    format.setForeground(color);
    return format;
}

void appendText(QTextDocument& document, const QString& text, const QTextCharFormat& format) {
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    const QStringList paragraphs = text.split(u'\n');
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat(), format);
        else
            cursor.setBlockCharFormat(format);
        cursor.insertText(paragraphs[i], format);
    }
}

QImage patternImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 40 % 256, y * 40 % 256, (x + y) * 20 % 256, 255 - x));
    }
    return image;
}

QByteArray imageBytes(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void appendImage(QTextDocument& document, const QString& name, QSizeF shown,
                 const QTextCharFormat& format) {
    QTextImageFormat image;
    image.merge(format);
    image.setName(name);
    if (!shown.isEmpty()) {
        image.setWidth(shown.width());
        image.setHeight(shown.height());
    }
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertImage(image);
}

} // namespace rtftest
