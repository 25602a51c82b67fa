// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The entry point of a worksheet test: one test class, offscreen, in an application of its
// own with the worksheet's texts, whose folders are temporary, so no test picks up or leaves
// behind a template or a kept worksheet of the user's. Model tests run in a QGuiApplication,
// with no widget library linked.

#include "worksheet/worksheettexts.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

template <class Test, class Application = QGuiApplication>
int runWorksheetTest(int argc, char** argv) {
    QTemporaryDir folders;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folders.path() + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folders.path() + "/data"));
    Application application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Figurello"));
    addWorksheetTexts();
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#define FIGURELLO_MODEL_TEST_MAIN(Test)                                                            \
    int main(int argc, char** argv) { return runWorksheetTest<Test>(argc, argv); }
