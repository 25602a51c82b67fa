// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QMainWindow>

class QMenu;
class QTextEdit;

namespace platform {

// The tallest a text may be laid out, in device pixels. Qt's text layout stops coping a little
// past 8 million pixels (it takes the rest for pages of its own), and a window that hangs loses
// everything, so texts stay well below that: pastes that would pass it are refused, and so are
// zooms.
inline constexpr double kTallestText = 6'000'000;

class Document;
class DocumentController;

// The window of one document: the File, Edit and View menus every document shares, the title
// with the file name and the modified mark, and the question about unsaved changes on closing.
// Documents add menus of their own.
class DocumentWindow : public QMainWindow {
    Q_OBJECT

public:
    DocumentWindow(Document* document, DocumentController* controller);

    // Routes the Edit and View menus to the editor.
    void setEditor(QTextEdit* editor);
    // Turns the commands that change the text (Undo, Redo, Cut, Paste) off and on again, for
    // while the document has the text to itself.
    void setEditingEnabled(bool enabled);
    QMenu* editMenu() const { return mEditMenu; }
    QMenu* viewMenu() const { return mViewMenu; }

    // How large the editor shows its text, 1 being actual size. Only the view changes: the
    // document keeps its fonts, so saving, printing and undo never see the zoom.
    double zoom() const { return mZoom; }
    void zoomIn();
    void zoomOut();
    void resetZoom();
    // Adds a document command to the File menu, above Quit.
    QAction* addFileCommand(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void setZoom(double zoom);
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
    QMenu* mViewMenu = nullptr;
    QAction* mZoomIn = nullptr;
    QAction* mZoomOut = nullptr;
    QAction* mActualSize = nullptr;
    QTextEdit* mEditor = nullptr;
    double mZoom = 1.0;
    bool mEditingEnabled = true;
    void updateEditCommands();
    // The device the editor's text is laid out for: the screen's resolution times the zoom.
    QImage mZoomDevice;
};

} // namespace platform
