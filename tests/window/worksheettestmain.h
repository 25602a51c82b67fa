// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The entry point of a window test: as a model test's, in a QApplication.

#include "../worksheet/worksheettestmain.h"

#include <QApplication>

#define FIGURELLO_WORKSHEET_TEST_MAIN(Test)                                                        \
    int main(int argc, char** argv) { return runWorksheetTest<Test, QApplication>(argc, argv); }
