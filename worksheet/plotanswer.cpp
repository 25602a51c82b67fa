// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/plotanswer.h"

#include <cstring>

namespace {

// NaN marks a point without value: two of them are the same here.
bool samePoints(const std::vector<chart::Point>& a, const std::vector<chart::Point>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(chart::Point)) == 0);
}

} // namespace

bool PlottedCurve::operator==(const PlottedCurve& other) const {
    return expression == other.expression && unit == other.unit &&
           samePoints(samples.points, other.samples.points) &&
           samples.joined == other.samples.joined && zeros == other.zeros;
}

bool sameChart(const PlotAnswerPtr& a, const PlotAnswerPtr& b) {
    if (a == b)
        return true;
    return a && b && *a == *b;
}
