// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/utf8.h"

#include <algorithm>

namespace plist::detail {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

} // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    ++pos;
    if (lead < 0x80)
        return lead;

    std::size_t length;
    char32_t codePoint;
    // Bounds for the second byte rule out overlong forms, surrogates and values past U+10FFFF.
    unsigned char secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            secondLow = 0xA0;
        else if (lead == 0xED)
            secondHigh = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            secondLow = 0x90;
        else if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        return kReplacementCharacter;
    }

    for (std::size_t i = 1; i < length; ++i) {
        if (pos >= text.size())
            return kReplacementCharacter;
        const auto byte = static_cast<unsigned char>(text[pos]);
        const bool fits = i == 1 ? byte >= secondLow && byte <= secondHigh : isContinuation(byte);
        if (!fits)
            return kReplacementCharacter;
        codePoint = (codePoint << 6) | (byte & 0x3F);
        ++pos;
    }
    return codePoint;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string utf16BigEndianToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[2 * i]) << 8 |
               static_cast<unsigned char>(bytes[2 * i + 1]);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char32_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacementCharacter : unit);
    }
    return out;
}

std::string utf8ToUtf16BigEndian(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    auto appendUnit = [&](char32_t unit) {
        out += static_cast<char>(unit >> 8);
        out += static_cast<char>(unit & 0xFF);
    };
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t codePoint = decodeUtf8(text, pos);
        if (codePoint >= 0x10000) {
            appendUnit(0xD800 + ((codePoint - 0x10000) >> 10));
            appendUnit(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            appendUnit(codePoint);
        }
    }
    return out;
}

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string withReplacements(std::string_view text, bool (*allowed)(char32_t)) {
    // ASCII is well-formed already; only its code points can be refused.
    if (isAscii(text) && (!allowed || std::all_of(text.begin(), text.end(), [allowed](char c) {
                              return allowed(static_cast<unsigned char>(c));
                          })))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t codePoint = decodeUtf8(text, pos);
        appendUtf8(out, !allowed || allowed(codePoint) ? codePoint : kReplacementCharacter);
    }
    return out;
}

} // namespace plist::detail
