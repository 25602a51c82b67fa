#include "engine/primitives.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace calcparse {

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

const char* SkipDigits(const char* at, const char* last) {
    while (at != last && IsDigit(*at))
        ++at;
    return at;
}

} // namespace

const char* DecimalLiteralEnd(const char* first, const char* last, const char*& exponent) {
    exponent = nullptr;
    const char* at = SkipDigits(first, last);
    const bool wholeDigits = at != first;
    if (at != last && *at == '.') {
        const char* fraction = SkipDigits(at + 1, last);
        if (!wholeDigits && fraction == at + 1)
            return nullptr; // a point alone is no number
        at = fraction;
    } else if (!wholeDigits) {
        return nullptr;
    }
    if (at != last && (*at == 'e' || *at == 'E')) {
        const char* digits = at + 1;
        if (digits != last && (*digits == '+' || *digits == '-'))
            ++digits;
        const char* end = SkipDigits(digits, last);
        if (end == digits) {
            exponent = digits;
            return nullptr; // "2e" is not the number 2 followed by the constant e
        }
        at = end;
    }
    return at;
}

double DecimalValue(const char* first, const char* last) {
    double value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it overflows or underflows; the C library
        // gives the infinity or the zero the literal rounds to. Its decimal point must not
        // depend on the locale the process runs in.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
        const std::string literal(first, last);
        value = strtod_l(literal.c_str(), nullptr, cLocale);
    }
    return value;
}

} // namespace calcparse
