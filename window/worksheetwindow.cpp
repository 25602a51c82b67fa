#include "window/worksheetwindow.h"

#include "window/forgetsymboldialog.h"
#include "window/functionreferencepanel.h"
#include "window/mydocument.h"
#include "window/symbolspanel.h"
#include "window/worksheeteditor.h"
#include "window/worksheetprinting.h"
#include "worksheet/worksheetsettings.h"
#include "platform/documentcontroller.h"
#include "platform/filetypes.h"
#include "platform/keyedtexts.h"
#include "platform/shortcutsdialog.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextDocument>

#include <memory>

namespace {

constexpr int kReferenceWidth = 360;
// Long enough to read twice.
constexpr int kRefusalShownMs = 6000;

} // namespace

WorksheetWindow::WorksheetWindow(MyDocument* worksheet, platform::DocumentController* controller)
    : platform::DocumentWindow(worksheet, controller), mWorksheet(worksheet),
      mEditor(new WorksheetEditor(this)) {
    mEditor->setReturnHandler([worksheet] { return worksheet->insertNewline(); });
    mEditor->setAcceptRichText(false);
    setCentralWidget(mEditor);
    setEditor(mEditor);
    // The commands that change the text wait for a long paste as they wait for an answer.
    connect(mEditor, &WorksheetEditor::pastingChanged, this,
            [this](bool pasting) { setWaitingForAnswers(pasting, false); });
    connect(mEditor, &WorksheetEditor::pasteRefused, this,
            [this](const QString& reason) { statusBar()->showMessage(reason, kRefusalShownMs); });
    // Files dropped on the text open as they would from the file manager.
    mEditor->setFileOpener([controller](const QString& path) {
        return platform::isReadableDocument(controller->documentType(), path);
    });
    connect(mEditor, &WorksheetEditor::filesDropped, controller,
            [controller](const QStringList& paths) {
                for (const QString& path : paths)
                    controller->openDocument(path);
            });
    QAction* pasteCleaned = editMenu()->addAction(tr("Paste &Without Commas and $"));
    pasteCleaned->setShortcut(QKeySequence(tr("Ctrl+Alt+V")));
    connect(pasteCleaned, &QAction::triggered, worksheet, &MyDocument::pasteCleaned);
    mTextCommands.append(pasteCleaned);
    addFileCommands();
    buildCalculateMenu();
    buildHelpMenu();
}

void WorksheetWindow::addFileCommands() {
    connect(addFileCommand(tr("Save as &Template for New Worksheets…")), &QAction::triggered,
            mWorksheet, &MyDocument::saveAsNewDocumentContent);
    connect(addFileCommand(tr("&Export as PDF…")), &QAction::triggered, this,
            &WorksheetWindow::exportAsPdf);
    QAction* print = addFileCommand(tr("&Print…"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &WorksheetWindow::print);
}

void WorksheetWindow::buildCalculateMenu() {
    QMenu* calculate = menuBar()->addMenu(tr("&Calculate"));
    mTextCommands.append({
        calculate->addAction(tr("List &Variables"), QKeySequence(tr("Ctrl+Shift+L")), mWorksheet,
                             &MyDocument::showDefinedVariables),
        calculate->addAction(tr("List &Functions"), QKeySequence(tr("Ctrl+Shift+F")), mWorksheet,
                             &MyDocument::showDefinedFunctions),
        calculate->addAction(tr("Forget V&ariable…"), mWorksheet, &MyDocument::forgetVariable),
        calculate->addAction(tr("Forget F&unction…"), mWorksheet, &MyDocument::forgetFunction),
    });
    calculate->addSeparator();
    mTextCommands.append(calculate->addAction(tr("&Recalculate Worksheet"),
                                              QKeySequence(tr("Ctrl+Shift+R")), mWorksheet,
                                              &MyDocument::recalculateWorksheet));
    QAction* updateDependents = calculate->addAction(tr("Update &Dependent Answers"));
    updateDependents->setCheckable(true);
    updateDependents->setChecked(MyDocument::updatesDependentAnswers());
    connect(updateDependents, &QAction::toggled, &MyDocument::setUpdatesDependentAnswers);
    mStopUpdating = calculate->addAction(tr("S&top Updating"), QKeySequence(Qt::Key_Escape),
                                         mWorksheet, &MyDocument::stopRecalculation);
    mStopUpdating->setEnabled(false);
    addSymbolsPanel(calculate);
    calculate->addSeparator();
    addIntegerFormats(calculate);
}

void WorksheetWindow::addSymbolsPanel(QMenu* calculate) {
    mSymbolsPanel = new SymbolsPanel(mWorksheet);
    addDockWidget(Qt::RightDockWidgetArea, mSymbolsPanel);
    mSymbolsPanel->hide();
    QAction* showSymbols = mSymbolsPanel->toggleViewAction();
    showSymbols->setText(tr("&Symbols Panel"));
    showSymbols->setShortcut(QKeySequence(tr("Ctrl+Shift+Y")));
    calculate->addAction(showSymbols);
}

void WorksheetWindow::addIntegerFormats(QMenu* calculate) {
    QMenu* integers = calculate->addMenu(tr("&Integers"));
    integers->menuAction()->setData(MyDocument::kIntegerFormatMenuTag);
    auto* group = new QActionGroup(integers);
    mDecimalItem = integers->addAction(tr("&Decimal"));
    mDecimalItem->setData(MyDocument::kDecimalItemTag);
    mHexadecimalItem = integers->addAction(tr("&Hexadecimal"));
    mHexadecimalItem->setData(MyDocument::kHexadecimalItemTag);
    for (QAction* item : {mDecimalItem, mHexadecimalItem}) {
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, mWorksheet,
                [this, item] { mWorksheet->setIntegerFormat(item); });
    }
}

