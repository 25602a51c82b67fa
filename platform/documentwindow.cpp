#include "platform/documentwindow.h"

#include "platform/document.h"
#include "platform/closeddocumentarchive.h"
#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenuBar>
#include <QTextEdit>

namespace platform {

DocumentWindow::DocumentWindow(Document* document, DocumentController* controller)
    : mDocument(document), mController(controller) {
    buildFileMenu();
    buildEditMenu();
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
    mReopenMenu = file->addMenu(tr("Reopen Closed &Worksheet"));
    connect(mReopenMenu, &QMenu::aboutToShow, this, &DocumentWindow::rebuildReopenMenu);
    mReopenMenu->menuAction()->setVisible(mController->closedDocumentArchive() != nullptr);
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);
    file->addAction(tr("&Save"), QKeySequence::Save, this,
                    [this] { mController->saveDocument(mDocument); });
    file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this,
                    [this] { mController->saveDocumentAs(mDocument); });
    mRevert = file->addAction(tr("Re&vert to Saved"), this,
                              [this] { mController->revertDocument(mDocument); });
    connect(file, &QMenu::aboutToShow, this, [this] {
        mRevert->setEnabled(!mDocument->filePath().isEmpty() && mDocument->isDocumentEdited());
    });
    mQuitSeparator = file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), QKeySequence::Quit, mController, [this] {
        if (mController->closeAllDocuments())
            QApplication::quit();
    });
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

void DocumentWindow::setEditor(QTextEdit* editor) {
    connect(mUndo, &QAction::triggered, editor, &QTextEdit::undo);
    connect(mRedo, &QAction::triggered, editor, &QTextEdit::redo);
    connect(mCut, &QAction::triggered, editor, &QTextEdit::cut);
    connect(mCopy, &QAction::triggered, editor, &QTextEdit::copy);
    connect(mPaste, &QAction::triggered, editor, &QTextEdit::paste);
    connect(mSelectAll, &QAction::triggered, editor, &QTextEdit::selectAll);
    mUndo->setEnabled(false);
    mRedo->setEnabled(false);
    mCut->setEnabled(false);
    mCopy->setEnabled(false);
    connect(editor, &QTextEdit::undoAvailable, mUndo, &QAction::setEnabled);
    connect(editor, &QTextEdit::redoAvailable, mRedo, &QAction::setEnabled);
    connect(editor, &QTextEdit::copyAvailable, mCut, &QAction::setEnabled);
    connect(editor, &QTextEdit::copyAvailable, mCopy, &QAction::setEnabled);
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
        const QString when =
            QLocale().toString(entry.closedAt.toLocalTime(), QLocale::ShortFormat);
        const QString title = entry.title.isEmpty() ? keyedText("Untitled") : entry.title;
        mReopenMenu->addAction(keyedText("ClosedWorksheetItem").arg(title, when), mController,
                               [this, path = entry.path] {
                                   mController->reopenClosedDocument(path);
                               });
    }
    if (kept.isEmpty())
        mReopenMenu->addAction(keyedText("NoClosedWorksheets"))->setEnabled(false);
}

void DocumentWindow::updateTitle() {
    // "[*]" is where Qt shows the modified mark.
    if (mDocument->filePath().isEmpty()) {
        setWindowFilePath(QString());
        setWindowTitle(mDocument->displayName() + QStringLiteral("[*]"));
    } else {
        setWindowTitle(QString());
        setWindowFilePath(mDocument->filePath());
    }
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (mController->closeDocument(mDocument))
        event->accept();
    else
        event->ignore();
}

} // namespace platform
