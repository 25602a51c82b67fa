// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/chartgeometry.h"

#include "chart/yrange.h"
#include "worksheet/resultformat.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Values far outside the range are drawn at its edge's distance: a painter coordinate of 1e300
// overflows.
double clampedNear(double value, double low, double high) {
    const double span = high - low;
    return std::clamp(value, low - 4 * span, high + 4 * span);
}

} // namespace

QPointF ChartGeometry::toPixel(double x, double y) const {
    const double px = plot.left() + (x - xLow) / (xHigh - xLow) * plot.width();
    const double py =
        plot.bottom() - (clampedNear(y, yLow, yHigh) - yLow) / (yHigh - yLow) * plot.height();
    return {px, py};
}

double ChartGeometry::xAt(double pixel) const {
    return xLow + (pixel - plot.left()) / plot.width() * (xHigh - xLow);
}

ChartGeometry chartGeometry(const QRectF& area, const PlotAnswer& plot,
                            const QFontMetricsF& labels) {
    ChartGeometry geometry;
    geometry.xLow = plot.from;
    geometry.xHigh = plot.to;
    std::vector<double> values;
    for (const PlottedCurve& curve : plot.curves)
        for (const chart::Point& point : curve.samples.points)
            values.push_back(point.y);
    const chart::ValueRange range = chart::RangeOfValues(values);
    geometry.yLow = range.low;
    geometry.yHigh = range.high;
    geometry.xTicks = chart::TicksFor(geometry.xLow, geometry.xHigh);
    geometry.yTicks = chart::TicksFor(geometry.yLow, geometry.yHigh);

    // Room on the left for the widest label of the value axis, below for a line of labels.
    double widest = 0;
    for (int k = 0; k < geometry.yTicks.count; ++k)
        widest = std::max(widest, labels.horizontalAdvance(tickLabel(geometry.yTicks.at(k),
                                                                     geometry.yTicks.step, false)));
    const double gap = labels.height() * 0.5;
    geometry.plot = area.adjusted(widest + 2 * gap, gap, -2 * gap, -(labels.height() + 2 * gap));
    if (geometry.plot.width() < 10 || geometry.plot.height() < 10)
        geometry.plot = area;
    return geometry;
}

QString tickLabel(double value, double step, bool commaIsDecimal) {
    // A tick at zero reached by adding steps up may carry noise (1e-17): it is zero.
    if (std::abs(value) < step * 1e-9)
        value = 0;
    const double magnitude = std::max(std::abs(value), step);
    QString text;
    if (magnitude >= 1e7 || step < 1e-6) {
        text = QString::number(value, 'g', 6);
    } else {
        const int decimals = std::max(0, int(std::ceil(-std::log10(step) - 1e-9)));
        text = QString::number(value, 'f', decimals);
    }
    return localizeString(text, commaIsDecimal).replace(QLatin1Char('-'), QChar(0x2212));
}

std::optional<CurvePoint> curvePointNear(const PlotAnswer& plot, const ChartGeometry& geometry,
                                         QPointF at, double reach) {
    if (!geometry.plot.adjusted(-reach, -reach, reach, reach).contains(at))
        return std::nullopt;
    const double x = geometry.xAt(at.x());
    std::optional<CurvePoint> nearest;
    double nearestDistance = reach;
    for (int c = 0; c < int(plot.curves.size()); ++c) {
        const std::vector<chart::Point>& points = plot.curves[c].samples.points;
        auto after = std::lower_bound(points.begin(), points.end(), x,
                                      [](const chart::Point& p, double v) { return p.x < v; });
        // The samples on either side, and a few beyond for a steep curve.
        const auto from = after - std::min<std::ptrdiff_t>(after - points.begin(), 3);
        const auto to = after + std::min<std::ptrdiff_t>(points.end() - after, 3);
        for (auto p = from; p != to; ++p) {
            if (!std::isfinite(p->y))
                continue;
            const QPointF pixel = geometry.toPixel(p->x, p->y);
            const double distance = std::hypot(pixel.x() - at.x(), pixel.y() - at.y());
            if (distance <= nearestDistance) {
                nearestDistance = distance;
                nearest = CurvePoint{c, *p};
            }
        }
    }
    return nearest;
}
