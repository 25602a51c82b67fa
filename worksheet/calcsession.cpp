// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/calcsession.h"

#include "worksheet/chartdescription.h"

#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "platform/diagnostics.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"
#include "worksheet/errortext.h"
#include "worksheet/resultformat.h"
#include "worksheet/toolreply.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <new>

namespace {

// How many lines may be written ahead of their answers: enough that the tool never waits for
// the next, few enough that a failed line has little to send again.
constexpr int kLinesAhead = 256;

// The UTF-16 length of the first `bytes` bytes of the line's UTF-8 form: the tool counts bytes.
int utf16Length(const QString& line, std::int64_t bytes) {
    const QByteArray utf8 = line.toUtf8();
    bytes = std::clamp<std::int64_t>(bytes, 0, utf8.size());
    return int(QString::fromUtf8(utf8.left(qsizetype(bytes))).size());
}

// Qt's reason for a failed start names a system call; say what is wrong with the file instead.
QString whyToolDidNotStart(const QString& path, const QString& error) {
    const QFileInfo tool(path);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!tool.exists())
        return platform::keyedText("ToolMissing").arg(shownPath);
    if (tool.isDir() || !tool.isExecutable())
        return platform::keyedText("ToolNotExecutable").arg(shownPath);
    return error;
}

CalcOutcome message(const QString& text) {
    CalcOutcome outcome;
    outcome.message = text;
    return outcome;
}

} // namespace

QString answerText(const CalcOutcome& outcome, bool integersAsHex, bool commaIsDecimal) {
    switch (outcome.kind) {
    case CalcOutcome::Kind::Value:
        return withUnit(formatCalculatedResult(outcome.value, integersAsHex, commaIsDecimal),
                        outcome.unit);
    case CalcOutcome::Kind::FunctionDefined:
        return platform::keyedText("DefFun");
    case CalcOutcome::Kind::Plot:
        return outcome.plot ? chartDescription(*outcome.plot, commaIsDecimal) : QString();
    case CalcOutcome::Kind::SyntaxError:
        return syntaxErrorText(outcome.reply, commaIsDecimal);
    case CalcOutcome::Kind::Message:
        break;
    }
    return outcome.message;
}

CalcStatePtr newStateOrThrow() {
    CalcStatePtr state = NewCalcState();
    if (!state)
        throw std::bad_alloc();
    return state;
}

Calculation::Calculation(CalcSession* session, int lineCount)
    : QObject(session), mSession(session), mLineCount(lineCount) {}

void Calculation::cancel() {
    if (mFinished)
        return;
    mSession->cancel(this);
    finish();
}

void Calculation::takeAnswer(const CalcOutcome& outcome) {
    ++mAnswered;
    mAllSucceeded = mAllSucceeded && outcome.succeeded();
    emit answered(outcome);
    if (mAnswered == mLineCount)
        finish();
}

void Calculation::finish() {
    if (std::exchange(mFinished, true))
        return;
    emit finished();
    deleteLater();
}

CalcSession::CalcSession(QObject* parent)
    : QObject(parent), mCalcState(newStateOrThrow()), mCalcTask(new ToolLink(this)),
      mCalcTimer(new QTimer(this)) {
    mCalcTimer->setSingleShot(true);
    connect(mCalcTimer, &QTimer::timeout, this, &CalcSession::calcTimedOut);
    connect(mCalcTask, &ToolLink::replyReceived, this, &CalcSession::handleTaskResult);
    connect(mCalcTask, &ToolLink::toolEnded, this, &CalcSession::taskEnded);
    connect(mCalcTask, &ToolLink::replyUnreadable, this, [this] {
        if (mSent > 0) {
            giveUpOnLine(platform::keyedText("BadReply"));
            return;
        }
        // Out of step with its requests; the next line starts a fresh one, so a tool that
        // chatters from the start cannot keep us restarting it.
        qCWarning(figurelloDiagnostics, "CalcTool wrote output nobody asked for; it is abandoned");
        mCalcTask->abandon();
    });
}

CalcSession::~CalcSession() {
    mCalcTask->disconnect(this);
    mCalcTask->abandon();
}

void CalcSession::adoptState(CalcStatePtr state) {
    mCalcState = std::move(state);
    // The tool knows the old state: a fresh one starts from the new.
    startCalcTask();
}

CalcStatePtr CalcSession::takeState() {
    cancel();
    mCalcTask->abandon();
    return std::exchange(mCalcState, newStateOrThrow());
}

void CalcSession::startCalcTask() {
    const std::optional<plist::Dictionary> variables = CopyVariablesDictionary(*mCalcState);
    const std::optional<plist::Dictionary> functions = CopyFunctionsDictionary(*mCalcState);
    const std::optional<plist::Dictionary> units = CopyVariableUnitsDictionary(*mCalcState);
    QString error;
    if (variables && functions && units &&
        mCalcTask->start(*variables, *functions, *units, &error)) {
        mToolStartError.clear();
        return;
    }
    mToolStartError =
        error.isEmpty() ? tr("Out of memory.") : whyToolDidNotStart(mCalcTask->toolPath(), error);
    qCWarning(figurelloDiagnostics, "Caught %s: %s", "FailedToStart",
              qUtf8Printable(mToolStartError));
}

