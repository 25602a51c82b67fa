// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plist::detail {

// The form Apple's tools write and read: "2001-01-01T00:00:00Z", always UTC, whole seconds.
// Fractions are rounded down, and times outside years 0000-9999 (or NaN, taken as the epoch)
// are clamped so that whatever is written can be read back.
std::string formatIsoDate(double secondsSince2001);

std::optional<double> parseIsoDate(std::string_view text, std::string& error);

} // namespace plist::detail
