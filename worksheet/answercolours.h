// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;

// Answers are inserted in the result colours of the palette in use at the time ("GoodResult"
// green, "BadResult" red, each with a light and a dark variant). When the desktop switches
// between light and dark while a worksheet is open, its answers must switch variant too.

// Gives text in `from`'s result colours `to`'s instead, leaving every other colour alone. Leaves
// the modified state as it was, and adds one undo step only when there was something to undo.
void recolourAnswers(QTextDocument* document, const QPalette& from, const QPalette& to);

// Gives the answers of a worksheet saved in the other scheme the current scheme's colours.
void adoptColourScheme(QTextDocument* document);

// An answer's format: the font of the text it follows or replaces, the colour of `attributes`.
QTextCharFormat answerFormat(QTextCharFormat text, const QTextCharFormat& attributes);

// Whether the line is an answer as the worksheet writes one: all of it in the answer or the
// error colour of the palette in use. A line the user typed has no colour of its own.
bool isWrittenAnswer(const QTextBlock& line);
