// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/isodate.h"

#include "plist/excerpt.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace plist::detail {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr std::int64_t kSecondsPerDay = 86400;

constexpr sys_days kEpoch2001 = std::chrono::year{2001} / 1 / 1;

std::int64_t daysSince2001(std::chrono::year_month_day date) {
    return (sys_days{date} - kEpoch2001).count();
}

const double kEarliest =
    static_cast<double>(daysSince2001(std::chrono::year{0} / 1 / 1) * kSecondsPerDay);
const double kLatest = static_cast<double>(
    (daysSince2001(std::chrono::year{9999} / 12 / 31) + 1) * kSecondsPerDay - 1);

bool parseDigits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

std::string formatIsoDate(double secondsSince2001) {
    double clamped = std::isnan(secondsSince2001) ? 0.0 : std::floor(secondsSince2001);
    clamped = std::fmin(std::fmax(clamped, kEarliest), kLatest);
    const auto total = static_cast<std::int64_t>(clamped);
    // Floor division keeps times before 2001 on the right day.
    std::int64_t dayCount = total / kSecondsPerDay;
    std::int64_t secondOfDay = total % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --dayCount;
    }
    const std::chrono::year_month_day date{kEpoch2001 + days{dayCount}};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(secondOfDay / 3600),
                  static_cast<int>(secondOfDay / 60 % 60), static_cast<int>(secondOfDay % 60));
    return text;
}

std::optional<double> parseIsoDate(std::string_view text, std::string& error) {
    int year, month, day, hour, minute, second;
    const bool shaped = text.size() == 20 && text[4] == '-' && text[7] == '-' && text[10] == 'T' &&
                        text[13] == ':' && text[16] == ':' && text[19] == 'Z' &&
                        parseDigits(text, 0, 4, year) && parseDigits(text, 5, 2, month) &&
                        parseDigits(text, 8, 2, day) && parseDigits(text, 11, 2, hour) &&
                        parseDigits(text, 14, 2, minute) && parseDigits(text, 17, 2, second);
    if (!shaped) {
        error = "date " + excerpt(text) + " is not of the form YYYY-MM-DDTHH:MM:SSZ";
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        error = "date " + excerpt(text) + " does not exist";
        return std::nullopt;
    }
    const std::int64_t seconds =
        daysSince2001(date) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return static_cast<double>(seconds);
}

} // namespace plist::detail
