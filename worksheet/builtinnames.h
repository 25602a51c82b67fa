#pragma once

#include <QSet>
#include <QString>

// The names the engine knows without a worksheet defining them: functions ("sin"), constants
// ("pi", "π") and keywords ("if"). Read once from the engine's tables.
const QSet<QString>& builtinNames();
