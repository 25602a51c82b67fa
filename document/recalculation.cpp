#include "document/recalculation.h"

#include "app/appcontroller.h"
#include "document/errortext.h"
#include "document/mydocument.h"
#include "document/resultformat.h"
#include "document/toolreply.h"
#include "document/worksheeteditor.h"
#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "platform/documentwindow.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"

#include <QMainWindow>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

namespace {

const QString kCalculatedEnding = QStringLiteral(" =");

SCalcState* copyOfState(const SCalcState& state) {
    SCalcState* copy = NewCalcState();
    if (const auto variables = CopyVariablesDictionary(state))
        LoadVariablesDictionary(*variables, *copy);
    if (const auto functions = CopyFunctionsDictionary(state))
        LoadFunctionsDictionary(*functions, *copy);
    return copy;
}

} // namespace

Recalculation::Recalculation(MyDocument* document)
    : QObject(document), mDocument(document), mState(copyOfState(*document->calcState())) {}

Recalculation::~Recalculation() { DisposeCalcState(mState); }

QList<Recalculation::Line> Recalculation::calculatedLines(const MyDocument& document) {
    QList<Line> lines;
    const QTextDocument* text = document.textView->document();
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        const QTextBlock answer = block.next();
        // An answer is a line of its own: not empty, and not a statement waiting for one.
        if (!answer.isValid() || !block.text().endsWith(kCalculatedEnding) ||
            answer.text().isEmpty() || answer.text().endsWith(kCalculatedEnding))
            continue;
        QString statement = block.text().chopped(kCalculatedEnding.size());
        statement.replace(QChar::LineSeparator, QLatin1Char(' '));
        if (statement.trimmed().isEmpty())
            continue;
        Line line;
        line.statementBlock = block.blockNumber();
        line.statement = standardizeString(statement, AppController::isCommaDecimal());
        line.oldAnswer = answer.text();
        lines.append(line);
        block = answer;
    }
    return lines;
}

void Recalculation::start() {
    mLines = calculatedLines(*mDocument);
    mTimer = new QTimer(this);
    mTimer->setSingleShot(true);
    connect(mTimer, &QTimer::timeout, this, [this] { giveUp("Timeout"); });
    restartTool();
    sendNext();
}

void Recalculation::restartTool() {
    if (mTool)
        mTool->deleteLater();
    mTool = new ToolLink(this);
    connect(mTool, &ToolLink::replyReceived, this, &Recalculation::answer);
    connect(mTool, &ToolLink::toolEnded, this, [this] {
        if (mTimer->isActive())
            giveUp("Crash");
    });
    connect(mTool, &ToolLink::replyUnreadable, this, [this] {
        if (mTimer->isActive())
            giveUp("BadReply");
    });
    const auto variables = CopyVariablesDictionary(*mState);
    const auto functions = CopyFunctionsDictionary(*mState);
    QString error;
    if (!variables || !functions || !mTool->start(*variables, *functions, &error))
        qWarning("The recalculation tool could not be started: %s", qUtf8Printable(error));
}

void Recalculation::sendNext() {
    if (mNext >= mLines.size()) {
        finish();
        return;
    }
    if (!mTool->isRunning()) {
        // Without a tool every remaining line keeps its answer, and the worksheet its state.
        mLines[mNext].newAnswer = platform::keyedText("ToolNotStarted").arg(QString());
        mLines[mNext].failed = true;
        ++mNext;
        QTimer::singleShot(0, this, &Recalculation::sendNext);
        return;
    }
    mTool->send(mLines[mNext].statement);
    mTimer->start(int(AppController::calcTimeout() * 1000));
}

void Recalculation::answer(const plist::Dictionary& reply) {
    if (!mTimer->isActive())
        return;
    mTimer->stop();
    Line& line = mLines[mNext];
    const ToolReply answer = recordToolReply(reply, line.statement.toStdString(), *mState);
    switch (answer.kind) {
    case kFunctionDefined:
        line.newAnswer = platform::keyedText("DefFun");
        break;
    case kSyntaxError:
        line.newAnswer = syntaxErrorText(answer, AppController::isCommaDecimal());
        line.failed = true;
        break;
    default:
        line.newAnswer = mDocument->formatCalculatedResult(answer.value);
        break;
    }
    ++mNext;
    sendNext();
}

void Recalculation::giveUp(const char* messageKey) {
    mTimer->stop();
    mLines[mNext].newAnswer = platform::keyedText(messageKey);
    mLines[mNext].failed = true;
    ++mNext;
    restartTool();
    sendNext();
}

void Recalculation::finish() {
    mTool->abandon();
    QList<int> changed;
    bool allSucceeded = true;
    QTextCursor cursor(mDocument->textView->document());
    cursor.beginEditBlock();
    for (const Line& line : std::as_const(mLines)) {
        allSucceeded = allSucceeded && !line.failed;
        if (line.newAnswer == line.oldAnswer)
            continue;
        const QTextBlock answer =
            mDocument->textView->document()->findBlockByNumber(line.statementBlock + 1);
        cursor.setPosition(answer.position());
        cursor.setPosition(answer.position() + answer.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(line.newAnswer,
                          line.failed ? AppController::errorAtts() : AppController::successAtts());
        changed.append(answer.blockNumber());
    }
    cursor.endEditBlock();
    mDocument->adoptState(std::exchange(mState, NewCalcState()));
    emit finished(changed, allSucceeded);
}

void MyDocument::adoptState(SCalcState* state) {
    DisposeCalcState(mCalcState);
    mCalcState = state;
    // The tool knows the old state: a fresh one starts from the new.
    mCalcTask->abandon();
    startCalcTask();
    emit symbolsChanged();
}

void MyDocument::recalculateWorksheet() {
    if (isCalculating())
        return;
    textView->setReadOnly(true);
    auto* recalculation = new Recalculation(this);
    connect(recalculation, &Recalculation::finished, this,
            [this, recalculation](const QList<int>& changed, bool allSucceeded) {
                recalculation->deleteLater();
                textView->setReadOnly(false);
                markChangedAnswers(changed);
                docWindow->statusBar()->showMessage(
                    tr("Recalculated: %n answer(s) changed", nullptr, int(changed.size())),
                    kChangedAnswerMarkMs);
                emit recalculationFinished(int(changed.size()), allSucceeded);
            });
    recalculation->start();
}

void MyDocument::markChangedAnswers(const QList<int>& blocks) {
    QList<QTextEdit::ExtraSelection> marks;
    QColor highlight = textView->palette().color(QPalette::Highlight);
    highlight.setAlpha(70);
    for (int number : blocks) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(textView->document()->findBlockByNumber(number));
        mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        mark.format.setBackground(highlight);
        marks.append(mark);
    }
    textView->setExtraSelections(marks);
    // A mark for a moment, not a change: it goes by itself.
    QTimer::singleShot(kChangedAnswerMarkMs, textView,
                       [view = textView] { view->setExtraSelections({}); });
}
