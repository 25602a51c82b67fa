// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheet/plotanswer.h"

#include <QString>
#include <QTextCharFormat>

#include <optional>

class QTextDocument;

// What a chart shows, in words, for screen readers, its tooltip and a worksheet calculated
// without a window: what is plotted over which range, each curve's lowest and highest points
// and the zeros found.
QString chartDescription(const PlotAnswer& plot, bool commaIsDecimal);

// A number of a chart's description: four significant digits, as a chart can be read.
QString chartNumber(double value, bool commaIsDecimal);

// The text from `from` to `to` as it reads: each chart as its description, each line break as a
// newline. `firstChart`, when given, receives the format of the first chart in it.
QString describedText(const QTextDocument& text, int from, int to, bool commaIsDecimal,
                      std::optional<QTextCharFormat>* firstChart = nullptr);