void WorksheetWindow::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    mFunctionReference = new FunctionReferencePanel(WorksheetSettings::isCommaDecimal(), this);
    addDockWidget(Qt::RightDockWidgetArea, mFunctionReference);
    mFunctionReference->hide();
    connect(mFunctionReference, &FunctionReferencePanel::insertionRequested, this,
            &WorksheetWindow::typeIntoWorksheet);
    QAction* reference = mFunctionReference->toggleViewAction();
    reference->setText(tr("&Function Reference"));
    reference->setObjectName(QStringLiteral("functionReference"));
    reference->setShortcut(QKeySequence(Qt::Key_F1));
    connect(reference, &QAction::triggered, this, [this](bool shown) {
        if (!shown)
            return;
        // Wide enough for a name and most of what it does; the rest is in each row's tooltip.
        if (mFunctionReference->width() < kReferenceWidth)
            resizeDocks({mFunctionReference}, {kReferenceWidth}, Qt::Horizontal);
        mFunctionReference->setFocus();
    });
    help->addAction(reference);
    help->addAction(tr("&Keyboard Shortcuts"), this, &WorksheetWindow::showShortcuts);
    help->addAction(tr("&Example Worksheet"), this, [this] {
        if (platform::DocumentController* documents =
                platform::DocumentController::sharedController())
            documents->openCopy(QStringLiteral(":/examples/tour.figurello"));
    });
    help->addSeparator();
    help->addAction(tr("&About Figurello"), this, &WorksheetWindow::showAbout)
        ->setMenuRole(QAction::AboutRole);
}

void WorksheetWindow::typeIntoWorksheet(const QString& text) {
    // Typed, not pasted: in the typing format, undone with one Undo, and never while the text
    // waits for an answer.
    if (mEditor->isReadOnly())
        return;
    mEditor->insertPlainText(text);
    mEditor->setFocus();
}

void WorksheetWindow::showShortcuts() {
    // Made anew each time, so it lists the keys the commands have now.
    const QList<ShortcutsDialog::KeyUse> editorKeys = {
        {QKeySequence(Qt::Key_Return).toString(QKeySequence::NativeText), tr("Calculate the line")},
        {QKeySequence(Qt::SHIFT | Qt::Key_Return).toString(QKeySequence::NativeText),
         tr("Break the line without calculating")},
        {QKeySequence(Qt::Key_Tab).toString(QKeySequence::NativeText),
         tr("Take the name offered while typing")},
    };
    auto* shortcuts = new ShortcutsDialog(menuBar(), editorKeys, this);
    shortcuts->setAttribute(Qt::WA_DeleteOnClose);
    shortcuts->show();
}

