// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/worksheetwindow.h"

#include "platform/documentcontroller.h"
#include "platform/filetypes.h"
#include "platform/keyedtexts.h"
#include "platform/savedframe.h"
#include "platform/shortcutsdialog.h"
#include "window/answermarkspainter.h"
#include "window/chartunderpointer.h"
#include "window/followcolourscheme.h"
#include "window/forgetsymboldialog.h"
#include "window/functionreferencepanel.h"
#include "window/mydocument.h"
#include "window/namecompleter.h"
#include "window/statementhighlighter.h"
#include "window/symbolspanel.h"
#include "window/worksheeteditor.h"
#include "window/worksheetprinting.h"
#include "worksheet/answerformats.h"
#include "worksheet/answermarks.h"
#include "worksheet/newdocumenttemplate.h"
#include "worksheet/spokenanswer.h"
#include "worksheet/symbollisting.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheetwriting.h"

#include <QAccessible>
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
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// Long enough to read twice.
constexpr int kRefusalShownMs = 6000;

} // namespace

WorksheetWindow::WorksheetWindow(MyDocument* document, platform::DocumentController* controller)
    : platform::DocumentWindow(document, controller), mDocument(document),
      mWorksheet(document->worksheet()), mEditor(new WorksheetEditor(this)) {
    mWorksheet->prepareTextForView();
    mEditor->setDocument(mWorksheet->text());
    mEditor->setCurrentCharFormat(mWorksheet->typingFormat());
    mEditor->setReturnHandler([this] { return calculateHere(); });
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
    connect(pasteCleaned, &QAction::triggered, this, [this] {
        if (!mWorksheet->isCalculating())
            mEditor->pasteWithout(QStringLiteral(",$"));
    });
    mTextCommands.append(pasteCleaned);
    addFileCommands();
    buildCalculateMenu();
    buildHelpMenu();
    addPanelKeys();
    followWorksheet();
    resize(kDefaultWindowSize);
    // Where the worksheet was saved from, on this desktop's screen.
    if (const std::optional<QString>& saved = mWorksheet->loadedWindowFrame()) {
        const QRect frame = platform::frameFromSavedString(*saved, availableArea());
        if (!frame.isNull())
            setGeometry(frame);
    }
}

QRect WorksheetWindow::availableArea() const {
    const QScreen* shown = screen();
    return shown ? shown->availableGeometry() : QRect(0, 0, 1280, 800);
}

void WorksheetWindow::followWorksheet() {
    followColourScheme(mEditor);
    new AnswerMarksPainter(mWorksheet->answerMarks(), mEditor);
    NameCompleter* names = mEditor->nameCompleter();
    names->setNameSource([this] { return definedNames(*mWorksheet->state()); });
    connect(mWorksheet, &Worksheet::namesChanged, names, &NameCompleter::namesChanged);
    connect(mEditor, &QTextEdit::currentCharFormatChanged, this,
            &WorksheetWindow::keepTypingInTheNormalColour);
    connect(mWorksheet, &Worksheet::waitingChanged, this, &WorksheetWindow::setWaitingForAnswers);
    connect(mWorksheet, &Worksheet::calculationFinished, mEditor, &QTextEdit::ensureCursorVisible);
    connect(mWorksheet, &Worksheet::syntaxErrorAt, this, [this](int from, int to) {
        // What the parser did not accept is selected, wherever the insertion point was.
        QTextCursor selection(mWorksheet->text());
        selection.setPosition(from);
        selection.setPosition(to, QTextCursor::KeepAnchor);
        mEditor->setTextCursor(selection);
    });
    connect(mWorksheet, &Worksheet::continueAfter, this, &WorksheetWindow::goOnAfter);
    connect(mWorksheet, &Worksheet::notice, this, [this](const QString& text, int milliseconds) {
        statusBar()->showMessage(text, milliseconds);
        mEditor->announce(text, mEditor->textCursor().position());
    });
    followForScreenReaders();
    connect(mWorksheet, &Worksheet::integerFormatChanged, this, [this](bool hexadecimal) {
        mDecimalItem->setChecked(!hexadecimal);
        mHexadecimalItem->setChecked(hexadecimal);
    });
    connect(mWorksheet, &Worksheet::optionsChanged, this, [this](const WorksheetOptions& options) {
        mUpdateDependents->setChecked(options.updatesDependents);
    });
    startHighlighting();
}

