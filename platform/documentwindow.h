#pragma once

#include <QMainWindow>

class QMenu;
class QTextEdit;

namespace platform {

class Document;
class DocumentController;

// The window of one document: the File and Edit menus every document shares, the title with
// the file name and the modified mark, and the question about unsaved changes on closing.
// Documents add menus of their own.
class DocumentWindow : public QMainWindow {
    Q_OBJECT

public:
    DocumentWindow(Document* document, DocumentController* controller);

    // Routes the Edit menu to the editor.
    void setEditor(QTextEdit* editor);
    QMenu* editMenu() const { return mEditMenu; }
    // Adds a document command to the File menu, above Quit.
    QAction* addFileCommand(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFileMenu();
    void buildEditMenu();
    void rebuildRecentMenu();
    void rebuildReopenMenu();
    void updateTitle();

    Document* mDocument;
    DocumentController* mController;
    QMenu* mFileMenu = nullptr;
    QAction* mQuitSeparator = nullptr;
    QMenu* mRecentMenu = nullptr;
    QMenu* mReopenMenu = nullptr;
    QMenu* mEditMenu = nullptr;
    QAction* mUndo = nullptr;
    QAction* mRedo = nullptr;
    QAction* mCut = nullptr;
    QAction* mCopy = nullptr;
    QAction* mPaste = nullptr;
    QAction* mSelectAll = nullptr;
    QAction* mRevert = nullptr;
};

} // namespace platform
