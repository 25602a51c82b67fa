// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/numbers.h"

#include "plist/excerpt.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace plist::detail {

namespace {

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerWord[i])
            return false;
    }
    return true;
}

// std::from_chars reports a result beyond double's range without giving it. The decimal order of
// magnitude tells which way it went: at or above 1 it overflowed, below it underflowed.
bool overflowsRatherThanUnderflows(std::string_view digits) {
    std::int64_t order = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    std::size_t pos = 0;
    for (; pos < digits.size() && digits[pos] != 'e' && digits[pos] != 'E'; ++pos) {
        const char c = digits[pos];
        if (c == '.') {
            afterPoint = true;
        } else if (!seenNonZero && c == '0') {
            if (afterPoint)
                --order;
        } else {
            seenNonZero = true;
            if (!afterPoint)
                ++order;
        }
    }
    if (pos < digits.size()) {
        ++pos;
        bool negative = false;
        if (pos < digits.size() && (digits[pos] == '+' || digits[pos] == '-'))
            negative = digits[pos++] == '-';
        std::int64_t exponent = 0;
        constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
        for (; pos < digits.size(); ++pos)
            exponent = std::min(kSaturated, exponent * 10 + (digits[pos] - '0'));
        order += negative ? -exponent : exponent;
    }
    return order > 0;
}

} // namespace

std::string_view trimXmlSpace(std::string_view text) {
    while (!text.empty() && isXmlSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isXmlSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string formatReal(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "+infinity" : "-infinity";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> parseReal(std::string_view text, std::string& error) {
    const std::string_view trimmed = trimXmlSpace(text);
    std::string_view body = trimmed;
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (equalsIgnoringCase(body, "nan"))
        return std::numeric_limits<double>::quiet_NaN();
    if (equalsIgnoringCase(body, "inf") || equalsIgnoringCase(body, "infinity"))
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();

    // from_chars would also take its own spellings of infinity and NaN; those were handled above,
    // so only text that starts like a decimal number goes to it.
    const bool numeric =
        !body.empty() &&
        (isDigit(body.front()) || (body.front() == '.' && body.size() > 1 && isDigit(body[1])));
    double magnitude = 0;
    const auto result = numeric ? std::from_chars(body.data(), body.data() + body.size(), magnitude)
                                : std::from_chars_result{body.data(), std::errc::invalid_argument};
    if (result.ec == std::errc::invalid_argument || result.ptr != body.data() + body.size()) {
        error = "real " + excerpt(trimmed) + " is not a number";
        return std::nullopt;
    }
    if (result.ec == std::errc::result_out_of_range)
        magnitude =
            overflowsRatherThanUnderflows(body) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

std::optional<Value> parseInteger(std::string_view text, std::string& error) {
    const std::string_view trimmed = trimXmlSpace(text);
    std::string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || !isDigit(digits.front())) {
        error = "integer " + excerpt(trimmed) + " is not a number";
        return std::nullopt;
    }
    // Parsed with its sign so that the most negative value, whose magnitude has no int64_t, fits.
    std::string_view signedDigits =
        negative ? trimmed.substr(trimmed.size() - digits.size() - 1) : digits;
    std::int64_t value = 0;
    const auto result =
        std::from_chars(signedDigits.data(), signedDigits.data() + signedDigits.size(), value);
    if (result.ptr != signedDigits.data() + signedDigits.size()) {
        error = "integer " + excerpt(trimmed) + " is not a whole decimal number";
        return std::nullopt;
    }
    if (result.ec != std::errc::result_out_of_range)
        return Value(value);
    std::uint64_t unsignedValue = 0;
    if (!negative &&
        std::from_chars(digits.data(), digits.data() + digits.size(), unsignedValue).ec ==
            std::errc())
        return Value::fromUnsigned(unsignedValue);
    error = "integer " + excerpt(trimmed) + " does not fit in 64 bits";
    return std::nullopt;
}

} // namespace plist::detail
