// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/yrange.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace chart {

namespace {

constexpr double kTrimmed = 0.02;
constexpr double kPadding = 0.05;

} // namespace

ValueRange RangeOfValues(std::span<const double> values) {
    std::vector<double> finite;
    finite.reserve(values.size());
    for (double value : values)
        if (std::isfinite(value))
            finite.push_back(value);
    if (finite.empty())
        return {-1, 1};
    std::sort(finite.begin(), finite.end());
    const auto trimmed = static_cast<std::size_t>(double(finite.size()) * kTrimmed);
    double low = finite[trimmed];
    double high = finite[finite.size() - 1 - trimmed];
    if (!(high > low)) {
        const double half = low == 0 ? 1 : std::fabs(low) * 0.1;
        return {low - half, high + half};
    }
    // Each end scaled first, so that values near the largest doubles give no infinity.
    const double pad = high * kPadding - low * kPadding;
    return {low - pad, high + pad};
}

} // namespace chart
