#include "app/appcontroller.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

int runSavedFrameTests(int argc, char** argv);
int runMyDocumentTests(int argc, char** argv);
int runResultFormatTests(int argc, char** argv);
int runCalculationTests(int argc, char** argv);
int runListingTests(int argc, char** argv);
int runTemplateTests(int argc, char** argv);
int runClosingTests(int argc, char** argv);
int runPrintingTests(int argc, char** argv);
int runRecoveryTests(int argc, char** argv);
int runDesktopTests(int argc, char** argv);
int runRecalculationTests(int argc, char** argv);
int runSymbolsPanelTests(int argc, char** argv);
int runCompletionTests(int argc, char** argv);
int runHighlighterTests(int argc, char** argv);
int runQuietScrollBarTests(int argc, char** argv);

int main(int argc, char** argv) {
    // No test may pick up, or leave behind, a template or a kept worksheet of the user's.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path() + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(configuration.path() + "/data"));
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    AppController controller;
    int failures = 0;
    failures += runSavedFrameTests(argc, argv);
    failures += runMyDocumentTests(argc, argv);
    failures += runResultFormatTests(argc, argv);
    failures += runCalculationTests(argc, argv);
    failures += runListingTests(argc, argv);
    failures += runTemplateTests(argc, argv);
    failures += runClosingTests(argc, argv);
    failures += runPrintingTests(argc, argv);
    failures += runRecoveryTests(argc, argv);
    failures += runDesktopTests(argc, argv);
    failures += runRecalculationTests(argc, argv);
    failures += runSymbolsPanelTests(argc, argv);
    failures += runCompletionTests(argc, argv);
    failures += runHighlighterTests(argc, argv);
    failures += runQuietScrollBarTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
