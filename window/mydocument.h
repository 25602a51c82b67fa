#pragma once

#include "engine/calcengine.h"
#include "platform/document.h"
#include "plist/value.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QDialog;
class QPushButton;
class QMainWindow;
class QTextDocument;
class AnswerMarks;
class CalcSession;
class Recalculation;
class SymbolsPanel;
class ToolLink;
struct CalcOutcome;
struct StateSymbols;
class WorksheetEditor;
class WorksheetWindow;

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
    // Makes the worksheet's text and starts its tool without any window, for calculating in the
    // terminal: the text is what a window would have shown.
    void makeTextWithoutWindow();
    // The worksheet's text, with or without a window; null before either is made.
    QTextDocument* textDocument() const;
    // The format typed text takes.
    QTextCharFormat typingFormat() const;

    // The new-document template: every new worksheet starts from it once the user has saved one.
    static QString pathOfNewDocState();
    // Its contents; empty when there is none.
    static QByteArray dataOfNewDoc();
    // Asks, then saves this worksheet as the template. Nothing in the worksheet changes.
    void saveAsNewDocumentContent();
    // Saves this worksheet as the template; false, with the reason, when it cannot.
    bool writeNewDocumentContent(QString* error);

    // Calculating a line: Return after text on a line sends it to the worksheet's session;
    // its outcome goes on the next line, under the line whatever the user does meanwhile.
    bool insertNewline();
    void startCalcTask();
    // Calculates each line at the end of the worksheet, as typing it there and pressing Return
    // would; true when every line gave a value or a definition.
    bool calculateAtEnd(const QStringList& lines);
    // The document's one way of inserting text: in its attributes, in place of the cursor's
    // selection, which follows it. Without a cursor, in place of the view's selection.
    void insertString(QTextCursor& at, const QString& text, const QTextCharFormat& attributes);
    void insertString(const QString& text, const QTextCharFormat& attributes);
    // The text, then a line break in the normal attributes, as one edit; the view follows.
    void insertLine(QTextCursor at, const QString& text, const QTextCharFormat& attributes);
    void insertLine(const QString& text, const QTextCharFormat& attributes);
    // Whether a line or a recalculation waits for its answers: the text is read-only then.
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
    // changed, marking them for a moment; one Undo takes it back, with the variables and
    // functions that went with the text before.
    void recalculateWorksheet();
    // Return on an answered line: calculates it again and replaces its answer, and, when asked
    // to, every later answer that depends on it; the rest are marked out of date. False when
    // the cursor is not at the end of an answered line, before or after its marker.
    bool calculateAnsweredLine(const QTextCursor& at);
    // Stops a recalculation or an update; answers not reached are marked out of date.
    void stopRecalculation();
    // Whether Return on an answered line updates the answers that depend on it; a setting kept
    // across starts.
    static bool updatesDependentAnswers();
    static void setUpdatesDependentAnswers(bool on);
    // Takes over the state, which the worksheet then owns, and restarts the tool from it.
    void adoptState(CalcStatePtr state);
    // Undoing or redoing an update: the state that goes with the text put back, and which of
    // the answers the update calculated are out of date in that text.
    void restoreAnswerStep(CalcStatePtr state, const QList<int>& answers,
                           const QList<int>& outOfDate);

    // Printing starts the text at the top of the first page; the PDF gets the same pages.
    void printDocument();
    void exportAsPdf();
    bool writePdf(const QString& path, QString* error) const;

    // The forget sheet: pick a variable (or function) and the worksheet forgets it.
    void forgetVariable();
    void forgetFunction();
    void forgetSheetOK();
    // Forgets the variable (or function) at once, in the state and in the tool.
    void forgetSymbol(const QString& name, bool function);
    void forgetSheetCancel();
    QDialog* forgetSheet() const;
    QComboBox* forgetPopup() const;
    void setIntegerFormat(QAction* sender);
    void setIntegersAsHex(bool hex);
    void setIntegerFormatChecks();
    bool formatsIntegersAsHex() const { return mFormatIntegersAsHex; }
    CalcSession* calcSession() const { return mCalcSession; }
    AnswerMarks* answerMarks() const { return mAnswerMarks; }
    ToolLink* calcTask() const;
    SCalcState* calcState() const;
    const std::optional<QString>& loadedWindowFrame() const { return mLoadedWindowFrame; }
    const std::optional<QFont>& initialTypingFont() const { return mInitialTypingFont; }
    const QString& readNote() const { return mReadNote; }
    bool hasPendingString() const { return mString != nullptr; }

    // The window's views; null without a window.
    WorksheetEditor* textView() const { return mTextView; }
    WorksheetWindow* docWindow() const { return mDocWindow; }
    SymbolsPanel* symbolsPanel() const { return mSymbolsPanel; }

signals:
    // A calculated line got its answer: a value or a definition (true) or a message (false).
    void calculationFinished(bool succeeded);
    // A recalculation replaced `changed` answers; `allSucceeded` when no line gave an error.
    void recalculationFinished(int changed, bool allSucceeded);
    // The state's symbols, or how their values are shown, changed other than by a calculation.
    void symbolsChanged();

private:
    WorksheetEditor* mTextView = nullptr;
    WorksheetWindow* mDocWindow = nullptr;
    SymbolsPanel* mSymbolsPanel = nullptr;
    std::unique_ptr<QTextDocument> mString;
    std::optional<QFont> mInitialTypingFont;
    std::optional<QString> mLoadedWindowFrame;
    // What the user should know about the text read, such as characters that could not be.
    QString mReadNote;
    bool mFormatIntegersAsHex = false;
    CalcSession* mCalcSession = nullptr;
    Recalculation* mRecalculation = nullptr;
    QString mLineToCalculate;
    // Where the waiting line starts, and where its answer goes: they follow every edit.
    QTextCursor mStatementStart;
    QTextCursor mAnswerPosition;
    // The text when there is no window, with the format typing would take.
    QTextDocument* mText = nullptr;
    QTextCharFormat mTypingFormat;
    AnswerMarks* mAnswerMarks = nullptr;
    // The answered line an update started from, and whether answers are being put in.
    QTextCursor mUpdatedLine;
    bool mReplacingAnswers = false;

    static constexpr int kSummaryLength = 60;
    static constexpr int kChangedAnswerMarkMs = 3000;

    void connectNameCompleter();
    // Says on the status bar which code pages of an RTF text could not be read.
    void noteUnreadCodePages(const QList<int>& codePages);
    void answerLine(const CalcOutcome& outcome);
    // Text commands are off while the text waits for answers.
    void setWaitingForAnswers(bool waiting);
    // Fills the text from the file or the template; returns the format typing takes.
    QTextCharFormat loadText(QTextDocument* text);
    // Colours statements from the names the state knows, caught up once a calculation is over.
    void startHighlighting();
    void runRecalculation(Recalculation* recalculation);
    void finishRecalculation(Recalculation& recalculation, const StateSymbols& before);
    void noteEditedStatements(int position, int charsAdded);
    void openForgetSheet(bool function);
    void keepTypingInTheNormalColour(const QTextCharFormat& format);
};
