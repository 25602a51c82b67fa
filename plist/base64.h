// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plist::detail {

// Appends the encoding in lines of at most lineLength characters (a multiple of 4), each line
// started with linePrefix and ended with a newline.
void appendBase64Lines(std::string& out, const std::vector<std::uint8_t>& bytes,
                       std::size_t lineLength, std::string_view linePrefix);

// Whitespace anywhere is ignored. Padding is required and may only close the text; anything
// else is refused with a reason in error.
std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text, std::string& error);

} // namespace plist::detail
