// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The words of the language as the grammar reads them: what a name is, what a number looks like,
// and the marker of a calculated line. Everything that reads a line without calculating it (the
// highlighter, the completer, the finder of dependent lines) asks here, so that it sees the
// words the engine sees. Characters are code points; the templates read any code units whose
// ASCII range is ASCII (UTF-8, UTF-16 or UTF-32).

#include <string_view>

namespace lexicon {

// Letters and digits are ASCII only: "é" is no letter, and the bytes of a multi-byte UTF-8
// character are neither letters nor digits.
constexpr bool IsLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }
constexpr bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr bool IsHexDigit(char32_t c) {
    return IsDigit(c) || (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
}

// name = letter { letter | digit | "_" }: "x_1" is a name, "_x" and "2x" are not (2x is 2
// times x).
constexpr bool IsNameStart(char32_t c) { return IsLetter(c); }
constexpr bool IsNameContinue(char32_t c) { return IsLetter(c) || IsDigit(c) || c == U'_'; }

// Built-ins written as one sign rather than a word: "π", "√" and "%" (so 50% is 0.5).
constexpr bool IsSignName(char32_t c) { return c == U'\u03C0' || c == U'\u221A' || c == U'%'; }

// The variable every value is also kept in, for the next line to read.
inline constexpr std::string_view kLastName = "last";

// What a worksheet line ends with once it has been calculated: the line after it is its answer.
inline constexpr std::string_view kCalculatedMarker = " =";

// The end of the name that begins at `first`: a word, or one sign; `first` when none begins
// there. Only for code units where a sign is one unit (UTF-16, UTF-32).
template <typename CharT> const CharT* NameEnd(const CharT* first, const CharT* last) {
    if (first == last)
        return first;
    if (IsSignName(char32_t(*first)))
        return first + 1;
    if (!IsNameStart(char32_t(*first)))
        return first;
    const CharT* at = first + 1;
    while (at != last && IsNameContinue(char32_t(*at)))
        ++at;
    return at;
}

template <typename CharT> const CharT* SkipDigits(const CharT* at, const CharT* last) {
    while (at != last && IsDigit(char32_t(*at)))
        ++at;
    return at;
}

// hex = "0x" hexdigit { hexdigit }, with a lower-case "x". The end of the literal that begins
// at `first`, or null when none does.
template <typename CharT> const CharT* HexLiteralEnd(const CharT* first, const CharT* last) {
    if (last - first < 3 || first[0] != CharT('0') || first[1] != CharT('x') ||
        !IsHexDigit(char32_t(first[2])))
        return nullptr;
    const CharT* at = first + 3;
    while (at != last && IsHexDigit(char32_t(*at)))
        ++at;
    return at;
}

// number = digits [ "." [ digits ] ] | "." digits, then optionally ( "e" | "E" ) [ "+" | "-" ]
// digits. The end of the literal that begins at `first`, or null when none does; a literal
// whose "e" has no digits after it is none ("2e" is not 2 followed by the constant e), and then
// `exponent` is where its digits were missing. Where a worksheet writes a decimal comma,
// `decimalComma` (',') also stands for the point when a digit follows it: "1,5" but "f(3, 4)".
template <typename CharT>
const CharT* DecimalLiteralEnd(const CharT* first, const CharT* last, const CharT*& exponent,
                               char32_t decimalComma = 0) {
    exponent = nullptr;
    const CharT* at = SkipDigits(first, last);
    const bool wholeDigits = at != first;
    const bool comma = decimalComma != 0 && at != last && char32_t(*at) == decimalComma &&
                       at + 1 != last && IsDigit(char32_t(at[1]));
    if (at != last && (*at == CharT('.') || comma)) {
        const CharT* fraction = SkipDigits(at + 1, last);
        if (!wholeDigits && fraction == at + 1)
            return nullptr; // a point alone is no number
        at = fraction;
    } else if (!wholeDigits) {
        return nullptr;
    }
    if (at != last && (*at == CharT('e') || *at == CharT('E'))) {
        const CharT* digits = at + 1;
        if (digits != last && (*digits == CharT('+') || *digits == CharT('-')))
            ++digits;
        const CharT* end = SkipDigits(digits, last);
        if (end == digits) {
            exponent = digits;
            return nullptr;
        }
        at = end;
    }
    return at;
}

} // namespace lexicon