void WorksheetWindow::showAbout() {
    QMessageBox::about(
        this, tr("About Figurello"),
        tr("<h3>Figurello %1</h3>"
           "<p>A calculator worksheet: type a calculation, press Return, and the answer appears "
           "on the next line.</p>"
           "<p>Proprietary licence: all rights reserved.</p>"
           "<p>Built with Qt %2, running on Qt %3.</p>")
            .arg(QCoreApplication::applicationVersion(), QStringLiteral(QT_VERSION_STR),
                 QString::fromLatin1(qVersion())));
}

ForgetSymbolDialog* WorksheetWindow::forgetDialog() {
    if (!mForgetDialog) {
        mForgetDialog = new ForgetSymbolDialog(this);
        connect(mForgetDialog, &ForgetSymbolDialog::forgetChosen, mWorksheet,
                &MyDocument::forgetSheetOK);
    }
    return mForgetDialog;
}

void WorksheetWindow::setWaitingForAnswers(bool waiting, bool updating) {
    mEditor->setReadOnly(waiting);
    setEditingEnabled(!waiting);
    for (QAction* command : std::as_const(mTextCommands))
        command->setEnabled(!waiting);
    mStopUpdating->setEnabled(waiting && updating);
}

void WorksheetWindow::showIntegerFormat(bool hexadecimal) {
    mDecimalItem->setChecked(!hexadecimal);
    mHexadecimalItem->setChecked(hexadecimal);
}

void WorksheetWindow::print() {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(worksheetPageLayout());
    printer->setDocName(mWorksheet->displayName());
    auto* dialog = new QPrintDialog(printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The dialog's connection keeps the printer alive for as long as the dialog lives.
    connect(dialog, &QDialog::accepted, this,
            [this, printer] { mEditor->document()->print(printer.get()); });
    dialog->open();
}

void WorksheetWindow::exportAsPdf() {
    const QString folder =
        mWorksheet->hasFileLocation()
            ? QFileInfo(mWorksheet->filePath().isEmpty() ? mWorksheet->originPath()
                                                         : mWorksheet->filePath())
                  .absolutePath()
            : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(
        this, tr("Export as PDF"),
        folder + '/' + QFileInfo(mWorksheet->displayName()).completeBaseName() +
            QStringLiteral(".pdf"),
        platform::keyedText("PdfFilter"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!mWorksheet->writePdf(path, &error))
        showFailure(error);
}

void WorksheetWindow::askToSaveAsTemplate() {
    auto* confirm =
        new QMessageBox(QMessageBox::Question, QCoreApplication::applicationName(),
                        platform::keyedText("ConfirmSaveNew"), QMessageBox::NoButton, this);
    confirm->setInformativeText(platform::keyedText("ConfirmSaveNew_detail"));
    QPushButton* ok =
        confirm->addButton(platform::keyedText("ConfirmSaveNew_ok"), QMessageBox::AcceptRole);
    confirm->addButton(platform::keyedText("ConfirmSaveNew_cancel"), QMessageBox::RejectRole);
    confirm->setDefaultButton(ok);
    confirm->setWindowModality(Qt::WindowModal);
    confirm->setAttribute(Qt::WA_DeleteOnClose);
    connect(confirm, &QMessageBox::finished, this, [this, confirm, ok] {
        QString error;
        if (confirm->clickedButton() == ok && !mWorksheet->writeNewDocumentContent(&error) &&
            !error.isEmpty())
            showFailure(platform::keyedText("CannotWrite")
                            .arg(QDir::toNativeSeparators(MyDocument::pathOfNewDocState()), error));
    });
    confirm->open();
}

void WorksheetWindow::showFailure(const QString& message) {
    auto* failure = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(),
                                    message, QMessageBox::Ok, this);
    failure->setWindowModality(Qt::WindowModal);
    failure->setAttribute(Qt::WA_DeleteOnClose);
    failure->open();
}
