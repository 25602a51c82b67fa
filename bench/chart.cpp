// SPDX-License-Identifier: GPL-3.0-or-later
// Charts as the user waits for them: from Return on a plot line to its chart painted; repainting
// a worksheet of 20 charts while scrolling through it, from the pictures kept of them; and
// opening that worksheet against the same worksheet with a value where each chart is.
//   build/bin/chart_bench [rounds]      (runs offscreen; default 50 rounds)

#include "bench/pressreturn.h"
#include "bench/sample.h"
#include "platform/documentcontroller.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettexts.h"
#include "worksheet/worksheettype.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kCharts = 20;

MyDocument* newWorksheet(platform::DocumentController& documents) {
    auto* document = static_cast<MyDocument*>(documents.newDocument());
    document->worksheetWindow()->resize(900, 700);
    return document;
}

// Types the line at the end and presses Return; returns once its answer is painted.
void calculate(MyDocument* document, const QString& line) {
    WorksheetEditor* editor = document->worksheetWindow()->editor();
    QTextCursor cursor = editor->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line);
    editor->setTextCursor(cursor);
    QEventLoop answered;
    QObject::connect(document->worksheet(), &Worksheet::calculationFinished, &answered,
                     &QEventLoop::quit);
    pressReturn(editor);
    if (document->worksheet()->isCalculating())
        answered.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

QString plotLine(int k) { return QStringLiteral("plot(sin(x) + %1, cos(x) * %1, 0, 10)").arg(k); }
QString valueLine(int k) { return QStringLiteral("sin(%1) + %1").arg(k); }

double openMs(platform::DocumentController& documents, const QString& path) {
    QElapsedTimer timer;
    timer.start();
    platform::Document* opened = documents.openDocument(path);
    QApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (opened) {
        opened->setDocumentEdited(false);
        opened->window()->close();
        QApplication::processEvents();
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    addWorksheetTexts();
    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

    MyDocument* typed = newWorksheet(documents);
    QApplication::processEvents();
    Sample painted;
    for (int k = 0; k < rounds; ++k) {
        QElapsedTimer timer;
        timer.start();
        calculate(typed, plotLine(k));
        painted.values.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("Return to a chart of 2 curves painted over %d lines: median %.1f ms, 90th "
                "percentile %.1f ms, max %.1f ms\n",
                rounds, painted.median(), painted.at(0.9), painted.max());

    // Scrolling: every position of a worksheet of 20 charts, once to draw them and again to
    // time the repaints from the pictures kept.
    MyDocument* charts = newWorksheet(documents);
    MyDocument* values = newWorksheet(documents);
    for (int k = 0; k < kCharts; ++k) {
        calculate(charts, plotLine(k));
        calculate(values, valueLine(k));
    }
    WorksheetEditor* editor = charts->worksheetWindow()->editor();
    QScrollBar* scroll = editor->verticalScrollBar();
    const int step = std::max(1, scroll->pageStep() / 4);
    Sample repaint;
    for (int pass = 0; pass < 2; ++pass) {
        for (int at = scroll->minimum(); at <= scroll->maximum(); at += step) {
            scroll->setValue(at);
            QElapsedTimer timer;
            timer.start();
            editor->viewport()->repaint();
            if (pass == 1)
                repaint.values.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::printf("Repainting a worksheet of %d charts while scrolling, over %zu positions: median "
                "%.2f ms, max %.2f ms\n",
                kCharts, repaint.values.size(), repaint.median(), repaint.max());

    QTemporaryDir folder;
    const QString withCharts = folder.filePath(QStringLiteral("charts.figurello"));
    const QString withValues = folder.filePath(QStringLiteral("values.figurello"));
    QString error;
    if (!documents.writeDocument(charts, withCharts, &error) ||
        !documents.writeDocument(values, withValues, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Sample chartsOpen;
    Sample valuesOpen;
    for (int run = 0; run < 7; ++run) {
        chartsOpen.values.push_back(openMs(documents, withCharts));
        valuesOpen.values.push_back(openMs(documents, withValues));
    }
    std::printf("Opening a worksheet of %d charts (%lld bytes): median %.1f ms; the same with "
                "values: %.1f ms (%.2f times)\n",
                kCharts, static_cast<long long>(QFileInfo(withCharts).size()), chartsOpen.median(),
                valuesOpen.median(), chartsOpen.median() / valuesOpen.median());
    return 0;
}
