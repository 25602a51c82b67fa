// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>

// Every colour a worksheet paints its own text in, each with a variant for a light background
// and one for a dark background, so that it stays readable in either scheme. The answers
// ("GoodResult" green, "BadResult" red) are written into the text in them; the highlighting is
// laid over it in the others.
enum class WorksheetColour {
    GoodResult,
    BadResult,
    Number,
    Variable,
    Function,
    Builtin,
    UnknownName, // the underline of a name nobody defined
    Unit,
    // An answer out of date, dimmed as well as struck through.
    OutOfDate,
    // The curves of a chart, in the order they are written; a fifth takes the first again.
    Curve1,
    Curve2,
    Curve3,
    Curve4,
};

// The one rule for "dark": light text on a darker background.
bool isDarkPalette(const QPalette& palette);

// The colour's variant for the palette.
QColor worksheetColour(WorksheetColour colour, const QPalette& palette);

// Tells of each switch of the application palette between light and dark, for as long as its
// parent lives. The application hears of every palette change, whether or not a widget's own
// palette differs after it; changes that keep the scheme (a new accent colour) are not told.
class ColourSchemeWatcher : public QObject {
    Q_OBJECT

public:
    explicit ColourSchemeWatcher(QObject* parent);

signals:
    void schemeSwitched(const QPalette& before, const QPalette& now);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPalette mPalette;
};
