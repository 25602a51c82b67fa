// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcengine.h"

#include <string_view>

// A state holding a few variables and functions, among them recursive and mutually recursive
// ones, so that fuzzed lines can call into definitions from their first byte on. Aborts if a
// seed is no longer accepted: the target would silently test less.
CalcStatePtr NewSeededState();

// Calls fn once per line of the input, up to a bound, so one input can define and then use.
template <typename Fn> void ForEachLine(std::string_view input, Fn fn) {
    constexpr int kMaxLines = 8;
    for (int line = 0; line < kMaxLines && !input.empty(); ++line) {
        const std::size_t end = input.find('\n');
        fn(input.substr(0, end));
        if (end == std::string_view::npos)
            break;
        input.remove_prefix(end + 1);
    }
}
