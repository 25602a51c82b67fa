// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/documentwindow.h"
#include "worksheet/worksheetoptions.h"

#include <QList>

class ForgetSymbolDialog;
class FunctionReferencePanel;
class MyDocument;
class QAction;
class QTextCharFormat;
class SymbolsPanel;
class WorksheetPanel;
class Worksheet;
class WorksheetEditor;

// A worksheet's window: its editor over the worksheet's text, the Calculate menu, printing and
// exporting, Paste Without Commas and $, the symbols panel and the Help menu, each command
// routed to the worksheet. It follows the worksheet's signals and changes it only through its
// public functions.
class WorksheetWindow : public platform::DocumentWindow {
    Q_OBJECT

public:
    WorksheetWindow(MyDocument* document, platform::DocumentController* controller);

    WorksheetEditor* editor() const { return mEditor; }
    SymbolsPanel* symbolsPanel() const { return mSymbolsPanel; }
    FunctionReferencePanel* functionReference() const { return mFunctionReference; }
    // The forget sheet, made on first use.
    ForgetSymbolDialog* forgetDialog();

    // Asks for a printer and prints the worksheet on it.
    void print();
    // Asks for a file and writes the worksheet's pages to it as a PDF.
    void exportAsPdf();
    // Asks whether new worksheets should start from this one, and saves it as their template.
    void askToSaveAsTemplate();
    // Opens the forget sheet for the variables or the functions.
    void askWhatToForget(bool functions);

signals:
    // The user chose other options, for every worksheet.
    void optionsChosen(const WorksheetOptions& options);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Follows the worksheet: its answers, its waiting, its messages.
    void followWorksheet();
    void followForScreenReaders();
    void followFromTheKeyboard(WorksheetPanel* panel);
    void addPanelKeys();
    void focusNextPlace(bool backwards);
    // While the text waits for answers it is read-only and the commands that change it are
    // off; Stop Updating is on while an update or a recalculation runs.
    void setWaitingForAnswers(bool waiting, bool updating);
    // Return in the editor: the worksheet calculates the line when there is one.
    bool calculateHere();
    // Inserts the line at the insertion point, as the worksheet writes its own lines.
    void insertLine(const QString& text, const QTextCharFormat& format);
    void goOnAfter(int answerBlock);
    // Colours statements from the names the state knows, caught up once a calculation is over.
    void startHighlighting();
    void keepTypingInTheNormalColour(const QTextCharFormat& format);
    // Tells the worksheet where the window is, for its file to keep.
    void noteFrame();
    // The area of its screen windows may take.
    QRect availableArea() const;
    void addFileCommands();
    void showFailure(const QString& message);
    void buildCalculateMenu();
    void addSymbolsPanel(QMenu* calculate);
    void addIntegerFormats(QMenu* calculate);
    void buildHelpMenu();
    // Types the text at the insertion point, as the keyboard would.
    void typeIntoWorksheet(const QString& text);
    void showShortcuts();
    void showAbout();

    MyDocument* mDocument;
    Worksheet* mWorksheet;
    WorksheetEditor* mEditor;
    SymbolsPanel* mSymbolsPanel = nullptr;
    FunctionReferencePanel* mFunctionReference = nullptr;
    ForgetSymbolDialog* mForgetDialog = nullptr;
    // Commands that change the text.
    QList<QAction*> mTextCommands;
    QAction* mStopUpdating = nullptr;
    QAction* mUpdateDependents = nullptr;
    QAction* mDecimalItem = nullptr;
    QAction* mHexadecimalItem = nullptr;
};
