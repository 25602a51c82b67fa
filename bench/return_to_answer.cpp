// SPDX-License-Identifier: GPL-3.0-or-later
// The time from Return to the answer for a simple line, as the user sees it: the document
// writes the line to its CalcTool, reads the reply and inserts the formatted value, and the
// window repaints. Two figures: until the answer is in the text, and until it is painted.
//   build/bin/return_to_answer_bench [lines]      (runs offscreen; default 1000 lines)

#include "bench/pressreturn.h"
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
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void Print(const char* what, const Sample& microseconds) {
    std::printf("Return to answer %s over %zu lines: median %.0f us, 90th percentile %.0f us, "
                "max %.0f us\n",
                what, microseconds.values.size(), microseconds.median(), microseconds.at(0.9),
                microseconds.max());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    addWorksheetTexts();
    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    auto* document = static_cast<MyDocument*>(documents.newDocument());
    const int lines = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;

    Sample inText;
    Sample painted;
    QElapsedTimer timer;
    QEventLoop answered;
    QObject::connect(document->worksheet(), &Worksheet::calculationFinished, &answered, [&] {
        inText.values.push_back(double(timer.nsecsElapsed()) / 1000);
        answered.quit();
    });
    for (int i = 0; i < lines; ++i) {
        QTextCursor cursor = document->worksheetWindow()->editor()->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("x = %1 * 2 + 1").arg(i));
        document->worksheetWindow()->editor()->setTextCursor(cursor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        timer.start();
        pressReturn(document->worksheetWindow()->editor());
        if (document->worksheet()->isCalculating())
            answered.exec();
        // Whatever repaint is still due, as the next pass of the event loop would do it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        painted.values.push_back(double(timer.nsecsElapsed()) / 1000);
    }
    Print("in the text", inText);
    Print("painted", painted);
    return 0;
}
