// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace plist::detail {

// Layout shared by the binary reader and writer. An object starts with a marker byte: the high
// nibble names the kind, the low nibble holds a size or count, 0xF meaning the count follows as
// an integer object.
inline constexpr std::string_view kBinaryMagic = "bplist00";
inline constexpr std::size_t kTrailerSize = 32;

namespace marker {
inline constexpr std::uint8_t kNull = 0x00;
inline constexpr std::uint8_t kFalse = 0x08;
inline constexpr std::uint8_t kTrue = 0x09;
inline constexpr std::uint8_t kFill = 0x0F;
inline constexpr std::uint8_t kInteger = 0x10;
inline constexpr std::uint8_t kReal = 0x20;
inline constexpr std::uint8_t kDate = 0x33;
inline constexpr std::uint8_t kData = 0x40;
inline constexpr std::uint8_t kAsciiString = 0x50;
inline constexpr std::uint8_t kUtf16String = 0x60;
inline constexpr std::uint8_t kUid = 0x80;
inline constexpr std::uint8_t kArray = 0xA0;
inline constexpr std::uint8_t kSet = 0xC0;
inline constexpr std::uint8_t kDictionary = 0xD0;
inline constexpr std::uint8_t kExtendedCount = 0x0F;
} // namespace marker

} // namespace plist::detail
