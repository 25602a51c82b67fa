// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>

#include <functional>
#include <memory>

namespace rtftest {

// macOS's opening, with Cocoa header, PostScript font names (f0 Helvetica, f1 Menlo-Regular,
// f2 Helvetica-Bold, f3 Helvetica-Oblique, f4 Courier-BoldOblique), a colour table with its
// empty first entry (cf2 #fb0207, cf3 #0000ff) and the expanded colour table; then body and '}'.
QByteArray macDocument(const QByteArray& body);

// Reads rtf into a fresh document; on failure error says why and the document is empty.
std::unique_ptr<QTextDocument> readDocument(const QByteArray& rtf, QString* error = nullptr);

// The text with '\n' between paragraphs; unlike toPlainText() it keeps line separators and
// non-breaking spaces as they are.
QString textOf(const QTextDocument& document);

QTextCharFormat formatAt(const QTextDocument& document, int position);

// Family, size, weight, slant, decorations and colours in a line, and a document as one line per
// paragraph and run, so comparisons show where two documents differ.
QString describeStyle(const QTextCharFormat& format);
QString describeDocument(const QTextDocument& document);

QTextCharFormat styled(const QString& family = QStringLiteral("Helvetica"), double points = 12);
QTextCharFormat colored(const QColor& color, QTextCharFormat format = styled());

// Appends text in one format at the end; each '\n' starts a paragraph.
void appendText(QTextDocument& document, const QString& text,
                const QTextCharFormat& format = styled());

using DocumentBuilder = std::function<void(QTextDocument&)>;

// An image whose pixels all differ, so that comparing two copies compares every pixel.
QImage patternImage(int width, int height);
// image in one of the formats QImage::save writes, such as "PNG" or "JPEG".
QByteArray imageBytes(const QImage& image, const char* format);

// Appends an image of the document's resource called name, in format's font, shown at the
// given size in pixels when it is not empty.
void appendImage(QTextDocument& document, const QString& name, QSizeF shown = {},
                 const QTextCharFormat& format = styled());

} // namespace rtftest

Q_DECLARE_METATYPE(rtftest::DocumentBuilder)
