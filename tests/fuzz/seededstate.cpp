// SPDX-License-Identifier: GPL-3.0-or-later
#include "seededstate.h"

#include "engine/calcengine.h"
#include "fuzzcheck.h"

#include <cstddef>

namespace {

// Linear recursion only: a seeded function the fuzzer can call with a large argument must still
// answer well within the time-out.
constexpr std::string_view kSeeds[] = {
    "a = 3",
    "b = -2.5",
    "big = 1e300",
    "h = 0xFF",
    "f(x) = x^2 + a",
    "g(x, y) = f(x) - y * b",
    "fact(n) = if(n, n * fact(n - 1), 1)",
    "odd(n) = 0",
    "even(n) = if(n, odd(n - 1), 1)",
    "odd(n) = if(n, even(n - 1), 0)",
    "k(t) = 2pi t",
    "d = 5 km",
    "v = 100 km / 2 h",
    "temp = 20 °C",
    "speed(x, t) = x / t in km/h",
};

} // namespace

CalcStatePtr NewSeededState() {
    CalcStatePtr state = NewCalcState();
    FUZZ_CHECK(state != nullptr);
    for (std::string_view seed : kSeeds) {
        double value = 0;
        std::size_t stop = 0;
        const int kind = EvaluateStatement(seed, *state, value, stop);
        FUZZ_CHECK(kind == kValue || kind == kFunctionDefined);
    }
    return state;
}
