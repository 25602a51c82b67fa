// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheet/worksheetoptions.h"

#include <QStringList>

// `figurello calc [--hex] [--verbose] [--open WORKSHEET | --recalculate WORKSHEET]
// [--save WORKSHEET] [INPUT]`: calculates lines without a display, in the same worksheet and
// CalcTool as the window, and prints the worksheet; --verbose adds the diagnostic lines. Exit
// status: 0 when every line gave a value or a definition, 1 when any gave an error message, 2
// for a usage or file error. Runs the application's event loop until the worksheet is done.
int runCalcCommand(const QStringList& arguments, const WorksheetOptions& options);

// Whether the command line asks for it; decided before the application object exists, since it
// needs no display.
bool isCalcCommand(int argc, char** argv);
