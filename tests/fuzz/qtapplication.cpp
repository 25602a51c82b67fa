// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtapplication.h"

#include <QApplication>
#include <QtGlobal>

namespace {

void ignoreMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void StartQtApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ignoreMessage);
    // Lives as long as the process: libFuzzer never returns to let it be destroyed in order.
    new QApplication(*argc, *argv);
}
