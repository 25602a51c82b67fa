// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The answer to a plot line: the curves the tool sampled over the range it was asked for, or,
// for a chart read from a file and not calculated since, only the picture the file kept of it.

#include "chart/sampling.h"

#include <QByteArray>
#include <QMetaType>

#include <memory>
#include <string>
#include <vector>

struct PlottedCurve {
    std::string expression;
    std::string unit; // of the values; empty for plain numbers
    chart::SampledCurve samples;
    std::vector<double> zeros;
    bool operator==(const PlottedCurve& other) const;
};

struct PlotAnswer {
    double from = 0;
    double to = 0;
    std::vector<PlottedCurve> curves;
    QByteArray picture; // PNG, for a chart known only by the picture a file kept of it
    bool isPictureOnly() const { return curves.empty(); }
    bool operator==(const PlotAnswer& other) const = default;
};

// Shared by every copy of the text that holds the chart, and never changed once made.
using PlotAnswerPtr = std::shared_ptr<const PlotAnswer>;

// Two charts are the same answer when they show the same: a recalculation that gives the same
// samples leaves the chart alone.
bool sameChart(const PlotAnswerPtr& a, const PlotAnswerPtr& b);
