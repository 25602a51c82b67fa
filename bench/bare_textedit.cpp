// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the application's start-up: a bare QTextEdit in a window, timed to its first
// paint the same way as the application (bench/startup).

#include "platform/firstpaintprobe.h"

#include <QApplication>
#include <QTextEdit>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    platform::FirstPaintProbe::installIfAsked();
    QTextEdit text;
    text.resize(640, 520);
    text.show();
    return application.exec();
}
