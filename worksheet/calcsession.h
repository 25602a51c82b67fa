#pragma once

#include "worksheet/toolreply.h"
#include "engine/calcengine.h"
#include "plist/value.h"

#include <QList>
#include <QObject>
#include <QString>

class QTimer;
class ToolLink;

// What became of one line: the tool's answer, or the message the line gets instead.
struct CalcOutcome {
    enum class Kind { Value, FunctionDefined, SyntaxError, Message };
    Kind kind = Kind::Message;
    double value = 0; // for a value
    int stop = 0;     // for a syntax error: where reading stopped, in UTF-16 units of the line
    ToolReply reply;  // for a syntax error: what the tool said of it
    QString message;  // for a message: the text shown
    bool succeeded() const { return kind == Kind::Value || kind == Kind::FunctionDefined; }
};

// The text a worksheet shows for an outcome, integers in hexadecimal when asked.
QString answerText(const CalcOutcome& outcome, bool integersAsHex);

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

    // Queues a line in the standard notation; `answered` follows for it.
    void calculate(const QString& line);
    void calculate(const QStringList& lines);
    // Whether any line is waiting for its answer.
    bool isCalculating() const { return !mLines.isEmpty(); }
    // Drops the lines not answered yet; a running tool is replaced, since it may still be
    // working on one.
    void cancel();

signals:
    // The oldest waiting line has its outcome. The state has recorded a value or definition.
    void answered(const CalcOutcome& outcome);
    // The tool ended while no line waited and was started again.
    void toolRestarted();

private:
    void sendCommandToTask(const QString& line);
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
    QStringList mLines;
    int mSent = 0;
    QString mToolStartError;
};
