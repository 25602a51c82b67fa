// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The range of values a chart shows: that of the curve without its extremes, so that one spike
// towards an infinity does not flatten the rest.

#include <span>

namespace chart {

struct ValueRange {
    double low;
    double high;
};

// From the finite values without the top and the bottom 2 %, padded by 5 % of the span on each
// side; values all equal give a range around them; no finite value gives -1 to 1.
ValueRange RangeOfValues(std::span<const double> values);

} // namespace chart
