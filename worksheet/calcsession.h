// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcengine.h"
#include "plist/value.h"
#include "worksheet/toolreply.h"

#include <QList>
#include <QObject>
#include <QString>

class QTimer;
class ToolLink;

// What became of one line: the tool's answer, or the message the line gets instead.
struct CalcOutcome {
    enum class Kind { Value, FunctionDefined, Plot, SyntaxError, Message };
    Kind kind = Kind::Message;
    double value = 0;   // for a value, in its unit
    QString unit;       // ... empty for a plain number
    int stop = 0;       // for a syntax error: where reading stopped, in UTF-16 units of the line
    ToolReply reply;    // for a syntax error: what the tool said of it
    QString message;    // for a message: the text shown
    PlotAnswerPtr plot; // for a plot: its chart
    bool succeeded() const {
        return kind == Kind::Value || kind == Kind::FunctionDefined || kind == Kind::Plot;
    }
};

// The text a worksheet shows for an outcome, integers in hexadecimal when asked.
QString answerText(const CalcOutcome& outcome, bool integersAsHex, bool commaIsDecimal);

// A new empty state; throws std::bad_alloc when there is no memory for one.
CalcStatePtr newStateOrThrow();

class CalcSession;

// What one request of a session calculates: a line, or a batch of lines. Its lines are answered
// in the order given, each exactly once, unless it is cancelled; then it is finished. The
// session owns it and deletes it once it has finished and control is back in the event loop.
class Calculation : public QObject {
    Q_OBJECT

public:
    int lineCount() const { return mLineCount; }
    int answeredCount() const { return mAnswered; }
    bool isFinished() const { return mFinished; }
    // Whether every line answered gave a value or a definition.
    bool allSucceeded() const { return mAllSucceeded; }
    // Drops the lines not answered yet; `finished` follows at once.
    void cancel();

signals:
    // The next of its lines has its outcome; the state has recorded a value or definition.
    void answered(const CalcOutcome& outcome);
    void finished();

private:
    friend class CalcSession;
    Calculation(CalcSession* session, int lineCount);
    void takeAnswer(const CalcOutcome& outcome);
    void finish();

    CalcSession* mSession;
    int mLineCount;
    int mAnswered = 0;
    bool mAllSucceeded = true;
    bool mFinished = false;
};

// One worksheet's calculations: its CalcTool, the state that mirrors what the tool recorded,
// the lines waiting for their answers, and every way a tool can fail them. Lines are answered
// one by one, in the order given, each exactly once. A line that times out, whose tool ends or
// answers with something unreadable gets a message; a fresh tool, seeded from the state as it
// was before that line, answers the lines after it, just as if they had been sent one at a
// time. A tool that ends while no line waits is started again quietly.
class CalcSession : public QObject {
    Q_OBJECT

public:
    explicit CalcSession(QObject* parent = nullptr);
    ~CalcSession() override;

    // The mirror state, which the session owns; never null.
    SCalcState* state() const { return mCalcState.get(); }
    // Takes over the state and restarts the tool from it, so that both agree at once.
    void adoptState(CalcStatePtr state);
    // Hands the state over to the caller and ends the tool; the session is left empty.
    CalcStatePtr takeState();

    ToolLink* calcTask() const { return mCalcTask; }
    // Starts the tool afresh from the state; a running one is abandoned.
    void startCalcTask();
    // Why the tool could not be started, while it cannot.
    QString toolStartError() const { return mToolStartError; }

    // How long one line may take; a second unless set.
    void setTimeLimit(double seconds) { mTimeLimitMs = int(seconds * 1000); }

    // Queues lines in the standard notation, after those waiting; the calculation returned
    // reports their answers. Never null, and finished at once when there are no lines.
    Calculation* calculate(const QStringList& lines);
    Calculation* calculate(const QString& line) { return calculate(QStringList{line}); }
    // Whether any line is waiting for its answer.
    bool isCalculating() const { return !mLines.isEmpty(); }
    // Drops every line not answered yet; a running tool is replaced, since it may still be
    // working on one.
    void cancel();

signals:
    // The tool ended while no line waited and was started again.
    void toolRestarted();

private:
    friend class Calculation;
    struct WaitingLine {
        QString line;
        Calculation* calculation;
    };
    // Drops the calculation's lines not answered yet.
    void cancel(Calculation* calculation);
    void sendWaitingLines();
    void handleTaskResult(const plist::Dictionary& reply);
    void taskEnded(int status);
    void calcTimedOut();
    // The oldest line gets the message; a fresh tool takes the lines after it.
    void giveUpOnLine(const QString& message);
    void finishLine(const CalcOutcome& outcome);

    CalcStatePtr mCalcState;
    ToolLink* mCalcTask;
    QTimer* mCalcTimer;
    // Lines waiting for their answers, oldest first; the first `mSent` were written to the tool.
    QList<WaitingLine> mLines;
    int mSent = 0;
    int mTimeLimitMs = 1000;
    QString mToolStartError;
};
