#include "chart/summary.h"

#include <cmath>

namespace chart {

CurveSummary SummaryOf(const SampledCurve& curve, const CurveFunction& f) {
    CurveSummary summary;
    for (const Point& point : curve.points) {
        if (!std::isfinite(point.y))
            continue;
        if (!summary.lowest || point.y < summary.lowest->y)
            summary.lowest = point;
        if (!summary.highest || point.y > summary.highest->y)
            summary.highest = point;
    }
    summary.zeros = ZerosOf(curve, f);
    return summary;
}

} // namespace chart
