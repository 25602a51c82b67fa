#pragma once

#include "platform/document.h"
#include "plist/value.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QDialog;
class QPushButton;
class QMainWindow;
class QTextCharFormat;
class QTextDocument;
class QTimer;
class SymbolsPanel;
class ToolLink;
class WorksheetEditor;
struct SCalcState;

namespace platform {
class DocumentWindow;
}

// One worksheet: its text, its own copy of the calculator state, and its window. Reads the
// native worksheet format, plain text and RTF; always saves the native format.
class MyDocument : public platform::Document {
    Q_OBJECT

public:
    MyDocument();
    ~MyDocument() override;

    bool readFromData(const QByteArray& data, const QString& typeName, QString* error) override;
    QByteArray dataOfType(const QString& typeName, QString* error) override;
    void makeWindowControllers() override;
    QMainWindow* window() const override;
    bool isDocumentEdited() const override;
    // A worksheet with a file asks about unsaved changes; an untitled one closes at once.
    bool canCloseDocument(const std::function<bool()>& standardCloseCheck) override;
    // The first line with text on it.
    QString summary() const override;
    void setDocumentEdited(bool edited) override;

    // Text read from a file or the template, waiting for the window. Null clears it.
    void setString(const QTextDocument* string);
    // Each loader says why it failed in `error`, when given.
    bool loadNativeData(const QByteArray& data, QString* error = nullptr);
    bool loadPlainTextData(const QByteArray& data, QString* error = nullptr);
    bool loadRTFData(const QByteArray& data, QString* error = nullptr);
    // Moves the waiting text into the text view and sets the typing attributes.
    void setLoadedDocData();
    // Sets up the freshly made window: its text, its frame, its calculation tool.
    void windowControllerDidLoadNib();

    // The new-document template: every new worksheet starts from it once the user has saved one.
    static QString pathOfNewDocState();
    // Its contents; empty when there is none.
    static QByteArray dataOfNewDoc();
    // Asks, then saves this worksheet as the template. Nothing in the worksheet changes.
    void saveAsNewDocumentContent();

    // Calculating a line: Return after text on a line sends it to the tool; the reply, the
    // time-out or the tool's end inserts the answer on the next line.
    bool insertNewline();
    void startCalcTask();
    void sendCommandToTask(const QString& line);
    void handleTaskResult(const plist::Dictionary& reply);
    void taskEnded(int status);
    void calcTimedOut();
    // The document's one way of inserting text: in its attributes, in place of the selection;
    // the insertion point follows it.
    void insertString(const QString& text, const QTextCharFormat& attributes);
    // The text, then a line break in the normal attributes, as one edit; the view follows.
    void insertLine(const QString& text, const QTextCharFormat& attributes);
    bool isCalculating() const;

    // The integer-format menu and its two items carry these tags as their data.
    static constexpr int kIntegerFormatMenuTag = 500;
    static constexpr int kDecimalItemTag = 100;
    static constexpr int kHexadecimalItemTag = 101;

    QString formatCalculatedResult(double value) const;

    // Insert the listings of the defined variables or functions at the insertion point.
    void showDefinedVariables();
    void showDefinedFunctions();
    // Pastes the clipboard's text without its commas and dollar signs, as typed text.
    void pasteCleaned();

    // Calculates every calculated line again from the top and replaces the answers that
    // changed, marking them for a moment; one Undo takes it back.
    void recalculateWorksheet();
    // Takes over the state, which the worksheet then owns, and restarts the tool from it.
    void adoptState(SCalcState* state);

    // Printing starts the text at the top of the first page; the PDF gets the same pages.
    void printDocument();
    void exportAsPdf();
    bool writePdf(const QString& path, QString* error) const;

    // The forget sheet: pick a variable (or function) and the worksheet's state forgets it. The
    // running tool keeps it until it is next started.
    void forgetVariable();
    void forgetFunction();
    void forgetSheetOK();
    // Forgets the variable (or function) at once; the running tool keeps it until restarted.
    void forgetSymbol(const QString& name, bool function);
    void forgetSheetCancel();
    QDialog* forgetSheet() const { return oForgetSymbolSheet; }
    QComboBox* forgetPopup() const { return oForgetSymbolPopup; }
    void setIntegerFormat(QAction* sender);
    void setIntegerFormatChecks();
    bool formatsIntegersAsHex() const { return mFormatIntegersAsHex; }
    ToolLink* calcTask() const { return mCalcTask; }

    SCalcState* calcState() const { return mCalcState; }
    const std::optional<QString>& loadedWindowFrame() const { return mLoadedWindowFrame; }
    const std::optional<QFont>& initialTypingFont() const { return mInitialTypingFont; }
    const QString& readNote() const { return mReadNote; }
    bool hasPendingString() const { return mString != nullptr; }

    WorksheetEditor* textView = nullptr;
    SymbolsPanel* symbolsPanel = nullptr;

signals:
    // A calculated line got its answer: a value or a definition (true) or a message (false).
    void calculationFinished(bool succeeded);
    // A recalculation replaced `changed` answers; `allSucceeded` when no line gave an error.
    void recalculationFinished(int changed, bool allSucceeded);
    // The state's symbols, or how their values are shown, changed other than by a calculation.
    void symbolsChanged();

public:
    platform::DocumentWindow* docWindow = nullptr;

private:
    std::unique_ptr<QTextDocument> mString;
    std::optional<QFont> mInitialTypingFont;
    SCalcState* mCalcState = nullptr;
    std::optional<QString> mLoadedWindowFrame;
    // What the user should know about the text read, such as characters that could not be.
    QString mReadNote;
    bool mFormatIntegersAsHex = false;
    QAction* mDecFormatItem = nullptr;
    QAction* mHexFormatItem = nullptr;
    bool mForgettingFunction = false;
    ToolLink* mCalcTask = nullptr;
    QTimer* mCalcTimer = nullptr;
    QString mLineToCalculate;
    // Why the tool could not be started, while it cannot.
    QString mToolStartError;

    QDialog* oForgetSymbolSheet = nullptr;
    QComboBox* oForgetSymbolPopup = nullptr;
    QPushButton* mForgetButton = nullptr;

    static constexpr int kSummaryLength = 60;
    static constexpr int kChangedAnswerMarkMs = 3000;

    void buildCalculateMenu();
    void addPrintCommands();
    // Colours statements from the names the state knows, caught up once a calculation is over.
    void startHighlighting();
    void markChangedAnswers(const QList<int>& blocks);
    void buildForgetSheet();
    void writeNewDocumentContent();
    void openForgetSheet(bool function);
    void keepTypingInTheNormalColour(const QTextCharFormat& format);
};
