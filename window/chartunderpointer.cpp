// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/chartunderpointer.h"

#include "platform/keyedtexts.h"
#include "worksheet/chartdescription.h"
#include "worksheet/chartgeometry.h"
#include "worksheet/chartobject.h"
#include "worksheet/resultformat.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextEdit>
#include <QTextLayout>

std::optional<QTextCharFormat> chartOfLine(const QTextBlock& line) {
    if (!line.isValid() || line.length() != 2)
        return std::nullopt;
    const QTextCharFormat format = line.begin().fragment().charFormat();
    if (!chartOf(format))
        return std::nullopt;
    return format;
}

std::optional<ChartUnderPointer> chartAt(const QTextEdit& editor, QPointF viewportPoint) {
    QTextDocument* text = editor.document();
    const QPointF scrolled(editor.horizontalScrollBar()->value(),
                           editor.verticalScrollBar()->value());
    const QPointF inText = viewportPoint + scrolled;
    const int position = text->documentLayout()->hitTest(inText, Qt::FuzzyHit);
    if (position < 0)
        return std::nullopt;
    const QTextBlock block = text->findBlock(position);
    const std::optional<QTextCharFormat> format = chartOfLine(block);
    if (!format || !block.layout() || block.layout()->lineCount() == 0)
        return std::nullopt;
    const QRectF blockRect = text->documentLayout()->blockBoundingRect(block);
    const QTextLine line = block.layout()->lineAt(0);
    const QSizeF size = ChartObject::of(text)->intrinsicSize(text, block.position(), *format);
    const QPointF topLeft = blockRect.topLeft() + QPointF(line.cursorToX(0), line.y()) - scrolled;
    const QRectF rect(topLeft, size);
    if (!rect.contains(viewportPoint))
        return std::nullopt;
    return ChartUnderPointer{block, *format, rect};
}

QString chartToolTip(const ChartUnderPointer& chart, QPointF viewportPoint, double dpi,
                     bool commaIsDecimal) {
    const PlotAnswerPtr plot = chartOf(chart.format);
    if (!plot)
        return {};
    const QString description = chartDescription(*plot, commaIsDecimal);
    if (plot->isPictureOnly())
        return description;
    const QFontMetricsF labels(ChartObject::labelFont(chart.format, dpi));
    const ChartGeometry geometry =
        chartGeometry(QRectF(QPointF(0, 0), chart.rect.size()), *plot, labels);
    const std::optional<CurvePoint> near =
        curvePointNear(*plot, geometry, viewportPoint - chart.rect.topLeft(), labels.height());
    if (!near)
        return description;
    const QString curve = localizeString(
        QString::fromStdString(plot->curves[near->curve].expression), commaIsDecimal);
    const QString point = platform::keyedText("ChartPoint")
                              .arg(curve, chartNumber(near->point.x, commaIsDecimal),
                                   chartNumber(near->point.y, commaIsDecimal));
    return point + QStringLiteral("\n") + description;
}
