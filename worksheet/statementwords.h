// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's lexicon over the worksheet's text: where names and numbers begin and end, and
// whether a line has been calculated.

#include "engine/lexicon.h"

#include <QChar>
#include <QLatin1String>
#include <QString>

// The " =" a calculated line ends with.
inline constexpr QLatin1String kCalculatedMarker{lexicon::kCalculatedMarker.data(),
                                                 qsizetype(lexicon::kCalculatedMarker.size())};
bool isCalculatedLine(const QString& line);

bool isNameStart(QChar c);
bool isNameContinue(QChar c);
// The end of the name (a word or a sign such as "π") that begins at `start`; `start` when none
// does.
qsizetype nameEnd(const QString& text, qsizetype start);

// The end of the number that begins at `start`, as the engine reads it: "0x" and hexadecimal
// digits, or digits with one decimal mark and an exponent; a decimal comma with a digit after
// it counts as the mark. A number whose "e" has no digits ends before the "e". `start` when no
// number begins there.
qsizetype numberEnd(const QString& text, qsizetype start);
