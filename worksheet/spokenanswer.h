// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QTextBlock;

// A calculated line and its answer as a screen reader says them when the answer arrives:
// "2 + 3: 5", "junk: Syntax error: “junk” is not defined", a chart by its description. The
// statement is read without the mark that says it was calculated, and an answer out of date
// says so, since its strike-through is drawn over the text and not part of it.
QString spokenAnswer(const QTextBlock& statement, bool commaIsDecimal, bool outOfDate = false);

// What the answer line alone says: its text, or its chart's description, told as out of date.
QString spokenAnswerLine(const QTextBlock& answer, bool commaIsDecimal, bool outOfDate);
