// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcengine.h"
#include "worksheet/worksheetoptions.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QObject>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <optional>

class AnswerMarks;
class CalcSession;
class Calculation;
class QTextDocument;
class Recalculation;
class ToolLink;
struct CalcOutcome;
struct StateSymbols;

// One worksheet, with or without a window: its text, the calculation session that answers its
// lines, which of its answers are out of date, and the options it calculates with. Views attach
// to the text and follow the signals; nothing here knows whether any is attached.
//
// Return after a statement calculates it, and its outcome goes on the next line, under the line
// whatever else is edited meanwhile. Return on an answered line calculates it again in place,
// with every later answer that depends on it, and Recalculate does the same for every line.
// Each is one edit that one Undo takes back, with the variables and functions that went with it.
class Worksheet : public QObject {
    Q_OBJECT

public:
    explicit Worksheet(const WorksheetOptions& options, QObject* parent = nullptr);
    ~Worksheet() override;

    // The text, never null; the worksheet owns it.
    QTextDocument* text() const { return mText; }
    // Gives the text the layout a view lays it out with; before a view attaches to it.
    void prepareTextForView();
    // The format typing takes: views keep it as their typing format, and the file records its
    // font.
    const QTextCharFormat& typingFormat() const { return mTypingFormat; }
    void setTypingFormat(const QTextCharFormat& format) { mTypingFormat = format; }

    // Reads a worksheet, plain text or RTF (typeName as the document framework names them) in
    // place of the text, with its variables and functions. False, with why in `error` when
    // given, when it cannot; `displayName` names the file in that message.
    bool read(const QByteArray& data, const QString& typeName, const QString& displayName,
              QString* error = nullptr);
    // Starts from the user's template for new worksheets, unless something was read.
    void startFromTemplateUnlessRead();
    // The worksheet in its native format; empty, with the reason, when it cannot be written.
    QByteArray fileData(QString* error) const;
    // Where the window showing the worksheet is, as the file keeps it; until a window tells,
    // the frame it was read with.
    void setWindowFrame(const QString& frame) { mWindowFrame = frame; }
    // What the user should know about the text read, such as characters that could not be.
    const QString& readNote() const { return mReadNote; }
    const std::optional<QString>& loadedWindowFrame() const { return mLoadedWindowFrame; }
    const std::optional<QFont>& initialTypingFont() const { return mInitialTypingFont; }

    const WorksheetOptions& options() const { return mOptions; }
    void setOptions(const WorksheetOptions& options);
    bool integersAsHex() const { return mIntegersAsHex; }
    void setIntegersAsHex(bool hex);

    CalcSession* session() const { return mSession; }
    SCalcState* state() const;
    ToolLink* tool() const;
    // Starts the tool afresh from the state; a line calculated before this starts it too.
    void startTool();
    const AnswerMarks* answerMarks() const { return mAnswerMarks; }

    // Return at `at`: calculates the statement before it, or the answered line it is on, and
    // returns true; false when there is nothing to calculate there, so that Return breaks the
    // line. The cursor's document is the worksheet's text.
    bool calculateAt(const QTextCursor& at);
    // Calculates each line at the end of the text, as typing it there and pressing Return
    // would; the text grows with each answer. The calculation tells when all are in.
    Calculation* calculateAtEnd(const QStringList& lines);
    // Whether a line or an update waits for its answers: the text is not to be edited then.
    bool isCalculating() const;
    bool isUpdating() const { return mRecalculation != nullptr; }
    // Calculates every calculated line again from the top and replaces the answers that
    // changed, marking them for a moment.
    void recalculate();
    // Stops a recalculation or an update; answers not reached are marked out of date.
    void stopUpdating();

    // The text, then a line break in the normal format, as one edit at `at`.
    void insertLine(QTextCursor at, const QString& text, const QTextCharFormat& format);
    // The listings of the defined variables and functions, as a line inserts them.
    QString variablesListing() const;
    QString functionsListing() const;
    // A value as the worksheet shows it.
    QString formatValue(double value) const;
    // Forgets the variable (or function), in the state and in the tool.
    void forget(const QString& name, bool function);

    // Takes over the state, which the worksheet then owns, and restarts the tool from it.
    void adoptState(CalcStatePtr state);
    // Undoing or redoing an update: the state that goes with the text put back, and which of
    // the answers the update calculated are out of date in that text.
    void restoreAnswerStep(CalcStatePtr state, const QList<int>& answers,
                           const QList<int>& outOfDate);

signals:
    // A line waits for its answer, or an update for its answers (`updating`), or neither.
    void waitingChanged(bool waiting, bool updating);
    // A calculated line got its answer: a value or a definition (true) or a message (false).
    void calculationFinished(bool succeeded);
    // The answer of the statement in block `statement` went in under it, at `position`.
    void answerArrived(int statement, int position);
    // The statement could not be read from `from` to `to`, positions in the text.
    void syntaxErrorAt(int from, int to);
    // An answer went in on a line that already had one; typing goes on after it.
    void continueAfter(int answerBlock);
    // A recalculation or an update replaced `changed` answers; `allSucceeded` when no line
    // gave an error.
    void recalculationFinished(int changed, bool allSucceeded);
    // A line or an update was calculated, or the state's symbols, or how their values are
    // shown, changed otherwise: the names the worksheet knows, and their values, may be others.
    void namesChanged();
    void integerFormatChanged(bool hex);
    void optionsChanged(const WorksheetOptions& options);
    // Something to tell the user for `milliseconds`, such as a tool that was started again.
    void notice(const QString& text, int milliseconds);

private:
    void setText(const QTextDocument& loaded);
    void noteUnreadCodePages(const QList<int>& codePages);
    void answerLine(const CalcOutcome& outcome);
    bool calculateAnsweredLine(const QTextCursor& at);
    void runRecalculation(Recalculation* recalculation);
    void finishRecalculation(Recalculation& recalculation, const StateSymbols& before);
    void noteEditedStatements(int position, int charsAdded);
    void setWaiting(bool waiting);

    QTextDocument* mText;
    QTextCharFormat mTypingFormat;
    WorksheetOptions mOptions;
    bool mIntegersAsHex = false;
    bool mRead = false;
    QString mReadNote;
    std::optional<QFont> mInitialTypingFont;
    std::optional<QString> mLoadedWindowFrame;
    std::optional<QString> mWindowFrame;
    CalcSession* mSession;
    AnswerMarks* mAnswerMarks;
    Recalculation* mRecalculation = nullptr;
    // The line waiting for its answer: where it starts, and where its answer goes (the old
    // answer, selected, when it replaces one). Both follow every edit.
    QTextCursor mStatementStart;
    QTextCursor mAnswerPosition;
    bool mReplacesAnswer = false;
    // The answered line an update started from.
    QTextCursor mUpdatedLine;
    // While the worksheet writes its own lines, which edit no statement.
    bool mWritingAnswers = false;
};
