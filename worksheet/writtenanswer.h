// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An answer as the worksheet writes it into its text: a value's or a message's text, or, for a
// plot, its chart.

#include <QString>

class QTextCharFormat;
class QTextCursor;
struct CalcOutcome;

// Inserts the answer at the cursor in `format` (the answer's font and colour), replacing the
// selection.
void insertAnswer(QTextCursor& at, const CalcOutcome& outcome, const QTextCharFormat& format,
                  bool integersAsHex, bool commaIsDecimal);

// The object character that stands for a chart in the text.
inline constexpr QChar kChartCharacter = QChar::ObjectReplacementCharacter;
