#pragma once

namespace rtf {

// Windows code page 1252, the code page macOS declares with \ansicpg1252. Bytes 0x80-0x9F hold
// typographic characters; the five bytes that code page leaves undefined decode to U+FFFD.
char16_t cp1252ToUnicode(unsigned char byte);

} // namespace rtf
