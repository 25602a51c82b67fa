// SPDX-License-Identifier: GPL-3.0-or-later
// The time from Return on an edited answered line to every answer that depends on it being in
// place and painted, in a long worksheet; and the same for a line nothing depends on, to hold
// against a plain Return (bench/return_to_answer).
//   build/bin/dependent_update_bench   (runs offscreen)

#include "bench/pressreturn.h"
#include "bench/sample.h"
#include "platform/documentcontroller.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "worksheet/answerformats.h"
#include "worksheet/calcsession.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettexts.h"
#include "worksheet/worksheettype.h"

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
    const QTextBlock block = document.worksheet()->text()->findBlockByNumber(2 * line);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(statement + QStringLiteral(" ="));
    document.worksheetWindow()->editor()->setTextCursor(cursor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QEventLoop updated;
    QObject::connect(document.worksheet(), &Worksheet::recalculationFinished, &updated,
                     &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    pressReturn(document.worksheetWindow()->editor());
    if (document.worksheet()->isCalculating())
        updated.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    return double(timer.nsecsElapsed()) / 1e6;
}

// Types a new line after the given line's answer and presses Return there, as before answers
// could be calculated again; then takes it back. The milliseconds until the answer is painted.
double plainReturn(MyDocument& document, int line) {
    QTextCursor cursor(document.worksheet()->text()->findBlockByNumber(2 * line + 2));
    cursor.insertText(QStringLiteral("c = 1\n"));
    cursor.movePosition(QTextCursor::PreviousCharacter);
    document.worksheetWindow()->editor()->setTextCursor(cursor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QEventLoop answered;
    QObject::connect(document.worksheet(), &Worksheet::calculationFinished, &answered,
                     &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    pressReturn(document.worksheetWindow()->editor());
    if (document.worksheet()->isCalculating())
        answered.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    for (int step = 0; step < 3; ++step)
        document.worksheetWindow()->editor()->undo();
    return elapsed;
}

void measure(int lines, int dependents) {
    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    auto* document = static_cast<MyDocument*>(documents.newDocument());
    QEventLoop calculated;
    QObject::connect(document->worksheet()->calculateAtEnd(worksheetLines(lines, dependents)),
                     &Calculation::finished, &calculated, &QEventLoop::quit);
    calculated.exec();
    QCoreApplication::processEvents();
    Sample withDependents;
    Sample alone;
    Sample plain;
    for (int run = 0; run < kRuns; ++run) {
        plain.values.push_back(plainReturn(*document, 11));
        withDependents.values.push_back(
            updateLine(*document, 9, QStringLiteral("r = %1").arg(6 + run)));
        alone.values.push_back(updateLine(*document, 11, QStringLiteral("c11 = %1 + 1").arg(run)));
    }
    std::printf("%d lines, %d depending on line 10: Return to every answer painted, median "
                "%.1f ms (%.1f–%.1f)\n",
                lines, dependents, withDependents.median(), withDependents.at(0.25),
                withDependents.at(0.75));
    std::printf("%d lines, Return on line 12, nothing depends on it: median %.2f ms "
                "(%.2f–%.2f); a new line typed there: %.2f ms (%.2f–%.2f)\n",
                lines, alone.median(), alone.at(0.25), alone.at(0.75), plain.median(),
                plain.at(0.25), plain.at(0.75));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    addWorksheetTexts();
    measure(1000, 100);
    if (argc < 2)
        measure(10000, 1000);
    return 0;
}
