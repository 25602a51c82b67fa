// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/chartpainter.h"

#include "worksheet/chartgeometry.h"
#include "worksheet/worksheetcolours.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

void paintGrid(QPainter& painter, const ChartGeometry& geometry, const ChartLook& look) {
    const QRectF& plot = geometry.plot;
    painter.setPen(QPen(look.grid, 0));
    for (int k = 0; k < geometry.xTicks.count; ++k) {
        const double x = geometry.toPixel(geometry.xTicks.at(k), geometry.yLow).x();
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (int k = 0; k < geometry.yTicks.count; ++k) {
        const double y = geometry.toPixel(geometry.xLow, geometry.yTicks.at(k)).y();
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    // The axes through zero, where zero is in view, and the frame.
    painter.setPen(QPen(look.axis, 0));
    if (geometry.xLow < 0 && geometry.xHigh > 0) {
        const double x = geometry.toPixel(0, 0).x();
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    if (geometry.yLow < 0 && geometry.yHigh > 0) {
        const double y = geometry.toPixel(0, 0).y();
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

void paintTickLabels(QPainter& painter, const ChartGeometry& geometry, const ChartLook& look) {
    const QFontMetricsF metrics(look.labels, painter.device());
    const QRectF& plot = geometry.plot;
    const double gap = metrics.height() * 0.5;
    painter.setPen(look.text);
    painter.setFont(look.labels);
    for (int k = 0; k < geometry.xTicks.count; ++k) {
        const double value = geometry.xTicks.at(k);
        const QString label = tickLabel(value, geometry.xTicks.step, look.commaIsDecimal);
        const double x = geometry.toPixel(value, geometry.yLow).x();
        const double width = metrics.horizontalAdvance(label);
        painter.drawText(
            QRectF(x - width / 2 - gap, plot.bottom() + gap / 2, width + 2 * gap, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, label);
    }
    for (int k = 0; k < geometry.yTicks.count; ++k) {
        const double value = geometry.yTicks.at(k);
        const QString label = tickLabel(value, geometry.yTicks.step, look.commaIsDecimal);
        const double y = geometry.toPixel(geometry.xLow, value).y();
        const double room = plot.width() + plot.left();
        painter.drawText(
            QRectF(plot.left() - gap - room, y - metrics.height() / 2, room, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

// One path per curve, broken where the samples are not joined or have no value.
QPainterPath curvePath(const PlottedCurve& curve, const ChartGeometry& geometry) {
    QPainterPath path;
    const std::vector<chart::Point>& points = curve.samples.points;
    bool drawing = false;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const chart::Point& point = points[k];
        if (!std::isfinite(point.y)) {
            drawing = false;
            continue;
        }
        const QPointF pixel = geometry.toPixel(point.x, point.y);
        if (drawing)
            path.lineTo(pixel);
        else
            path.moveTo(pixel);
        drawing = k < curve.samples.joined.size() && curve.samples.joined[k];
        // A point alone between breaks still shows.
        if (!drawing && (k == 0 || !curve.samples.joined[k - 1]))
            path.lineTo(pixel + QPointF(0.5, 0));
    }
    return path;
}

void paintLegend(QPainter& painter, const PlotAnswer& plot, const ChartGeometry& geometry,
                 const ChartLook& look) {
    const QFontMetricsF metrics(look.labels, painter.device());
    const double line = metrics.height();
    const double swatch = line * 1.5;
    double widest = 0;
    for (const PlottedCurve& curve : plot.curves)
        widest =
            std::max(widest, metrics.horizontalAdvance(QString::fromStdString(curve.expression)));
    const QRectF box(geometry.plot.right() - widest - swatch - line * 1.5,
                     geometry.plot.top() + line * 0.5, widest + swatch + line,
                     line * (double(plot.curves.size()) + 0.5));
    painter.setPen(QPen(look.grid, 0));
    painter.setBrush(look.background);
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
    for (std::size_t k = 0; k < plot.curves.size(); ++k) {
        const double y = box.top() + line * (double(k) + 0.75);
        painter.setPen(QPen(look.curves[k % look.curves.size()], std::max(1.5, line / 8)));
        painter.drawLine(QPointF(box.left() + line * 0.4, y),
                         QPointF(box.left() + line * 0.4 + swatch * 0.8, y));
        painter.setPen(look.text);
        painter.drawText(
            QRectF(box.left() + line * 0.5 + swatch, y - line / 2, widest + line, line),
            Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(plot.curves[k].expression));
    }
}

void paintPicture(QPainter& painter, const QRectF& area, const QByteArray& png) {
    const QImage picture = QImage::fromData(png);
    if (picture.isNull())
        return;
    const QSizeF size = QSizeF(picture.size()).scaled(area.size(), Qt::KeepAspectRatio);
    const QRectF target(area.topLeft(), size);
    painter.drawImage(target, picture);
}

} // namespace

ChartLook chartLook(const QPalette& palette, const QFont& labels, bool commaIsDecimal) {
    ChartLook look;
    look.labels = labels;
    look.text = palette.color(QPalette::Text);
    look.grid = palette.color(QPalette::Text);
    look.grid.setAlphaF(0.12);
    look.axis = palette.color(QPalette::Text);
    look.axis.setAlphaF(0.45);
    look.background = palette.color(QPalette::Base);
    look.background.setAlphaF(0.85);
    look.curves = {worksheetColour(WorksheetColour::Curve1, palette),
                   worksheetColour(WorksheetColour::Curve2, palette),
                   worksheetColour(WorksheetColour::Curve3, palette),
                   worksheetColour(WorksheetColour::Curve4, palette)};
    look.commaIsDecimal = commaIsDecimal;
    return look;
}

void paintChart(QPainter& painter, const QRectF& area, const PlotAnswer& plot,
                const ChartLook& look) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (plot.isPictureOnly()) {
        paintPicture(painter, area, plot.picture);
        painter.restore();
        return;
    }
    const ChartGeometry geometry =
        chartGeometry(area, plot, QFontMetricsF(look.labels, painter.device()));
    paintGrid(painter, geometry, look);
    paintTickLabels(painter, geometry, look);
    painter.save();
    painter.setClipRect(geometry.plot.adjusted(-1, -1, 1, 1));
    const double width = std::max(1.5, QFontMetricsF(look.labels, painter.device()).height() / 8);
    for (std::size_t k = 0; k < plot.curves.size(); ++k) {
        QPen pen(look.curves[k % look.curves.size()], width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.drawPath(curvePath(plot.curves[k], geometry));
    }
    painter.restore();
    if (plot.curves.size() > 1)
        paintLegend(painter, plot, geometry, look);
    painter.restore();
}

QImage chartImage(const PlotAnswer& plot, const QSize& pixels, const ChartLook& look) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    QColor background = look.background;
    background.setAlphaF(1);
    image.fill(background);
    QPainter painter(&image);
    paintChart(painter, QRectF(QPointF(0, 0), QSizeF(pixels)), plot, look);
    return image;
}
