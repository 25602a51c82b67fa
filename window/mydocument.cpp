// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/mydocument.h"

#include "platform/afterfirstpaint.h"
#include "platform/atomicwrite.h"
#include "platform/diagnostics.h"
#include "platform/documentcontroller.h"
#include "toollink/toollink.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "worksheet/newdocumenttemplate.h"
#include "worksheet/statementwords.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettype.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr int kSummaryLength = 60;

} // namespace

MyDocument::MyDocument(const WorksheetOptions& options)
    : mWorksheet(new Worksheet(options, this)) {}

MyDocument::~MyDocument() {
    // The window goes first: its views follow the worksheet to the end.
    delete std::exchange(mWindow, nullptr);
    delete std::exchange(mWorksheet, nullptr);
}

bool MyDocument::readFromData(const QByteArray& data, const QString& typeName, QString* error) {
    return mWorksheet->read(data, typeName, displayName(), error);
}

QByteArray MyDocument::dataOfType(const QString&, QString* error) {
    const QByteArray data = mWorksheet->fileData(error);
    if (data.isEmpty())
        qCWarning(figurelloDiagnostics, "Error: out of memory");
    return data;
}

void MyDocument::makeWindowControllers() {
    mWorksheet->startFromTemplateUnlessRead();
    mWindow = new WorksheetWindow(this, platform::DocumentController::sharedController());
    QTextDocument* text = mWorksheet->text();
    connect(text, &QTextDocument::modificationChanged, mWindow, &QWidget::setWindowModified);
    connect(text, &QTextDocument::modificationChanged, this, &MyDocument::editedChanged);
    connect(text, &QTextDocument::contentsChanged, this, &MyDocument::contentsEdited);
    // Taken here at once, and handed to every other worksheet by the owner.
    connect(mWindow, &WorksheetWindow::optionsChosen, this,
            [this](const WorksheetOptions& options) {
                setOptions(options);
                emit optionsChosen(options);
            });
    text->setModified(false);
    if (!mWorksheet->readNote().isEmpty())
        mWindow->statusBar()->showMessage(mWorksheet->readNote());
    // Started once the window is on the screen; a line calculated before then starts it.
    platform::afterFirstPaint(mWindow->editor()->viewport(), mWorksheet, [this] {
        if (!mWorksheet->tool()->isRunning())
            mWorksheet->startTool();
    });
    mWindow->editor()->setFocus();
}

QMainWindow* MyDocument::window() const { return mWindow; }

bool MyDocument::isDocumentEdited() const { return mWorksheet->text()->isModified(); }

void MyDocument::setDocumentEdited(bool edited) { mWorksheet->text()->setModified(edited); }

bool MyDocument::canCloseDocument(const std::function<bool()>& standardCloseCheck) {
    // A worksheet never saved closes without a question; the controller keeps it for reopening.
    if (!isDocumentEdited() || !hasFileLocation())
        return true;
    qCInfo(figurelloDiagnostics, "canCloseDocumentWithDelegate 1");
    const bool mayClose = standardCloseCheck();
    qCInfo(figurelloDiagnostics, "canCloseDocumentWithDelegate 2");
    return mayClose;
}

QString MyDocument::summary() const {
    for (QTextBlock line = mWorksheet->text()->begin(); line.isValid(); line = line.next()) {
        QString words = line.text().simplified();
        // A calculated line names the worksheet better without its " =".
        if (isCalculatedLine(words))
            words.chop(2);
        if (!words.isEmpty())
            return words.size() <= kSummaryLength ? words : words.left(kSummaryLength - 1) + u'…';
    }
    return displayName();
}

bool MyDocument::writeAsTemplate(QString* error) {
    const QByteArray data = dataOfType(kWorksheetType, error);
    if (data.isEmpty())
        return false;
    const QString path = newDocumentTemplatePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return platform::writeFileAtomically(path, data, error);
}

void MyDocument::setOptions(const WorksheetOptions& options) { mWorksheet->setOptions(options); }
