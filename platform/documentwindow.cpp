// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/documentwindow.h"

#include "platform/closeddocumentarchive.h"
#include "platform/document.h"
#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMenuBar>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <iterator>

namespace platform {

namespace {

// The steps a browser offers, so that a few presses go a long way and back lands on 100%.
constexpr double kZoomSteps[] = {0.5, 0.67, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

// The platform theme's keys for a standard command, and ours after them when the theme lacks
// it: Qt's generic theme has none for Save As or Full Screen, and some themes close with Ctrl+F4
// alone. The theme's first key stays the one the menu shows.
QList<QKeySequence> keysWithFallback(QKeySequence::StandardKey command, const QKeySequence& ours) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (!keys.contains(ours))
        keys.append(ours);
    return keys;
}

// Sets the keys and names the action, so that tests and the shortcut list can find it.
void setCommandKeys(QAction* action, const char* name, const QList<QKeySequence>& keys) {
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
}

} // namespace

DocumentWindow::DocumentWindow(Document* document, DocumentController* controller)
    : mDocument(document), mController(controller) {
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    updateTitle();
    connect(document, &Document::filePathChanged, this, &DocumentWindow::updateTitle);
}

void DocumentWindow::buildFileMenu() {
    QMenu* file = mFileMenu = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, mController,
                    [this] { mController->newDocument(); });
    file->addAction(tr("&Open…"), QKeySequence::Open, this,
                    [this] { mController->openDocumentsInteractively(this); });
    mRecentMenu = file->addMenu(tr("Open &Recent"));
    connect(mController, &DocumentController::recentFilesChanged, this,
            &DocumentWindow::rebuildRecentMenu);
    rebuildRecentMenu();
    mReopenMenu = file->addMenu(mController->documentType().reopenClosedMenu);
    connect(mReopenMenu, &QMenu::aboutToShow, this, &DocumentWindow::rebuildReopenMenu);
    mReopenMenu->menuAction()->setVisible(mController->closedDocumentArchive() != nullptr);
    file->addSeparator();
    setCommandKeys(file->addAction(tr("&Close"), this, &QWidget::close), "close",
                   keysWithFallback(QKeySequence::Close, QKeySequence(Qt::CTRL | Qt::Key_W)));
    file->addAction(tr("&Save"), QKeySequence::Save, this,
                    [this] { mController->saveDocument(mDocument); });
    setCommandKeys(
        file->addAction(tr("Save &As…"), this, [this] { mController->saveDocumentAs(mDocument); }),
        "saveAs",
        keysWithFallback(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    mRevert = file->addAction(tr("Re&vert to Saved"), this,
                              [this] { mController->revertDocument(mDocument); });
    connect(file, &QMenu::aboutToShow, this, [this] {
        mRevert->setEnabled(!mDocument->filePath().isEmpty() && mDocument->isDocumentEdited());
    });
    mQuitSeparator = file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), mController, [this] {
        if (mController->closeAllDocuments())
            QApplication::quit();
    });
    setCommandKeys(quit, "quit",
                   keysWithFallback(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    quit->setMenuRole(QAction::QuitRole);
}

QAction* DocumentWindow::addFileCommand(const QString& text) {
    auto* command = new QAction(text, mFileMenu);
    mFileMenu->insertAction(mQuitSeparator, command);
    return command;
}

void DocumentWindow::buildEditMenu() {
    mEditMenu = menuBar()->addMenu(tr("&Edit"));
    mUndo = mEditMenu->addAction(tr("&Undo"));
    mUndo->setShortcut(QKeySequence::Undo);
    mRedo = mEditMenu->addAction(tr("&Redo"));
    mRedo->setShortcut(QKeySequence::Redo);
    mEditMenu->addSeparator();
    mCut = mEditMenu->addAction(tr("Cu&t"));
    mCut->setShortcut(QKeySequence::Cut);
    mCopy = mEditMenu->addAction(tr("&Copy"));
    mCopy->setShortcut(QKeySequence::Copy);
    mPaste = mEditMenu->addAction(tr("&Paste"));
    mPaste->setShortcut(QKeySequence::Paste);
    mEditMenu->addSeparator();
    mSelectAll = mEditMenu->addAction(tr("Select &All"));
    mSelectAll->setShortcut(QKeySequence::SelectAll);
}

void DocumentWindow::buildViewMenu() {
    mViewMenu = menuBar()->addMenu(tr("&View"));
    mZoomIn = mViewMenu->addAction(tr("Zoom &In"), this, &DocumentWindow::zoomIn);
    // Ctrl+= is Ctrl++ without the Shift that "+" needs on most keyboards.
    setCommandKeys(mZoomIn, "zoomIn",
                   keysWithFallback(QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)));
    mZoomOut = mViewMenu->addAction(tr("Zoom &Out"), QKeySequence::ZoomOut, this,
                                    &DocumentWindow::zoomOut);
    // No standard key for it; Ctrl+0 is what every browser and editor uses.
    mActualSize = mViewMenu->addAction(tr("&Actual Size"), QKeySequence(tr("Ctrl+0")), this,
                                       &DocumentWindow::resetZoom);
    mViewMenu->addSeparator();
    QAction* fullScreen = mViewMenu->addAction(tr("&Full Screen"));
    setCommandKeys(fullScreen, "fullScreen",
                   keysWithFallback(QKeySequence::FullScreen, QKeySequence(Qt::Key_F11)));
    fullScreen->setCheckable(true);
    connect(fullScreen, &QAction::toggled, this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen
                          : windowState() & ~Qt::WindowFullScreen);
    });
    for (QAction* zoomCommand : {mZoomIn, mZoomOut, mActualSize})
        zoomCommand->setEnabled(false);
}

