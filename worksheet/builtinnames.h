// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>

// The names the engine knows without a worksheet defining them: functions ("sin"), constants
// ("pi", "π") and keywords ("if"). Read once from the engine's tables.
const QSet<QString>& builtinNames();

// The names of the units a number may carry ("km", "°C"), read once from the engine's table.
const QSet<QString>& unitNames();

// The end of the word at `start` that could name a unit: letters and the signs of units ("°",
// "µ", "Ω"); `start` when none begins there.
qsizetype unitWordEnd(const QString& text, qsizetype start);
