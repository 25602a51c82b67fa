// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/chartpictures.h"

#include "engine/plotstatement.h"
#include "rtf/rtfpicture.h"
#include "worksheet/answercolours.h"
#include "worksheet/chartobject.h"
#include "worksheet/chartpainter.h"
#include "worksheet/statementwords.h"
#include "worksheet/writtenanswer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <vector>

namespace {

// Pictures are kept at the size a chart has at 96 dots per inch, twice as sharp.
constexpr double kPictureDpi = 96;
constexpr double kPictureScale = 1;

bool holdsCharts(const QTextDocument& text) {
    for (const QTextFormat& format : text.allFormats())
        if (format.objectType() == kChartObjectType)
            return true;
    return false;
}

// The picture in a table of the colours a chart is drawn in, each blended into the background
// in steps, rather than in full colour: a third of the bytes in a PNG, which a file holds twice
// over as hexadecimal and reads on every opening, with no difference the eye sees.
QImage inChartColours(const QImage& image, const ChartLook& look) {
    constexpr int kSteps = 24;
    QColor background = look.background;
    background.setAlphaF(1);
    QList<QRgb> table{background.rgb()};
    QList<QColor> inks{look.text, look.grid, look.axis};
    for (const QColor& curve : look.curves)
        inks.append(curve);
    for (QColor ink : inks) {
        ink.setAlphaF(1);
        for (int k = 1; k <= kSteps; ++k) {
            const double share = double(k) / kSteps;
            table.append(qRgb(qRound(ink.red() * share + background.red() * (1 - share)),
                              qRound(ink.green() * share + background.green() * (1 - share)),
                              qRound(ink.blue() * share + background.blue() * (1 - share))));
        }
    }
    return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

// The chart's picture as PNG: the one it was read with, or one drawn in the light scheme, as
// other readers show it on white paper.
QByteArray pngOf(const PlotAnswer& plot, const QTextCharFormat& format, const QSizeF& size) {
    if (plot.isPictureOnly())
        return plot.picture;
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    const ChartLook look =
        chartLook(light, ChartObject::labelFont(format, kPictureDpi * kPictureScale), false);
    const QImage image =
        inChartColours(chartImage(plot, (size * kPictureScale).toSize(), look), look);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// The character properties of a format without those that make it a picture or a chart.
QTextCharFormat characterOnly(QTextCharFormat format) {
    for (int property : {int(QTextFormat::ObjectType), int(QTextFormat::ImageName),
                         int(QTextFormat::ImageWidth), int(QTextFormat::ImageHeight),
                         rtf::kPictureBytesProperty, rtf::kPictureKindProperty, kChartProperty})
        format.clearProperty(property);
    return format;
}

// A calculated plot line: "plot(" … ")" and its marker.
bool isPlotLine(const QString& line) {
    return line.endsWith(QLatin1Char(')') + kCalculatedMarker) && BeginsAsPlot(line.toStdString());
}

} // namespace

std::unique_ptr<QTextDocument> textWithChartsAsPictures(const QTextDocument& text) {
    if (!holdsCharts(text))
        return nullptr;
    std::unique_ptr<QTextDocument> copy(text.clone());
    std::vector<int> positions;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().objectType() == kChartObjectType)
                for (int k = 0; k < it.fragment().length(); ++k)
                    positions.push_back(it.fragment().position() + k);
    const QSizeF size = ChartObject::chartSize(kPictureDpi, -1);
    QTextCursor cursor(copy.get());
    for (int position : positions) {
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        const QTextCharFormat format = cursor.charFormat();
        const PlotAnswerPtr plot = chartOf(format);
        if (!plot)
            continue;
        QTextImageFormat picture;
        picture.merge(characterOnly(format));
        picture.setName(rtf::pictureName(position + 1));
        picture.setWidth(size.width());
        picture.setHeight(size.height());
        picture.setProperty(rtf::kPictureBytesProperty, pngOf(*plot, format, size));
        picture.setProperty(rtf::kPictureKindProperty, QStringLiteral("pngblip"));
        cursor.setCharFormat(picture);
    }
    return copy;
}

void takePicturesUnderPlotsAsCharts(QTextDocument& text) {
    QTextCursor cursor(&text);
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        const QTextBlock answer = block.next();
        if (!answer.isValid() || answer.length() != 2 || !isPlotLine(block.text()))
            continue;
        const QTextCharFormat format = answer.begin().fragment().charFormat();
        const QByteArray png = format.property(rtf::kPictureBytesProperty).toByteArray();
        if (!format.isImageFormat() ||
            format.property(rtf::kPictureKindProperty).toString() != QLatin1String("pngblip"))
            continue;
        auto plot = std::make_shared<PlotAnswer>();
        plot->picture = png;
        cursor.setPosition(answer.position());
        cursor.setPosition(answer.position() + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(chartFormat(plot, characterOnly(format)));
        block = answer;
    }
}
