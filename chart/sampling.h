// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The points a chart draws a curve through: evenly spaced first, then more where the curve turns
// sharply, and no line where the curve jumps (a pole, a step) or has no value.

#include <functional>
#include <vector>

namespace chart {

// The curve's value at x; NaN or an infinity where it has none.
using CurveFunction = std::function<double(double)>;

struct Point {
    double x;
    double y; // NaN where the curve has no value
};

struct SampledCurve {
    // In ascending order of x.
    std::vector<Point> points;
    // joined[k]: a line goes from points[k] to points[k + 1].
    std::vector<bool> joined;
};

struct SamplingLimits {
    int evenSamples = 1000;
    // Refining stops here, however sharply the curve still turns.
    int mostSamples = 4000;
};

// The curve from `from` to `to`, from < to, both finite.
SampledCurve SampleCurve(const CurveFunction& f, double from, double to,
                         const SamplingLimits& limits = {});

// Where the curve crosses zero, in ascending order: each sign change between two joined points,
// refined by bisection, and each point that is zero.
std::vector<double> ZerosOf(const SampledCurve& curve, const CurveFunction& f);

} // namespace chart