Calculation* CalcSession::calculate(const QStringList& lines) {
    auto* calculation = new Calculation(this, int(lines.size()));
    if (lines.isEmpty()) {
        // Told once the caller has had the chance to listen.
        QMetaObject::invokeMethod(calculation, &Calculation::finish, Qt::QueuedConnection);
        return calculation;
    }
    for (const QString& line : lines)
        mLines.append({line, calculation});
    if (mCalcTask->isRunning())
        sendWaitingLines();
    else
        // The tool is started first; one that cannot be answers with a message, which the
        // caller must have had the chance to listen for.
        QMetaObject::invokeMethod(this, &CalcSession::sendWaitingLines, Qt::QueuedConnection);
    return calculation;
}

void CalcSession::cancel() {
    const QList<WaitingLine> dropped = std::exchange(mLines, {});
    mCalcTimer->stop();
    // The tool may be busy with a line nobody waits for now.
    if (std::exchange(mSent, 0) > 0)
        startCalcTask();
    for (const WaitingLine& line : dropped)
        line.calculation->finish();
}

void CalcSession::cancel(Calculation* calculation) {
    bool sentDropped = false;
    for (qsizetype i = mLines.size() - 1; i >= 0; --i) {
        if (mLines[i].calculation != calculation)
            continue;
        sentDropped = sentDropped || i < mSent;
        mLines.removeAt(i);
    }
    if (!sentDropped)
        return;
    // The tool may be busy with a dropped line: a fresh one, from the state the answers so far
    // left, takes the lines still waiting.
    mCalcTimer->stop();
    mCalcTask->abandon();
    mSent = 0;
    startCalcTask();
    sendWaitingLines();
}

void CalcSession::sendWaitingLines() {
    // Topped up in batches: one write for many lines.
    if (mSent > kLinesAhead / 2)
        return;
    while (mSent < mLines.size() && !mCalcTask->isRunning()) {
        // Lines already sent wait for the tool's end to be handled.
        if (mSent > 0)
            return;
        // No tool: it could not be started, or it ended before it answered anything.
        startCalcTask();
        if (!mCalcTask->isRunning())
            finishLine(message(platform::keyedText("ToolNotStarted").arg(mToolStartError)));
    }
    const int count = int(std::min<qsizetype>(mLines.size(), kLinesAhead)) - mSent;
    if (count <= 0)
        return;
    if (count == 1) {
        mCalcTask->send(mLines[mSent].line);
    } else {
        QStringList lines;
        for (qsizetype i = mSent; i < mSent + count; ++i)
            lines.append(mLines[i].line);
        mCalcTask->send(lines);
    }
    mSent += count;
    if (!mCalcTimer->isActive())
        mCalcTimer->start(mTimeLimitMs);
}

void CalcSession::handleTaskResult(const plist::Dictionary& reply) {
    if (mSent == 0)
        return;
    const QString& line = mLines.first().line;
    const ToolReply answer = recordToolReply(reply, line.toStdString(), *mCalcState);
    CalcOutcome outcome;
    switch (answer.kind) {
    case kFunctionDefined:
        outcome.kind = CalcOutcome::Kind::FunctionDefined;
        break;
    case kPlot:
        outcome.kind = CalcOutcome::Kind::Plot;
        outcome.plot = answer.plot;
        break;
    case kSyntaxError:
        outcome.kind = CalcOutcome::Kind::SyntaxError;
        outcome.stop = utf16Length(line, answer.stop);
        outcome.reply = answer;
        break;
    default:
        outcome.kind = CalcOutcome::Kind::Value;
        outcome.value = answer.value;
        outcome.unit = QString::fromStdString(answer.unit);
        break;
    }
    // The next line's time starts now: the tool takes the lines one after another.
    mCalcTimer->stop();
    --mSent;
    finishLine(outcome);
    if (mSent > 0)
        mCalcTimer->start(mTimeLimitMs);
    sendWaitingLines();
}

void CalcSession::taskEnded(int status) {
    Q_UNUSED(status);
    if (mSent > 0) {
        giveUpOnLine(platform::keyedText("Crash"));
        return;
    }
    // A tool that ends before answering anything would only end again, at once and for ever:
    // the next line starts one.
    if (!mCalcTask->hasAnswered())
        return;
    startCalcTask();
    emit toolRestarted();
}

void CalcSession::calcTimedOut() { giveUpOnLine(platform::keyedText("Timeout")); }

void CalcSession::giveUpOnLine(const QString& text) {
    mCalcTimer->stop();
    mCalcTask->abandon();
    mSent = 0;
    // Nothing of the failed line was recorded: the fresh tool starts from the state before it.
    startCalcTask();
    finishLine(message(text));
    sendWaitingLines();
}

void CalcSession::finishLine(const CalcOutcome& outcome) {
    mLines.takeFirst().calculation->takeAnswer(outcome);
}
