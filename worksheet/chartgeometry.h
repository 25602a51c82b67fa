// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a chart puts things inside the rectangle it is given: the plot area and the scales
// that map the curves' values onto it, and what lies under a point of it.

#include "chart/ticks.h"
#include "worksheet/plotanswer.h"

#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

struct ChartGeometry {
    QRectF plot; // where the curves are drawn
    double xLow = 0;
    double xHigh = 1;
    double yLow = 0;
    double yHigh = 1;
    chart::Ticks xTicks{};
    chart::Ticks yTicks{};

    QPointF toPixel(double x, double y) const;
    double xAt(double pixel) const;
};

// The geometry of the chart drawn into `area` with labels in `labels`' font.
ChartGeometry chartGeometry(const QRectF& area, const PlotAnswer& plot,
                            const QFontMetricsF& labels);

// A tick's label: as many decimals as the step needs and no more, so that no label shows the
// noise of binary fractions; the decimal mark as the worksheet writes it.
QString tickLabel(double value, double step, bool commaIsDecimal);

// The point of a curve nearest to `at` in the chart, within `reach` pixels of it.
struct CurvePoint {
    int curve;
    chart::Point point;
};
std::optional<CurvePoint> curvePointNear(const PlotAnswer& plot, const ChartGeometry& geometry,
                                         QPointF at, double reach);
