// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/primitives.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace calcparse {

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
