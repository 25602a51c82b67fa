#include "app/appcontroller.h"

#include <QApplication>
#include <QStandardPaths>

int runSavedFrameTests(int argc, char** argv);
int runMyDocumentTests(int argc, char** argv);
int runResultFormatTests(int argc, char** argv);
int runCalculationTests(int argc, char** argv);
int runListingTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    AppController controller;
    int failures = 0;
    failures += runSavedFrameTests(argc, argv);
    failures += runMyDocumentTests(argc, argv);
    failures += runResultFormatTests(argc, argv);
    failures += runCalculationTests(argc, argv);
    failures += runListingTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
