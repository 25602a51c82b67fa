#pragma once

// The entry point of a worksheet test: one test class, offscreen, in an application of its
// own whose settings are the defaults and whose folders are temporary, so no test picks up or
// leaves behind a template or a kept worksheet of the user's.

#include "worksheet/worksheetsettings.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

template <class Test> int runWorksheetTest(int argc, char** argv) {
    QTemporaryDir folders;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folders.path() + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folders.path() + "/data"));
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Figurello"));
    WorksheetSettings settings;
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#define FIGURELLO_WORKSHEET_TEST_MAIN(Test)                                                        \
    int main(int argc, char** argv) { return runWorksheetTest<Test>(argc, argv); }
