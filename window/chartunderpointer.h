// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart a point of the worksheet's view falls on, and what its tooltip says there: the
// point of the curve under the pointer, if any, and what the chart shows.

#include <QRectF>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>

#include <optional>

class QTextEdit;

struct ChartUnderPointer {
    QTextBlock block;       // the answer line that holds the chart
    QTextCharFormat format; // the chart's format, which holds its plot
    QRectF rect;            // where it is drawn, in the view's coordinates
};

std::optional<ChartUnderPointer> chartAt(const QTextEdit& editor, QPointF viewportPoint);

// The chart of an answer line, when it holds one.
std::optional<QTextCharFormat> chartOfLine(const QTextBlock& line);

QString chartToolTip(const ChartUnderPointer& chart, QPointF viewportPoint, double dpi,
                     bool commaIsDecimal);
