// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a worksheet as the template new worksheets start from.

#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/newdocumenttemplate.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QMessageBox* openMessageBox(QWidget* window) {
    for (QMessageBox* box : window->findChildren<QMessageBox*>())
        if (box->isVisible())
            return box;
    return nullptr;
}

void answer(QWidget* window, const char* key) {
    QMessageBox* box = openMessageBox(window);
    QVERIFY(box);
    for (QAbstractButton* button : box->buttons())
        if (button->text() == platform::keyedText(key))
            button->click();
}

} // namespace

class TemplateTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mConfig;
    platform::DocumentController* mController = nullptr;

    MyDocument* newWorksheet() { return static_cast<MyDocument*>(mController->newDocument()); }

private slots:
    void init() {
        QVERIFY(mConfig.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(mConfig.path()));
        QFile::remove(newDocumentTemplatePath());
        mController = new platform::DocumentController(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
    }
    void cleanup() {
        delete mController;
        QDir(mConfig.path()).removeRecursively();
        QDir().mkpath(mConfig.path());
    }

    void newWorksheetsStartFromTheSavedTemplate() {
        QVERIFY(newDocumentTemplatePath().startsWith(mConfig.path() + "/figurello/"));
        MyDocument* original = newWorksheet();
        editorOf(original)->setPlainText(QStringLiteral("rate = 0.2 =\n0.2\n"));
        double value = 0;
        std::size_t stop = 0;
        EvaluateStatement("rate = 0.2", *original->worksheet()->state(), value, stop);
        original->window()->setGeometry(QRect(60, 80, 420, 300));
        original->setDocumentEdited(false);

        windowOf(original)->askToSaveAsTemplate();
        answer(original->window(), "ConfirmSaveNew_cancel");
        QVERIFY(!QFile::exists(newDocumentTemplatePath()));

        windowOf(original)->askToSaveAsTemplate();
        answer(original->window(), "ConfirmSaveNew_ok");
        QVERIFY(QFile::exists(newDocumentTemplatePath()));
        QVERIFY(!original->isDocumentEdited());
        QVERIFY(original->filePath().isEmpty());

        MyDocument* fresh = newWorksheet();
        QCOMPARE(editorOf(fresh)->toPlainText(), QStringLiteral("rate = 0.2 =\n0.2\n"));
        QCOMPARE(*FindVariable(*fresh->worksheet()->state(), "rate"), 0.2);
        QCOMPARE(fresh->window()->geometry(), QRect(60, 80, 420, 300));
        QVERIFY(!fresh->isDocumentEdited());
    }

    // The template's folder cannot be made (a file stands in its place): the user is told,
    // on the worksheet's window, and nothing is written.
    void saysWhyTheTemplateCannotBeWritten() {
        QFile blocker(mConfig.filePath(QStringLiteral("figurello")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        MyDocument* worksheet = newWorksheet();
        windowOf(worksheet)->askToSaveAsTemplate();
        answer(worksheet->window(), "ConfirmSaveNew_ok");
        QMessageBox* failure = openMessageBox(worksheet->window());
        QVERIFY(failure);
        QVERIFY2(failure->text().contains(QStringLiteral("com.brannoch.Figurello2.figurello")),
                 qPrintable(failure->text()));
        QVERIFY(!QFile::exists(newDocumentTemplatePath()));
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(TemplateTest)

#include "template_test.moc"
