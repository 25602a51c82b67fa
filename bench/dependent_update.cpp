// The time from Return on an edited answered line to every answer that depends on it being in
// place and painted, in a long worksheet; and the same for a line nothing depends on, to hold
// against a plain Return (bench/return_to_answer).
//   build/bin/dependent_update_bench   (runs offscreen)

#include "app/appcontroller.h"
#include "bench/sample.h"
#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "platform/documentcontroller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextBlock>
#include <QTextCursor>

#include <cstdio>

namespace {

constexpr int kRuns = 9;

// Line 10 sets r; `dependents` lines spread over the rest read it, the others do not.
QStringList worksheetLines(int lines, int dependents) {
    QStringList text;
    for (int i = 0; i < lines; ++i) {
        if (i == 9)
            text.append(QStringLiteral("r = 5"));
        else if (i > 9 && (i - 10) % ((lines - 10) / dependents) == 0)
            text.append(QStringLiteral("d%1 = r * %1").arg(i));
        else
            text.append(QStringLiteral("c%1 = %1 + 1").arg(i));
    }
    return text;
}

// Edits the statement in the given line to `statement` and presses Return at its end; the
// milliseconds until the answers are in and painted.
double updateLine(MyDocument& document, int line, const QString& statement) {
    const QTextBlock block = document.textDocument()->findBlockByNumber(2 * line);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(statement + QStringLiteral(" ="));
    document.textView->setTextCursor(cursor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QEventLoop updated;
    QObject::connect(&document, &MyDocument::recalculationFinished, &updated, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    document.insertNewline();
    if (document.isCalculating())
        updated.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    return double(timer.nsecsElapsed()) / 1e6;
}

void measure(int lines, int dependents) {
    platform::DocumentController documents([] { return std::make_unique<MyDocument>(); });
    auto* document = static_cast<MyDocument*>(documents.newDocument());
    document->calculateAtEnd(worksheetLines(lines, dependents));
    QCoreApplication::processEvents();
    Sample withDependents;
    Sample alone;
    for (int run = 0; run < kRuns; ++run) {
        withDependents.values.push_back(
            updateLine(*document, 9, QStringLiteral("r = %1").arg(6 + run)));
        alone.values.push_back(
            updateLine(*document, 11, QStringLiteral("c11 = %1 + 1").arg(run)));
    }
    std::printf("%d lines, %d depending on line 10: Return to every answer painted, median "
                "%.1f ms (%.1f–%.1f)\n",
                lines, dependents, withDependents.median(), withDependents.at(0.25),
                withDependents.at(0.75));
    std::printf("%d lines, a line nothing depends on: median %.2f ms (%.2f–%.2f)\n", lines,
                alone.median(), alone.at(0.25), alone.at(0.75));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AppController controller;
    measure(1000, 100);
    if (argc < 2)
        measure(10000, 1000);
    return 0;
}
