// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a chart's text description says of a curve: its lowest and highest points and where it
// crosses zero, for screen readers and for a plot's answer without a window.

#include "chart/sampling.h"

#include <optional>
#include <vector>

namespace chart {

struct CurveSummary {
    std::optional<Point> lowest;  // the first point of the lowest value; none without values
    std::optional<Point> highest; // the first point of the highest value
    std::vector<double> zeros;
};

CurveSummary SummaryOf(const SampledCurve& curve, const CurveFunction& f);
// The same, with the zeros found before.
CurveSummary SummaryOf(const SampledCurve& curve, std::vector<double> zeros);

} // namespace chart
