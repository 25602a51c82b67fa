// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/sampling.h"

#include "chart/yrange.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

// Two segments meeting at more than this angle, on a chart as wide as it is high, get a point
// more in each.
constexpr double kSharpTurn = 0.17; // about 10°
// A jump of more than this share of the value range is looked at more closely.
constexpr double kJumpShare = 0.05;
// Halvings that find where a curve's value begins or ends, and a zero.
constexpr int kEdgeHalvings = 20;
constexpr int kZeroHalvings = 60;

bool HasValue(const Point& point) { return std::isfinite(point.y); }

Point At(const CurveFunction& f, double x) {
    const double y = f(x);
    return {x, std::isfinite(y) ? y : NAN};
}

// Where the chart shows values: the range of the even samples, and as much again beyond each
// end. A value beyond it counts as at its edge, so that the points near a pole, far off the
// chart, neither draw more points to themselves nor look like jumps. NaN is held by none.
struct Shown {
    double low;
    double high;
    double clamped(double y) const { return std::fmin(high, std::fmax(low, y)); }
    // Off the chart, a curve's turns are not drawn: none is refined there.
    bool holds(const Point& point) const { return point.y >= low && point.y <= high; }
};

// The angle between the segments a-b and b-c, the axes scaled to the same size.
double TurnAt(const Point& a, const Point& b, const Point& c, double width, double height,
              const Shown& shown) {
    const double ay = shown.clamped(a.y), by = shown.clamped(b.y), cy = shown.clamped(c.y);
    const double ux = (b.x - a.x) / width, uy = (by - ay) / height;
    const double vx = (c.x - b.x) / width, vy = (cy - by) / height;
    const double lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
    if (lengths == 0)
        return 0;
    return std::acos(std::fmax(-1.0, std::fmin(1.0, (ux * vx + uy * vy) / lengths)));
}

// One pass of refining: a point in the middle of both segments of every sharp turn, and one
// nearer the edge wherever the curve begins or stops having a value.
bool Refine(const CurveFunction& f, std::vector<Point>& points, double width, double height,
            const Shown& shown, std::size_t most) {
    const std::size_t count = points.size();
    std::vector<bool> split(count, false); // split[k]: a point between k and k + 1
    for (std::size_t k = 1; k + 1 < count; ++k)
        if (shown.holds(points[k - 1]) && shown.holds(points[k]) && shown.holds(points[k + 1]) &&
            TurnAt(points[k - 1], points[k], points[k + 1], width, height, shown) > kSharpTurn)
            split[k - 1] = split[k] = true;
    for (std::size_t k = 0; k + 1 < count; ++k)
        if (HasValue(points[k]) != HasValue(points[k + 1]) &&
            points[k + 1].x - points[k].x > width * std::ldexp(1.0, -kEdgeHalvings))
            split[k] = true;
    std::vector<Point> refined;
    refined.reserve(count * 2);
    bool added = false;
    for (std::size_t k = 0; k < count; ++k) {
        refined.push_back(points[k]);
        if (k + 1 < count && split[k] && refined.size() + (count - k) < most) {
            refined.push_back(At(f, (points[k].x + points[k + 1].x) / 2));
            added = true;
        }
    }
    points.swap(refined);
    return added;
}

// Whether the curve goes from a to b without a jump: halving towards the jump, a slope's rise
// shrinks with its run until it is small, while a step's or a pole's stays large down to
// neighbouring doubles.
bool Continuous(const CurveFunction& f, Point a, Point b, double jump, const Shown& shown) {
    const auto rise = [&shown](const Point& from, const Point& to) {
        return std::fabs(shown.clamped(to.y) - shown.clamped(from.y));
    };
    while (rise(a, b) > jump) {
        const double x = a.x + (b.x - a.x) / 2;
        if (x <= a.x || x >= b.x)
            return false;
        const Point middle = At(f, x);
        if (!HasValue(middle))
            return false;
        if (rise(a, middle) > rise(middle, b))
            b = middle;
        else
            a = middle;
    }
    return true;
}

} // namespace

SampledCurve SampleCurve(const CurveFunction& f, double from, double to,
                         const SamplingLimits& limits) {
    SampledCurve curve;
    // As many steps as samples asked for, one more point: round ranges then have their round
    // numbers (0 in -3 to 3) among the samples.
    const int steps = std::max(limits.evenSamples, 1);
    const int even = steps + 1;
    curve.points.reserve(std::size_t(even));
    for (int k = 0; k < even; ++k)
        curve.points.push_back(At(f, k == steps ? to : from + (to - from) * k / steps));

    std::vector<double> values;
    for (const Point& point : curve.points)
        values.push_back(point.y);
    const ValueRange range = RangeOfValues(values);
    const double width = to - from;
    const double height = range.high - range.low;
    const Shown shown{range.low - height, range.high + height};
    const auto most = std::size_t(std::max(limits.mostSamples, even));
    while (curve.points.size() < most && Refine(f, curve.points, width, height, shown, most)) {
    }

    const double jump = height * kJumpShare;
    curve.joined.reserve(curve.points.size());
    for (std::size_t k = 0; k + 1 < curve.points.size(); ++k) {
        const Point& a = curve.points[k];
        const Point& b = curve.points[k + 1];
        curve.joined.push_back(HasValue(a) && HasValue(b) && Continuous(f, a, b, jump, shown));
    }
    return curve;
}

std::vector<double> ZerosOf(const SampledCurve& curve, const CurveFunction& f) {
    std::vector<double> zeros;
    const std::vector<Point>& points = curve.points;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (points[k].y == 0) {
            zeros.push_back(points[k].x);
            continue;
        }
        if (k + 1 == points.size() || !curve.joined[k] || points[k + 1].y == 0 ||
            (points[k].y < 0) == (points[k + 1].y < 0))
            continue;
        double low = points[k].x, high = points[k + 1].x;
        const bool risingFromBelow = points[k].y < 0;
        for (int halving = 0; halving < kZeroHalvings && high - low > 0; ++halving) {
            const double middle = low + (high - low) / 2;
            if (middle <= low || middle >= high)
                break;
            const double y = f(middle);
            if (y == 0) {
                low = high = middle;
                break;
            }
            if ((y < 0) == risingFromBelow)
                low = middle;
            else
                high = middle;
        }
        zeros.push_back(low + (high - low) / 2);
    }
    return zeros;
}

} // namespace chart