void WorksheetWindow::followForScreenReaders() {
    // A chart reads as its description, and an answer out of date says so: its strike-through
    // is drawn over the text, not part of it.
    mEditor->setLineDescriber([this](const QTextBlock& line) {
        const AnswerMarks* marks = mWorksheet->answerMarks();
        const bool outOfDate = marks->isOutOfDate(line);
        if (!outOfDate && !chartOfLine(line))
            return QString();
        return spokenAnswerLine(line, mWorksheet->options().commaIsDecimal, outOfDate);
    });
    connect(mWorksheet->answerMarks(), &AnswerMarks::changed, mEditor,
            &WorksheetEditor::describeInsertionPoint);
    connect(mWorksheet, &Worksheet::answerArrived, this, [this](int statement, int position) {
        if (!QAccessible::isActive())
            return;
        const QTextBlock line = mWorksheet->text()->findBlockByNumber(statement);
        mEditor->announce(spokenAnswer(line, mWorksheet->options().commaIsDecimal), position);
    });
}

void WorksheetWindow::moveEvent(QMoveEvent* event) {
    platform::DocumentWindow::moveEvent(event);
    noteFrame();
}

void WorksheetWindow::resizeEvent(QResizeEvent* event) {
    platform::DocumentWindow::resizeEvent(event);
    noteFrame();
}

void WorksheetWindow::noteFrame() {
    // The window's own area, without the decorations: that is what setGeometry() restores, and
    // window managers decorate differently.
    mWorksheet->setWindowFrame(platform::savedFrameString(geometry(), availableArea()));
}

bool WorksheetWindow::calculateHere() {
    if (!mWorksheet->calculateAt(mEditor->textCursor()))
        return false;
    // Queued after the link's short wait for a quick answer: an answer that takes longer
    // should not leave the new line out of sight meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (mWorksheet->isCalculating())
                mEditor->ensureCursorVisible();
        },
        Qt::QueuedConnection);
    return true;
}

void WorksheetWindow::goOnAfter(int answerBlock) {
    const QTextBlock after = mWorksheet->text()->findBlockByNumber(answerBlock + 1);
    if (after.isValid())
        mEditor->setTextCursor(QTextCursor(after));
    else
        mEditor->moveCursor(QTextCursor::End);
    mEditor->ensureCursorVisible();
}

void WorksheetWindow::insertLine(const QString& text, const QTextCharFormat& format) {
    // Through a copy of the editor's cursor: its own moves along with the insertion.
    mWorksheet->insertLine(mEditor->textCursor(), text, format);
    mEditor->ensureCursorVisible();
}

void WorksheetWindow::startHighlighting() {
    // Attached once the text is in; the first names colour the whole text in one pass, and
    // from then on each edit recolours the lines it touched.
    auto* highlighter = new StatementHighlighter(mWorksheet->text(), this);
    auto* namesChangedLater = new QTimer(this);
    namesChangedLater->setSingleShot(true);
    namesChangedLater->setInterval(0);
    connect(namesChangedLater, &QTimer::timeout, highlighter, [this, highlighter] {
        highlighter->setNames(variableNames(*mWorksheet->state()),
                              functionNames(*mWorksheet->state()));
    });
    connect(mWorksheet, &Worksheet::namesChanged, namesChangedLater,
            [namesChangedLater] { namesChangedLater->start(); });
    namesChangedLater->start();
}

void WorksheetWindow::keepTypingInTheNormalColour(const QTextCharFormat& format) {
    // Typing after or inside a coloured answer is ordinary text again. Not while text is
    // selected: the format would go onto the selection, an edit of its own for Undo to find.
    if (format.hasProperty(QTextFormat::ForegroundBrush) && !mEditor->textCursor().hasSelection()) {
        QTextCharFormat typing = format;
        typing.clearForeground();
        mEditor->setCurrentCharFormat(typing);
        return;
    }
    // The file records the font typing takes.
    mWorksheet->setTypingFormat(format);
}

