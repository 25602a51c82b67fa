// SPDX-License-Identifier: GPL-3.0-or-later
// Pasting ten megabytes of text into a worksheet: the time until it is all in, and the longest
// the window goes without handling its events meanwhile, which is what a user feels.
//   build/bin/long_paste_bench   (runs offscreen)

#include "bench/sample.h"
#include "platform/documentcontroller.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "worksheet/answerformats.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettexts.h"
#include "worksheet/worksheettype.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int kRuns = 3;

// Lines as long as a wide spreadsheet's.
QString tenMegabytes() {
    const QString line = QStringLiteral("1234.5 * 2 + ").repeated(9) + QStringLiteral("7\n");
    return line.repeated(10'000'000 / line.size());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    addWorksheetTexts();
    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    QGuiApplication::clipboard()->setText(tenMegabytes());
    Sample whole;
    Sample longestGap;
    for (int run = 0; run < kRuns; ++run) {
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        QCoreApplication::processEvents();
        WorksheetEditor* view = document->worksheetWindow()->editor();
        QElapsedTimer timer;
        QElapsedTimer sinceEvents;
        timer.start();
        view->paste();
        double gap = double(timer.nsecsElapsed()) / 1e6;
        sinceEvents.start();
        while (view->isPasting()) {
            QCoreApplication::processEvents();
            gap = std::max(gap, double(sinceEvents.nsecsElapsed()) / 1e6);
            sinceEvents.restart();
        }
        whole.values.push_back(double(timer.nsecsElapsed()) / 1e6);
        longestGap.values.push_back(gap);
        document->setDocumentEdited(false);
        documents.closeDocument(document);
    }
    std::printf("10 MB pasted: all in after a median %.0f ms (%.0f–%.0f); the window answered at "
                "least every %.0f ms (worst run %.0f ms)\n",
                whole.median(), whole.at(0), whole.max(), longestGap.median(), longestGap.max());
    return 0;
}
