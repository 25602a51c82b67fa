// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/resultformat.h"

#include <charconv>
#include <cmath>

namespace {

constexpr double hexLimit = 4.6e15;
// Rounding noise in a calculation should not turn 255 into 254.999999999 and so into decimal.
constexpr double wholeTolerance = 0x1p-23;

bool showsAsHex(double value) {
    return value > 0 && value < hexLimit && std::fabs(value - std::round(value)) < wholeTolerance;
}

QString hexText(double value) {
    return QStringLiteral("0x") + QString::number(std::llround(value), 16).toUpper();
}

// std::to_chars gives the same text as %.12g but never looks at the C locale, which
// QApplication sets from the environment.
QString decimalText(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 12);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

QString formatCalculatedResult(double value, bool integersAsHex, bool commaIsDecimal) {
    const QString text = integersAsHex && showsAsHex(value) ? hexText(value) : decimalText(value);
    return localizeString(text, commaIsDecimal);
}

QString localizeString(const QString& standard, bool commaIsDecimal) {
    if (!commaIsDecimal)
        return standard;
    return QString(standard).replace(u',', u';').replace(u'.', u',');
}

QString standardizeString(const QString& user, bool commaIsDecimal) {
    if (!commaIsDecimal)
        return user;
    return QString(user).replace(u',', u'.').replace(u';', u',');
}

QString withUnit(const QString& valueText, const QString& unit) {
    return unit.isEmpty() ? valueText : valueText + QLatin1Char(' ') + unit;
}