void WorksheetWindow::addFileCommands() {
    connect(addFileCommand(tr("Save as &Template for New Worksheets…")), &QAction::triggered, this,
            &WorksheetWindow::askToSaveAsTemplate);
    connect(addFileCommand(tr("&Export as PDF…")), &QAction::triggered, this,
            &WorksheetWindow::exportAsPdf);
    QAction* print = addFileCommand(tr("&Print…"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &WorksheetWindow::print);
}

void WorksheetWindow::buildCalculateMenu() {
    QMenu* calculate = menuBar()->addMenu(tr("&Calculate"));
    mTextCommands.append({
        calculate->addAction(
            tr("List &Variables"), QKeySequence(tr("Ctrl+Shift+L")), this,
            [this] { insertLine(mWorksheet->variablesListing(), successFormat()); }),
        calculate->addAction(
            tr("List &Functions"), QKeySequence(tr("Ctrl+Shift+F")), this,
            [this] { insertLine(mWorksheet->functionsListing(), successFormat()); }),
        calculate->addAction(tr("Forget V&ariable…"), this, [this] { askWhatToForget(false); }),
        calculate->addAction(tr("Forget F&unction…"), this, [this] { askWhatToForget(true); }),
    });
    calculate->addSeparator();
    mTextCommands.append(calculate->addAction(tr("&Recalculate Worksheet"),
                                              QKeySequence(tr("Ctrl+Shift+R")), mWorksheet,
                                              &Worksheet::recalculate));
    mUpdateDependents = calculate->addAction(tr("Update &Dependent Answers"));
    mUpdateDependents->setCheckable(true);
    mUpdateDependents->setChecked(mWorksheet->options().updatesDependents);
    connect(mUpdateDependents, &QAction::triggered, this, [this](bool on) {
        WorksheetOptions options = mWorksheet->options();
        options.updatesDependents = on;
        emit optionsChosen(options);
    });
    mStopUpdating = calculate->addAction(tr("S&top Updating"), QKeySequence(Qt::Key_Escape),
                                         mWorksheet, &Worksheet::stopUpdating);
    mStopUpdating->setEnabled(false);
    addSymbolsPanel(calculate);
    calculate->addSeparator();
    addIntegerFormats(calculate);
}

void WorksheetWindow::addSymbolsPanel(QMenu* calculate) {
    mSymbolsPanel = new SymbolsPanel(mWorksheet);
    connect(mSymbolsPanel, &SymbolsPanel::insertionRequested, this,
            &WorksheetWindow::typeIntoWorksheet);
    addDockWidget(Qt::RightDockWidgetArea, mSymbolsPanel);
    mSymbolsPanel->hide();
    QAction* showSymbols = mSymbolsPanel->toggleViewAction();
    showSymbols->setText(tr("&Symbols Panel"));
    showSymbols->setShortcut(QKeySequence(tr("Ctrl+Shift+Y")));
    calculate->addAction(showSymbols);
    followFromTheKeyboard(mSymbolsPanel);
}

void WorksheetWindow::followFromTheKeyboard(WorksheetPanel* panel) {
    // Showing a panel goes to it; hiding it, or Escape in it, comes back to the text.
    connect(panel->toggleViewAction(), &QAction::triggered, this, [this, panel](bool shown) {
        if (shown)
            panel->setFocus();
        else
            mEditor->setFocus();
    });
    connect(panel, &WorksheetPanel::leaveRequested, mEditor,
            [this] { mEditor->setFocus(Qt::OtherFocusReason); });
}

void WorksheetWindow::addPanelKeys() {
    // F6 goes round the text and the panels shown, as in most desktop applications.
    QAction* next = viewMenu()->addAction(tr("Go to &Next Panel"));
    next->setShortcut(QKeySequence(Qt::Key_F6));
    connect(next, &QAction::triggered, this, [this] { focusNextPlace(false); });
    QAction* previous = viewMenu()->addAction(tr("Go to &Previous Panel"));
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(previous, &QAction::triggered, this, [this] { focusNextPlace(true); });
}

void WorksheetWindow::focusNextPlace(bool backwards) {
    QList<QWidget*> places = {mEditor};
    for (QDockWidget* panel :
         {static_cast<QDockWidget*>(mSymbolsPanel), static_cast<QDockWidget*>(mFunctionReference)})
        if (panel->isVisible())
            places.append(panel);
    qsizetype here = 0;
    for (qsizetype i = 0; i < places.size(); ++i)
        if (places[i] == focusWidget() || places[i]->isAncestorOf(focusWidget()))
            here = i;
    const qsizetype count = places.size();
    places[(here + (backwards ? count - 1 : 1)) % count]->setFocus(Qt::ShortcutFocusReason);
}

void WorksheetWindow::addIntegerFormats(QMenu* calculate) {
    QMenu* integers = calculate->addMenu(tr("&Integers"));
    auto* group = new QActionGroup(integers);
    mDecimalItem = integers->addAction(tr("&Decimal"));
    mHexadecimalItem = integers->addAction(tr("&Hexadecimal"));
    for (QAction* item : {mDecimalItem, mHexadecimalItem}) {
        item->setCheckable(true);
        group->addAction(item);
        const bool hexadecimal = item == mHexadecimalItem;
        connect(item, &QAction::triggered, mWorksheet,
                [this, hexadecimal] { mWorksheet->setIntegersAsHex(hexadecimal); });
    }
    mDecimalItem->setChecked(!mWorksheet->integersAsHex());
    mHexadecimalItem->setChecked(mWorksheet->integersAsHex());
}

void WorksheetWindow::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    mFunctionReference = new FunctionReferencePanel(mWorksheet->options().commaIsDecimal, this);
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
        // Wide enough for every column, as far as half the screen allows; narrower than that,
        // what each entry does wraps, but the name and the example stay whole. The window grows
        // where the screen has room, so that the worksheet keeps as much as the reference.
        const QRect screen = availableArea();
        const int wanted =
            std::min(mFunctionReference->sizeHint().width(),
                     std::max(screen.width() / 2, mFunctionReference->narrowestWholeWidth()));
        if (width() < 2 * wanted && !isMaximized() && !isFullScreen()) {
            QRect frame = geometry();
            frame.setWidth(std::min(2 * wanted, screen.width()));
            if (frame.right() > screen.right())
                frame.moveRight(screen.right());
            setGeometry(frame);
        }
        if (mFunctionReference->width() < wanted)
            resizeDocks({mFunctionReference}, {wanted}, Qt::Horizontal);
    });
    help->addAction(reference);
    followFromTheKeyboard(mFunctionReference);
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
           "<p>Free software: you may share and change it under the terms of the "
           "<a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GNU General Public License, "
           "version 3 or later</a>. It comes with no warranty.</p>"
           "<p>Built with Qt %2, running on Qt %3.</p>")
            .arg(QCoreApplication::applicationVersion(), QStringLiteral(QT_VERSION_STR),
                 QString::fromLatin1(qVersion())));
}

