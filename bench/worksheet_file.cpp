// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving a large worksheet, as the user waits for it: a 10,000-line worksheet, half
// of its lines coloured answers, saved to a file and opened into a window.
//   build/bin/worksheet_file_bench [lines] [runs]   (offscreen; 10000 lines, 5 runs by default)

#include "engine/calcengine.h"
#include "platform/documentcontroller.h"
#include "platform/filetypes.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "worksheet/answerformats.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettexts.h"
#include "worksheet/worksheettype.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double spread(const std::vector<double>& values) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return *high - *low;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    addWorksheetTexts();
    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    const int lines = argc > 1 ? std::max(2, atoi(argv[1])) : 10000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    auto* original = static_cast<MyDocument*>(documents.newDocument());
    QTextCursor cursor(original->worksheet()->text());
    for (int i = 0; i < lines / 2; ++i) {
        std::string statement = "v";
        statement.append(std::to_string(i % 500)).append(" = ").append(std::to_string(i));
        statement.append(" * 2 + 1");
        double value = 0;
        std::size_t stop = 0;
        EvaluateStatement(statement, *original->worksheet()->state(), value, stop);
        cursor.insertText(QString::fromStdString(statement) + QStringLiteral(" =\n"),
                          normalFormat());
        cursor.insertText(original->worksheet()->formatValue(value) + '\n', successFormat());
    }

    // The worksheet that grew line by line lays itself out and recolours once the event loop
    // runs; timed on its own, so that it does not land in the first opening.
    QElapsedTimer settling;
    settling.start();
    QApplication::processEvents();
    const double settleMs = settling.nsecsElapsed() / 1e6;

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("large.figurello"));
    std::vector<double> saveMs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        if (!documents.writeDocument(original, path, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        saveMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::vector<double> openMs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        platform::Document* opened = documents.openDocument(path);
        QApplication::processEvents();
        openMs.push_back(timer.nsecsElapsed() / 1e6);
        if (!opened)
            return 1;
        opened->setDocumentEdited(false);
        opened->window()->close();
        QApplication::processEvents();
    }
    std::printf("%d-line worksheet (%lld bytes): save median %.1f ms (spread %.1f), "
                "open median %.1f ms (spread %.1f); grown by typing, it settled in %.1f ms\n",
                lines, static_cast<long long>(QFileInfo(path).size()), median(saveMs),
                spread(saveMs), median(openMs), spread(openMs), settleMs);
    return 0;
}
