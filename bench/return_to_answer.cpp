// The time from Return to the answer for a simple line, as the user sees it: the document
// writes the line to its CalcTool, reads the reply and inserts the formatted value, and the
// window repaints. Two figures: until the answer is in the text, and until it is painted.
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

namespace {

struct Sample {
    std::vector<double> microseconds;
    double at(double fraction) {
        std::sort(microseconds.begin(), microseconds.end());
        return microseconds[size_t(fraction * double(microseconds.size() - 1))];
    }
    void print(const char* what) {
        const double median = at(0.5);
        const double ninetieth = at(0.9);
        std::printf("Return to answer %s over %zu lines: median %.0f us, 90th percentile %.0f us, "
                    "max %.0f us\n",
                    what, microseconds.size(), median, ninetieth, microseconds.back());
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AppController controller;
    platform::DocumentController documents([] { return std::make_unique<MyDocument>(); });
    auto* document = static_cast<MyDocument*>(documents.newDocument());
    const int lines = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;

    Sample inText;
    Sample painted;
    QElapsedTimer timer;
    QEventLoop answered;
    QObject::connect(document, &MyDocument::calculationFinished, &answered, [&] {
        inText.microseconds.push_back(double(timer.nsecsElapsed()) / 1000);
        answered.quit();
    });
    for (int i = 0; i < lines; ++i) {
        QTextCursor cursor = document->textView->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("x = %1 * 2 + 1").arg(i));
        document->textView->setTextCursor(cursor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        timer.start();
        document->insertNewline();
        if (document->isCalculating())
            answered.exec();
        // Whatever repaint is still due, as the next pass of the event loop would do it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        painted.microseconds.push_back(double(timer.nsecsElapsed()) / 1000);
    }
    inText.print("in the text");
    painted.print("painted");
    return 0;
}
