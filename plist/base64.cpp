// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/base64.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace plist::detail {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr int kNotBase64 = -1;
constexpr int kPadding = -2;
constexpr int kSpace = -3;

constexpr std::array<int, 256> makeDecodeTable() {
    std::array<int, 256> table{};
    for (auto& entry : table)
        entry = kNotBase64;
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
    table['='] = kPadding;
    for (char space : {' ', '\t', '\n', '\r'})
        table[static_cast<unsigned char>(space)] = kSpace;
    return table;
}

constexpr auto kDecodeTable = makeDecodeTable();

std::string describeInvalid(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F)
        return std::string("invalid base64 character '") + c + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return std::string("invalid base64 byte ") + hex;
}

} // namespace

void appendBase64Lines(std::string& out, const std::vector<std::uint8_t>& bytes,
                       std::size_t lineLength, std::string_view linePrefix) {
    const std::size_t bytesPerLine = lineLength / 4 * 3;
    for (std::size_t start = 0; start < bytes.size(); start += bytesPerLine) {
        out += linePrefix;
        const std::size_t end = std::min(bytes.size(), start + bytesPerLine);
        for (std::size_t i = start; i < end; i += 3) {
            const std::size_t available = end - i;
            std::uint32_t group = bytes[i] << 16;
            if (available > 1)
                group |= bytes[i + 1] << 8;
            if (available > 2)
                group |= bytes[i + 2];
            out += kAlphabet[(group >> 18) & 0x3F];
            out += kAlphabet[(group >> 12) & 0x3F];
            out += available > 1 ? kAlphabet[(group >> 6) & 0x3F] : '=';
            out += available > 2 ? kAlphabet[group & 0x3F] : '=';
        }
        out += '\n';
    }
}

std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text, std::string& error) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t group = 0;
    int digits = 0;
    int padding = 0;
    for (char c : text) {
        const int code = kDecodeTable[static_cast<unsigned char>(c)];
        if (code == kSpace)
            continue;
        if (code == kNotBase64) {
            error = describeInvalid(c);
            return std::nullopt;
        }
        if (code == kPadding) {
            // "=" may only fill the last one or two places of a group.
            if (digits < 2) {
                error = "misplaced base64 padding";
                return std::nullopt;
            }
            ++padding;
            group <<= 6;
            ++digits;
        } else {
            if (padding > 0) {
                error = "base64 text continues after padding";
                return std::nullopt;
            }
            group = group << 6 | static_cast<std::uint32_t>(code);
            ++digits;
        }
        if (digits == 4) {
            bytes.push_back(static_cast<std::uint8_t>(group >> 16));
            if (padding < 2)
                bytes.push_back(static_cast<std::uint8_t>(group >> 8));
            if (padding < 1)
                bytes.push_back(static_cast<std::uint8_t>(group));
            group = 0;
            digits = 0;
            if (padding > 0)
                padding = 3; // a complete padded group: nothing may follow
        }
    }
    if (digits != 0) {
        error = "base64 text ends in an incomplete group";
        return std::nullopt;
    }
    return bytes;
}

} // namespace plist::detail
