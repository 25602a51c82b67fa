// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// The measurements of one figure, taken over rounds or lines.
struct Sample {
    std::vector<double> values;
    // The value at that fraction of the sorted values: 0.5 is the median, 0.9 the 90th
    // percentile.
    double at(double fraction) const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[static_cast<std::size_t>(fraction * double(sorted.size() - 1) + 0.5)];
    }
    double median() const { return at(0.5); }
    double max() const { return *std::max_element(values.begin(), values.end()); }
};
