// The time from Return to the inserted answer for a simple line, as the user sees it: the
// document writes the line to its CalcTool, reads the reply and inserts the formatted value.
//   build/bin/return_to_answer_bench [lines]      (runs offscreen; default 1000 lines)

#include "app/appcontroller.h"
#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "platform/documentcontroller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AppController controller;
    platform::DocumentController documents([] { return std::make_unique<MyDocument>(); });
    auto* document = static_cast<MyDocument*>(documents.newDocument());
    const int lines = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;

    std::vector<double> microseconds;
    microseconds.reserve(lines);
    QEventLoop answered;
    QObject::connect(document, &MyDocument::calculationFinished, &answered, &QEventLoop::quit);
    for (int i = 0; i < lines; ++i) {
        QTextCursor cursor = document->textView->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("x = %1 * 2 + 1").arg(i));
        document->textView->setTextCursor(cursor);
        QElapsedTimer timer;
        timer.start();
        document->insertNewline();
        if (document->isCalculating())
            answered.exec();
        microseconds.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::sort(microseconds.begin(), microseconds.end());
    auto at = [&](double fraction) { return microseconds[size_t(fraction * (lines - 1))]; };
    std::printf("Return to answer over %d lines: median %.0f us, 90th percentile %.0f us, "
                "max %.0f us\n",
                lines, at(0.5), at(0.9), microseconds.back());
    return 0;
}