void DocumentWindow::zoomIn() {
    const auto* next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), mZoom);
    if (next == std::end(kZoomSteps) || !mEditor)
        return;
    // Lines grow with the zoom, and so does the number of them that wrap.
    const double growth = *next / mZoom;
    if (mEditor->document()->documentLayout()->documentSize().height() * growth * growth >
        kTallestText)
        return;
    setZoom(*next);
}

void DocumentWindow::zoomOut() {
    const auto* next = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), mZoom);
    if (next != std::begin(kZoomSteps))
        setZoom(*std::prev(next));
}

void DocumentWindow::resetZoom() { setZoom(1.0); }

void DocumentWindow::setZoom(double zoom) {
    if (!mEditor)
        return;
    mZoom = zoom;
    QTextDocument* document = mEditor->document();
    // QTextEdit::zoomIn() only scales text without a size of its own, and a worksheet's text
    // always has one. Laying the text out for a device of a higher resolution scales every
    // size alike, and leaves the document's formats untouched.
    if (zoom == 1.0) {
        document->documentLayout()->setPaintDevice(nullptr);
    } else {
        const double dotsPerMeter = mEditor->logicalDpiY() * zoom / 0.0254;
        mZoomDevice = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        mZoomDevice.setDotsPerMeterX(qRound(dotsPerMeter));
        mZoomDevice.setDotsPerMeterY(qRound(dotsPerMeter));
        document->documentLayout()->setPaintDevice(&mZoomDevice);
    }
    document->markContentsDirty(0, document->characterCount());
    mZoomIn->setEnabled(zoom < kZoomSteps[std::size(kZoomSteps) - 1]);
    mZoomOut->setEnabled(zoom > kZoomSteps[0]);
    mActualSize->setEnabled(zoom != 1.0);
}

void DocumentWindow::setEditor(QTextEdit* editor) {
    mEditor = editor;
    setZoom(1.0);
    connect(mUndo, &QAction::triggered, editor, &QTextEdit::undo);
    connect(mRedo, &QAction::triggered, editor, &QTextEdit::redo);
    connect(mCut, &QAction::triggered, editor, &QTextEdit::cut);
    connect(mCopy, &QAction::triggered, editor, &QTextEdit::copy);
    connect(mPaste, &QAction::triggered, editor, &QTextEdit::paste);
    connect(mSelectAll, &QAction::triggered, editor, &QTextEdit::selectAll);
    mCopy->setEnabled(false);
    connect(editor, &QTextEdit::copyAvailable, mCopy, &QAction::setEnabled);
    for (auto changed :
         {&QTextEdit::undoAvailable, &QTextEdit::redoAvailable, &QTextEdit::copyAvailable})
        connect(editor, changed, this, &DocumentWindow::updateEditCommands);
    updateEditCommands();
}

void DocumentWindow::setEditingEnabled(bool enabled) {
    mEditingEnabled = enabled;
    updateEditCommands();
}

void DocumentWindow::updateEditCommands() {
    const QTextDocument* text = mEditor->document();
    mUndo->setEnabled(mEditingEnabled && text->isUndoAvailable());
    mRedo->setEnabled(mEditingEnabled && text->isRedoAvailable());
    mCut->setEnabled(mEditingEnabled && mEditor->textCursor().hasSelection());
    mPaste->setEnabled(mEditingEnabled);
}

void DocumentWindow::rebuildRecentMenu() {
    mRecentMenu->clear();
    const QStringList files = mController->recentFiles();
    for (const QString& path : files) {
        mRecentMenu
            ->addAction(QFileInfo(path).fileName(), this,
                        [this, path] { mController->openDocument(path); })
            ->setToolTip(QDir::toNativeSeparators(path));
    }
    mRecentMenu->addSeparator();
    QAction* clear = mRecentMenu->addAction(tr("Clear Menu"), mController,
                                            &DocumentController::clearRecentFiles);
    clear->setEnabled(!files.isEmpty());
}

void DocumentWindow::rebuildReopenMenu() {
    mReopenMenu->clear();
    const ClosedDocumentArchive* archive = mController->closedDocumentArchive();
    const QList<ClosedDocumentArchive::Entry> kept =
        archive ? archive->entries() : QList<ClosedDocumentArchive::Entry>();
    for (const ClosedDocumentArchive::Entry& entry : kept) {
        const QString when = QLocale().toString(entry.closedAt.toLocalTime(), QLocale::ShortFormat);
        const QString title = entry.title.isEmpty() ? keyedText("Untitled") : entry.title;
        mReopenMenu->addAction(
            keyedText("ClosedWorksheetItem").arg(title, when), mController,
            [this, path = entry.path] { mController->reopenClosedDocument(path); });
    }
    if (kept.isEmpty())
        mReopenMenu->addAction(mController->documentType().noClosedDocuments)->setEnabled(false);
}

void DocumentWindow::updateTitle() {
    // "budget — Figurello" whatever the kind of file. "[*]" is where Qt shows the modified mark.
    setWindowFilePath(mDocument->filePath());
    setWindowTitle(
        tr("%1[*] — %2").arg(mDocument->titleName(), QGuiApplication::applicationDisplayName()));
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (mController->closeDocument(mDocument))
        event->accept();
    else
        event->ignore();
}

} // namespace platform
