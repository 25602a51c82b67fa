// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QTextCharFormat>

// The formats a worksheet writes its own lines in. Each is made anew at every call, in the
// colours of the application palette in use, light or dark.

// Ordinary typed text: no colour of its own, so it shows in the palette's text colour.
QTextCharFormat normalFormat();
// An answer that is a value or a definition, in the result green.
QTextCharFormat successFormat();
// An answer that is a message, in the error red.
QTextCharFormat errorFormat();
// The one or the other, as the answer is a value or definition (`succeeded`) or a message.
QTextCharFormat resultFormat(bool succeeded);
QColor resultGreen();
