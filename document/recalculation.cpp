#include "document/recalculation.h"

#include "app/appcontroller.h"
#include "document/calcsession.h"
#include "document/mydocument.h"
#include "document/resultformat.h"
#include "document/statestep.h"
#include "document/worksheeteditor.h"
#include "platform/documentwindow.h"

#include <QMainWindow>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <utility>

namespace {

const QString kCalculatedEnding = QStringLiteral(" =");

} // namespace

Recalculation::Recalculation(QTextDocument* text, const SCalcState& state, bool integersAsHex,
                             QObject* parent)
    : QObject(parent), mText(text), mIntegersAsHex(integersAsHex),
      mSession(new CalcSession(this)) {
    if (SCalcState* copy = copyOfState(state))
        mSession->adoptState(copy);
    connect(mSession, &CalcSession::answered, this, &Recalculation::answer);
}

Recalculation::~Recalculation() = default;

QList<Recalculation::Line> Recalculation::calculatedLines(const QTextDocument& text) {
    QList<Line> lines;
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
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
    mLines = calculatedLines(*mText);
    if (mLines.isEmpty()) {
        emit finished();
        return;
    }
    QStringList statements;
    for (const Line& line : std::as_const(mLines))
        statements.append(line.statement);
    mSession->calculate(statements);
}

void Recalculation::answer(const CalcOutcome& outcome) {
    Line& line = mLines[mNext++];
    line.newAnswer = answerText(outcome, mIntegersAsHex);
    line.failed = !outcome.succeeded();
    if (mNext == mLines.size())
        emit finished();
}

QList<int> Recalculation::replaceChangedAnswers(QTextCursor& cursor) const {
    QList<int> changed;
    for (const Line& line : mLines) {
        if (line.newAnswer == line.oldAnswer)
            continue;
        const QTextBlock answer = mText->findBlockByNumber(line.statementBlock + 1);
        cursor.setPosition(answer.position());
        cursor.setPosition(answer.position() + answer.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(line.newAnswer,
                          line.failed ? AppController::errorAtts() : AppController::successAtts());
        changed.append(answer.blockNumber());
    }
    return changed;
}

bool Recalculation::allSucceeded() const {
    return std::none_of(mLines.begin(), mLines.end(), [](const Line& line) { return line.failed; });
}

SCalcState* Recalculation::takeState() {
    return mSession->takeState();
}

void MyDocument::adoptState(SCalcState* state) {
    mCalcSession->adoptState(state);
    emit symbolsChanged();
}

void MyDocument::recalculateWorksheet() {
    if (isCalculating())
        return;
    QTextDocument* text = textDocument();
    mRecalculation = new Recalculation(text, *calcState(), mFormatIntegersAsHex, this);
    setWaitingForAnswers(true);
    connect(mRecalculation, &Recalculation::finished, this, [this, text] {
        Recalculation* recalculation = std::exchange(mRecalculation, nullptr);
        recalculation->deleteLater();
        setWaitingForAnswers(false);
        // One Undo takes back the answers and the variables and functions that went with them.
        QTextCursor edit(text);
        edit.beginEditBlock();
        const QList<int> changed = recalculation->replaceChangedAnswers(edit);
        // With no answer changed there is nothing to take back, and the text stays unedited;
        // without a window nobody takes anything back.
        if (changed.isEmpty() || !textView)
            adoptState(recalculation->takeState());
        else
            recordStateStep(*text, *this, recalculation->takeState());
        edit.endEditBlock();
        if (docWindow) {
            markChangedAnswers(changed);
            docWindow->statusBar()->showMessage(
                tr("Recalculated: %n answer(s) changed", nullptr, int(changed.size())),
                kChangedAnswerMarkMs);
        }
        emit recalculationFinished(int(changed.size()), recalculation->allSucceeded());
    });
    mRecalculation->start();
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
