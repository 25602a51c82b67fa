// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/summary.h"

#include <cmath>
#include <utility>

namespace chart {

CurveSummary SummaryOf(const SampledCurve& curve, const CurveFunction& f) {
    return SummaryOf(curve, ZerosOf(curve, f));
}

CurveSummary SummaryOf(const SampledCurve& curve, std::vector<double> zeros) {
    CurveSummary summary;
    for (const Point& point : curve.points) {
        if (!std::isfinite(point.y))
            continue;
        if (!summary.lowest || point.y < summary.lowest->y)
            summary.lowest = point;
        if (!summary.highest || point.y > summary.highest->y)
            summary.highest = point;
    }
    summary.zeros = std::move(zeros);
    return summary;
}

} // namespace chart
