// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plist::detail {

// The shortest text that reads back to the same bits; NaN, +infinity and -infinity are spelled
// as Apple's tools spell them.
std::string formatReal(double value);

// Accepts surrounding XML whitespace, an optional sign, decimal text rounded correctly (beyond the
// range of double it becomes infinity or zero), and nan / inf / infinity in any letter case.
std::optional<double> parseReal(std::string_view text, std::string& error);

// Accepts surrounding XML whitespace, an optional sign and decimal digits from INT64_MIN to
// 2^64 - 1, the unsigned values that Apple's readers take too.
std::optional<Value> parseInteger(std::string_view text, std::string& error);

std::string_view trimXmlSpace(std::string_view text);

} // namespace plist::detail
