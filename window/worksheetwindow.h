#pragma once

#include "platform/documentwindow.h"

#include <QList>

class ForgetSymbolDialog;
class FunctionReferencePanel;
class MyDocument;
class QAction;
class SymbolsPanel;
class WorksheetEditor;

// A worksheet's window: its editor, the Calculate menu, printing and exporting, Paste Without
// Commas and $, the symbols panel and the Help menu, each command routed to the worksheet.
class WorksheetWindow : public platform::DocumentWindow {
    Q_OBJECT

public:
    WorksheetWindow(MyDocument* worksheet, platform::DocumentController* controller);

    WorksheetEditor* editor() const { return mEditor; }
    SymbolsPanel* symbolsPanel() const { return mSymbolsPanel; }
    FunctionReferencePanel* functionReference() const { return mFunctionReference; }
    // The forget sheet, made on first use.
    ForgetSymbolDialog* forgetDialog();

    // While the text waits for answers it is read-only and the commands that change it are
    // off; Stop Updating is on while an update or a recalculation runs.
    void setWaitingForAnswers(bool waiting, bool updating);
    // Checks the integer format the worksheet shows.
    void showIntegerFormat(bool hexadecimal);

    // Asks for a printer and prints the worksheet on it.
    void print();
    // Asks for a file and writes the worksheet's pages to it as a PDF.
    void exportAsPdf();
    // Asks whether new worksheets should start from this one, and saves it as their template.
    void askToSaveAsTemplate();

private:
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

    MyDocument* mWorksheet;
    WorksheetEditor* mEditor;
    SymbolsPanel* mSymbolsPanel = nullptr;
    FunctionReferencePanel* mFunctionReference = nullptr;
    ForgetSymbolDialog* mForgetDialog = nullptr;
    // Commands that change the text.
    QList<QAction*> mTextCommands;
    QAction* mStopUpdating = nullptr;
    QAction* mDecimalItem = nullptr;
    QAction* mHexadecimalItem = nullptr;
};
