// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace plist::detail {

// Quotes offending input in an error message, shortened so that a huge element cannot turn the
// message into a copy of the document.
inline std::string excerpt(std::string_view text) {
    constexpr std::size_t kLimit = 40;
    std::size_t length = text.size();
    if (length > kLimit) {
        length = kLimit;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    }
    std::string out = "'";
    for (char c : text.substr(0, length))
        out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    out += length < text.size() ? "...'" : "'";
    return out;
}

} // namespace plist::detail
