// SPDX-License-Identifier: GPL-3.0-or-later
// The options every worksheet shares: handed to each new worksheet, handed anew to all of them
// when the user changes one in any window, and kept across starts.

#include "../worksheet/worksheettestmain.h"
#include "app/appcontroller.h"
#include "window/mydocument.h"
#include "worksheet/worksheet.h"

#include <QApplication>
#include <QTest>

#include <memory>

class AppControllerTest : public QObject {
    Q_OBJECT

private slots:
    void everyWorksheetFollowsAChosenOption() {
        AppController controller{QLocale(QStringLiteral("de_DE"))};
        QVERIFY(controller.options().commaIsDecimal);
        QVERIFY(controller.options().updatesDependents);
        const std::unique_ptr<MyDocument> first = controller.newDocument();
        const std::unique_ptr<MyDocument> second = controller.newDocument();
        QVERIFY(second->worksheet()->options() == controller.options());

        // As the Update Dependent Answers command of the first window asks.
        WorksheetOptions chosen = controller.options();
        chosen.updatesDependents = false;
        emit first->optionsChosen(chosen);
        QVERIFY(second->worksheet()->options() == chosen);
        QVERIFY(controller.newDocument()->worksheet()->options() == chosen);
        // The next start begins with it.
        QVERIFY(!AppController(QLocale(QStringLiteral("de_DE"))).options().updatesDependents);
    }

    // A worksheet that has closed is no longer handed anything.
    void aClosedWorksheetIsLeftOut() {
        AppController controller;
        controller.newDocument().reset();
        WorksheetOptions chosen = controller.options();
        chosen.timeLimitSeconds = 2;
        controller.setOptions(chosen);
        QCOMPARE(controller.options().timeLimitSeconds, 2.0);
    }
};

int main(int argc, char** argv) {
    return runWorksheetTest<AppControllerTest, QApplication>(argc, argv);
}

#include "appcontroller_test.moc"
