// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/chartobject.h"

#include "worksheet/chartpainter.h"
#include "worksheet/worksheetcolours.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

namespace {

// Charts are as tall as about eleven lines of 12-point text, and never narrower than this.
constexpr double kChartHeightPoints = 170;
constexpr double kNarrowestPoints = 180;
// For a text laid out without a width, as when it is printed from a script.
constexpr double kUnwrappedWidthPoints = 440;
// The pictures kept for scrolling, in kilobytes: some dozens of charts on a large screen.
constexpr int kPictureCacheKilobytes = 96 * 1024;

double dotsPerInch(const QTextDocument* text, const QPainter* painter = nullptr) {
    if (const QPaintDevice* device = text->documentLayout()->paintDevice())
        return device->logicalDpiY();
    if (painter && painter->device())
        return painter->device()->logicalDpiY();
    return 96;
}

bool paintsPixels(const QPainter& painter) {
    const int type = painter.device() ? painter.device()->devType() : 0;
    return type == QInternal::Widget || type == QInternal::Pixmap || type == QInternal::Image;
}

} // namespace

QFont ChartObject::labelFont(const QTextFormat& format, double dpi) {
    QFont font = format.toCharFormat().font();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 12;
    font.setPixelSize(std::max(6, qRound(points * 0.8 * dpi / 72)));
    return font;
}

QImage ChartObject::picture(const QTextFormat& format, const QSize& size, double dpi,
                            const QPalette& palette) const {
    const PlotAnswerPtr plot = chartOf(format);
    if (!plot)
        return {};
    return chartImage(*plot, size, chartLook(palette, labelFont(format, dpi), mCommaIsDecimal));
}

QTextCharFormat chartFormat(const PlotAnswerPtr& plot, const QTextCharFormat& base) {
    QTextCharFormat format = base;
    format.setObjectType(kChartObjectType);
    format.setProperty(kChartProperty, QVariant::fromValue(plot));
    return format;
}

PlotAnswerPtr chartOf(const QTextFormat& format) {
    if (format.objectType() != kChartObjectType)
        return nullptr;
    return format.property(kChartProperty).value<PlotAnswerPtr>();
}

ChartObject::ChartObject(QObject* parent) : QObject(parent), mPictures(kPictureCacheKilobytes) {}

ChartObject* ChartObject::of(QTextDocument* text) {
    QAbstractTextDocumentLayout* layout = text->documentLayout();
    if (auto* handler = layout->findChild<ChartObject*>(QString(), Qt::FindDirectChildrenOnly))
        return handler;
    auto* handler = new ChartObject(layout);
    layout->registerHandler(kChartObjectType, handler);
    return handler;
}

void ChartObject::setCommaIsDecimal(bool commaIsDecimal) {
    if (mCommaIsDecimal == commaIsDecimal)
        return;
    mCommaIsDecimal = commaIsDecimal;
    mPictures.clear();
}

QSizeF ChartObject::chartSize(double dpi, double textWidth) {
    const double points = dpi / 72;
    const double width = textWidth > 0 ? textWidth : kUnwrappedWidthPoints * points;
    return {std::max(width, kNarrowestPoints * points), kChartHeightPoints * points};
}

QSizeF ChartObject::intrinsicSize(QTextDocument* text, int position, const QTextFormat& format) {
    Q_UNUSED(position);
    Q_UNUSED(format);
    // The width of a line, less a little so that the chart never forces a wrap of its own.
    // Printing sets the margins of the text's frame, not the text's margin; the layout scales
    // them from 96 dots per inch to its device.
    const QTextFrameFormat frame = text->rootFrame()->frameFormat();
    const double dpi = dotsPerInch(text);
    const double margins =
        (frame.leftMargin() + frame.rightMargin() + 2 * frame.padding() + 2 * frame.border() + 4) *
        dpi / 96;
    const double width = text->textWidth() > 0 ? text->textWidth() - margins : -1;
    return chartSize(dpi, width);
}

void ChartObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* text,
                             int position, const QTextFormat& format) {
    Q_UNUSED(position);
    const PlotAnswerPtr plot = chartOf(format);
    if (!plot)
        return;
    const QPalette palette = QGuiApplication::palette();
    const double dpi = dotsPerInch(text, painter);
    const ChartLook look = chartLook(palette, labelFont(format, dpi), mCommaIsDecimal);
    if (!paintsPixels(*painter)) {
        paintChart(*painter, rect, *plot, look);
        return;
    }
    // Scrolling repaints the same charts over and over: each is drawn once per size and scheme.
    const qreal ratio = painter->device()->devicePixelRatioF();
    const QSize pixels = (rect.size() * ratio).toSize();
    const QString key = QStringLiteral("%1 %2x%3 %4 %5")
                            .arg(quintptr(plot.get()))
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(isDarkPalette(palette))
                            .arg(look.labels.toString());
    if (const CachedPicture* cached = mPictures.object(key);
        cached && cached->plot.lock() == plot) {
        painter->drawPixmap(rect.topLeft(), cached->picture);
        return;
    }
    QPixmap picture(pixels);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter onPicture(&picture);
    paintChart(onPicture, QRectF(QPointF(0, 0), rect.size()), *plot, look);
    onPicture.end();
    painter->drawPixmap(rect.topLeft(), picture);
    const int kilobytes = int(qint64(pixels.width()) * pixels.height() * 4 / 1024);
    mPictures.insert(key, new CachedPicture{plot, picture}, std::max(1, kilobytes));
}
