// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/chartdescription.h"

#include "chart/summary.h"
#include "platform/keyedtexts.h"
#include "worksheet/chartobject.h"
#include "worksheet/resultformat.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

// More zeros than this are counted, not listed: sin(x) from 0 to 1000 crosses 319 times.
constexpr int kMostZerosListed = 8;

QString listed(const QStringList& items) {
    if (items.size() <= 1)
        return items.value(0);
    return platform::keyedText("ChartAnd")
        .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.last());
}

QString expressionText(const PlottedCurve& curve, bool commaIsDecimal) {
    return localizeString(QString::fromStdString(curve.expression), commaIsDecimal);
}

QString curveSummary(const PlottedCurve& curve, bool commaIsDecimal) {
    const chart::CurveSummary summary = chart::SummaryOf(curve.samples, curve.zeros);
    if (!summary.lowest)
        return platform::keyedText("ChartNoValue");
    auto number = [commaIsDecimal](double value) { return chartNumber(value, commaIsDecimal); };
    QString text = platform::keyedText("ChartLowestHighest")
                       .arg(number(summary.lowest->y), number(summary.lowest->x),
                            number(summary.highest->y), number(summary.highest->x));
    if (summary.zeros.empty())
        return platform::keyedText("ChartNoZeros").arg(text);
    QStringList zeros;
    for (std::size_t k = 0; k < summary.zeros.size() && k < kMostZerosListed; ++k)
        zeros.append(number(summary.zeros[k]));
    if (summary.zeros.size() > std::size_t(kMostZerosListed))
        zeros.append(
            platform::keyedText("ChartMoreZeros").arg(summary.zeros.size() - kMostZerosListed));
    const char* key = summary.zeros.size() == 1 ? "ChartZero" : "ChartZeros";
    return platform::keyedText(key).arg(text, listed(zeros));
}

} // namespace

QString chartNumber(double value, bool commaIsDecimal) {
    if (value == 0 || !std::isfinite(value))
        return formatCalculatedResult(value == 0 ? 0.0 : value, false, commaIsDecimal);
    const double rounded = QString::number(value, 'g', 4).toDouble();
    return formatCalculatedResult(rounded, false, commaIsDecimal);
}

QString chartDescription(const PlotAnswer& plot, bool commaIsDecimal) {
    if (plot.isPictureOnly())
        return platform::keyedText("ChartPicture");
    QStringList expressions;
    for (const PlottedCurve& curve : plot.curves)
        expressions.append(expressionText(curve, commaIsDecimal));
    QString text = platform::keyedText("ChartRange")
                       .arg(listed(expressions), chartNumber(plot.from, commaIsDecimal),
                            chartNumber(plot.to, commaIsDecimal));
    for (const PlottedCurve& curve : plot.curves) {
        QString summary = curveSummary(curve, commaIsDecimal);
        if (plot.curves.size() > 1)
            summary = platform::keyedText("ChartCurve")
                          .arg(expressionText(curve, commaIsDecimal), summary);
        text += QLatin1Char(' ') + summary;
    }
    return text;
}

QString describedText(const QTextDocument& text, int from, int to, bool commaIsDecimal,
                      std::optional<QTextCharFormat>* firstChart) {
    QString described;
    for (QTextBlock block = text.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from)
            described += QLatin1Char('\n');
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start >= end)
                continue;
            if (const PlotAnswerPtr plot = chartOf(fragment.charFormat())) {
                described += chartDescription(*plot, commaIsDecimal);
                if (firstChart && !*firstChart)
                    *firstChart = fragment.charFormat();
                continue;
            }
            described += fragment.text().mid(start - fragment.position(), end - start);
        }
    }
    return described.replace(QChar::LineSeparator, QLatin1Char('\n'));
}
