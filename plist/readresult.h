// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <cstddef>
#include <optional>
#include <string>

namespace plist {

// Both readers refuse documents nested deeper than this, so that reading, comparing and
// destroying a value never recurses far enough to exhaust the stack.
inline constexpr std::size_t kMaxNestingDepth = 512;

struct ReadResult {
    std::optional<Value> value; // set on success
    std::string error;          // why reading failed; empty on success

    explicit operator bool() const { return value.has_value(); }

    static ReadResult success(Value value) { return {std::move(value), {}}; }
    static ReadResult failure(std::string reason) { return {std::nullopt, std::move(reason)}; }
};

} // namespace plist
