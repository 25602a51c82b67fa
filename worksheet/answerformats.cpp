// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/answerformats.h"

#include "worksheet/worksheetcolours.h"

#include <QGuiApplication>

namespace {

QTextCharFormat coloured(WorksheetColour colour) {
    QTextCharFormat format;
    format.setForeground(worksheetColour(colour, QGuiApplication::palette()));
    return format;
}

} // namespace

QTextCharFormat normalFormat() { return QTextCharFormat(); }

QTextCharFormat successFormat() { return coloured(WorksheetColour::GoodResult); }

QTextCharFormat errorFormat() { return coloured(WorksheetColour::BadResult); }

QTextCharFormat resultFormat(bool succeeded) { return succeeded ? successFormat() : errorFormat(); }

QColor resultGreen() {
    return worksheetColour(WorksheetColour::GoodResult, QGuiApplication::palette());
}
