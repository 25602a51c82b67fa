// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The text shown for a calculated value. Positive whole values below 4.6e15 may show in
// hexadecimal ("0xFF"); everything else is printf's %.12g in the classic locale, whatever
// locale the process runs in, then localized.
QString formatCalculatedResult(double value, bool integersAsHex, bool commaIsDecimal);

// A value's text followed by its unit, as it can be typed back: "50 km/h"; the text alone for a
// plain number.
QString withUnit(const QString& valueText, const QString& unit);

// Where the comma is the decimal mark, the argument separator becomes ';' so that
// "max(1.5, 2)" reads "max(1,5; 2)". Commas go first so they are not mistaken for the decimal
// marks just written.
QString localizeString(const QString& standard, bool commaIsDecimal);

// The inverse of localizeString: what the user typed, back in the form the engine parses.
QString standardizeString(const QString& user, bool commaIsDecimal);