ForgetSymbolDialog* WorksheetWindow::forgetDialog() {
    if (!mForgetDialog) {
        mForgetDialog = new ForgetSymbolDialog(this);
        connect(mForgetDialog, &ForgetSymbolDialog::forgetChosen, this, [this] {
            if (!mForgetDialog->chosenName().isEmpty())
                mWorksheet->forget(mForgetDialog->chosenName(), mForgetDialog->forgetsFunctions());
            mForgetDialog->accept();
        });
    }
    return mForgetDialog;
}

void WorksheetWindow::askWhatToForget(bool functions) {
    ForgetSymbolDialog* sheet = forgetDialog();
    const SCalcState& state = *mWorksheet->state();
    if (functions) {
        sheet->offer(sortedSymbolNames(state, SymbolKind::kFunction), true);
    } else {
        // Each variable with its value, as the listing shows it.
        sheet->offer(sortedSymbolNames(state, SymbolKind::kVariable), false,
                     sortedVariableLines(
                         state, [this](double value) { return mWorksheet->formatValue(value); }));
    }
    sheet->open();
}

void WorksheetWindow::setWaitingForAnswers(bool waiting, bool updating) {
    mEditor->setReadOnly(waiting);
    setEditingEnabled(!waiting);
    for (QAction* command : std::as_const(mTextCommands))
        command->setEnabled(!waiting);
    mStopUpdating->setEnabled(waiting && updating);
}

void WorksheetWindow::print() {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(worksheetPageLayout());
    printer->setDocName(mDocument->displayName());
    auto* dialog = new QPrintDialog(printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The dialog's connection keeps the printer alive for as long as the dialog lives.
    connect(dialog, &QDialog::accepted, this,
            [this, printer] { mEditor->document()->print(printer.get()); });
    dialog->open();
}

void WorksheetWindow::exportAsPdf() {
    const QString folder =
        mDocument->hasFileLocation()
            ? QFileInfo(mDocument->filePath().isEmpty() ? mDocument->originPath()
                                                        : mDocument->filePath())
                  .absolutePath()
            : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(
        this, tr("Export as PDF"),
        folder + '/' + QFileInfo(mDocument->displayName()).completeBaseName() +
            QStringLiteral(".pdf"),
        platform::keyedText("PdfFilter"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!writeWorksheetPdf(*mWorksheet->text(), path, mDocument->displayName(), &error))
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
        if (confirm->clickedButton() == ok && !mDocument->writeAsTemplate(&error) &&
            !error.isEmpty())
            showFailure(platform::keyedText("CannotWrite")
                            .arg(QDir::toNativeSeparators(newDocumentTemplatePath()), error));
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
