#include "rtf/rtfcp1252.h"

#include <array>

namespace rtf {

namespace {

constexpr char16_t undefined = u'\uFFFD';

// Bytes 0x80-0x9F; every other byte is the code point of the same value.
constexpr std::array<char16_t, 32> highControlRange = {
    u'\u20AC', undefined, u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', undefined, u'\u017D', undefined,
    undefined, u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', undefined, u'\u017E', u'\u0178',
};

} // namespace

char16_t cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return highControlRange[byte - 0x80];
    return byte;
}

} // namespace rtf
