// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the ticks of a chart's axis go: at whole multiples of a step of 1, 2 or 5 × 10^n, so that
// their labels are short and an axis of any range carries 4 to 10 of them.

namespace chart {

struct Ticks {
    double step;
    // The first tick is first × step, the last (first + count - 1) × step: whole multiples,
    // so that a label never shows the noise of adding steps up.
    long long first;
    int count;
    double at(int k) const { return double(first + k) * step; }
};

// The ticks of [low, high]. A range of one value (or reversed) is taken around it.
Ticks TicksFor(double low, double high);

} // namespace chart
