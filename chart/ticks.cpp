// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ticks.h"

#include <cmath>
#include <initializer_list>

namespace chart {

namespace {

constexpr int kMostTicks = 10;

Ticks TicksOfStep(double low, double high, double step) {
    const double first = std::ceil(low / step - 1e-9);
    const double last = std::floor(high / step + 1e-9);
    return Ticks{step, static_cast<long long>(first), static_cast<int>(last - first) + 1};
}

} // namespace

Ticks TicksFor(double low, double high) {
    // No chart spans infinities or more than the doubles do.
    if (!std::isfinite(low) || !std::isfinite(high) || !std::isfinite(high - low)) {
        low = -1;
        high = 1;
    }
    if (!(high > low)) {
        const double around = low;
        const double half = around == 0 ? 1 : std::fabs(around) * 0.1;
        low = around - half;
        high = around + half;
    }
    // The smallest of the steps 1, 2, 5 × 10^n that leaves no more than the most ticks. The one
    // before it left more than that, and a step at most 2.5 times as large still leaves at least
    // the fewest.
    const double rough = (high - low) / kMostTicks;
    double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (;; decade *= 10) {
        for (double mantissa : {1.0, 2.0, 5.0}) {
            const Ticks ticks = TicksOfStep(low, high, mantissa * decade);
            if (ticks.count <= kMostTicks)
                return ticks;
        }
    }
}

} // namespace chart
