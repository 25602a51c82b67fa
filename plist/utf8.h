// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plist::detail {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Decodes the code point starting at text[pos] and advances pos. An ill-formed sequence yields
// kReplacementCharacter and consumes its maximal valid prefix (at least one byte), the usual
// convention, so one bad byte costs one replacement and never swallows the following text.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);

void appendUtf8(std::string& out, char32_t codePoint);

// Big-endian UTF-16, as binary property lists store it. Unpaired surrogates become U+FFFD.
std::string utf16BigEndianToUtf8(std::string_view bytes);
std::string utf8ToUtf16BigEndian(std::string_view text);

bool isAscii(std::string_view text);

// The text as well-formed UTF-8, with ill-formed sequences and every code point that allowed
// refuses replaced by U+FFFD. A null allowed accepts every code point.
std::string withReplacements(std::string_view text, bool (*allowed)(char32_t));

} // namespace plist::detail
