// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Draws a chart with a QPainter, on the screen, into an image or onto a printed page: in
// vectors wherever the painter keeps them.

#include "worksheet/plotanswer.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRectF>

#include <array>

class QPainter;

struct ChartLook {
    QFont labels;
    QColor text;
    QColor grid;
    QColor axis;
    QColor background; // of the legend, so that curves under it do not show through
    std::array<QColor, 4> curves;
    bool commaIsDecimal = false;
};

// The look of charts in the palette's scheme, light or dark.
ChartLook chartLook(const QPalette& palette, const QFont& labels, bool commaIsDecimal);

void paintChart(QPainter& painter, const QRectF& area, const PlotAnswer& plot,
                const ChartLook& look);

// The chart as a picture of that many pixels on the look's background, for the clipboard and
// for files.
QImage chartImage(const PlotAnswer& plot, const QSize& pixels, const ChartLook& look);
