// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/recalculation.h"

#include "engine/calcstate.h"

#include "worksheet/answercolours.h"
#include "worksheet/answerformats.h"
#include "worksheet/builtinnames.h"
#include "worksheet/calcsession.h"
#include "worksheet/chartobject.h"
#include "worksheet/dependentlines.h"
#include "worksheet/resultformat.h"
#include "worksheet/statementwords.h"
#include "worksheet/writtenanswer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

#include <utility>

Recalculation::Recalculation(QTextDocument* text, const SCalcState& state, bool integersAsHex,
                             const WorksheetOptions& options, QObject* parent)
    : Recalculation(text, new CalcSession, calculatedLines(*text), integersAsHex, options, parent) {
    mSession->setParent(this);
    mSession->setTimeLimit(options.timeLimitSeconds);
    if (CalcStatePtr copy = CalcStateWithout(state, SymbolKind::kVariable, {}))
        mSession->adoptState(std::move(copy));
}

Recalculation::Recalculation(QTextDocument* text, CalcSession* session, QList<Line> lines,
                             bool integersAsHex, const WorksheetOptions& options, QObject* parent)
    : QObject(parent), mText(text), mIntegersAsHex(integersAsHex), mOptions(options),
      mSession(session), mLines(std::move(lines)) {}

Recalculation::~Recalculation() = default;

bool Recalculation::isAnsweredStatement(const QTextBlock& block) {
    // An answer is a line of its own: not empty, and not a statement waiting for one.
    const QTextBlock answer = block.next();
    return block.text().endsWith(kCalculatedMarker) && answer.isValid() &&
           !answer.text().isEmpty() && !answer.text().endsWith(kCalculatedMarker);
}

QList<Recalculation::Line> Recalculation::dependentsOf(const QTextBlock& statement,
                                                       const SCalcState& state) {
    // Only lines from this one on can depend on it.
    const QList<Line> lines = calculatedLines(statement);
    const int edited = 0;
    if (lines.isEmpty() || lines[edited].statementBlock != statement.blockNumber())
        return {};
    QList<StatementNames> names;
    for (const Line& line : lines)
        names.append(statementNames(line.statement));
    QList<Line> dependents;
    for (int index : dependentLines(names, edited, [&state](const QString& word) {
             const std::string name = word.toStdString();
             return builtinNames().contains(word) || FindVariable(state, name) ||
                    FindFunction(state, name);
         }))
        dependents.append(lines[index]);
    return dependents;
}

QList<Recalculation::Line> Recalculation::calculatedLines(const QTextDocument& text) {
    return calculatedLines(text.begin());
}

QList<Recalculation::Line> Recalculation::calculatedLines(const QTextBlock& from) {
    QList<Line> lines;
    for (QTextBlock block = from; block.isValid(); block = block.next()) {
        if (!isAnsweredStatement(block))
            continue;
        const QTextBlock answer = block.next();
        QString statement = block.text().chopped(kCalculatedMarker.size());
        statement.replace(QChar::LineSeparator, QLatin1Char(' '));
        if (statement.trimmed().isEmpty())
            continue;
        Line line;
        line.statementBlock = block.blockNumber();
        line.statement = statement;
        line.oldAnswer = answer.text();
        lines.append(line);
        block = answer;
    }
    return lines;
}

void Recalculation::start() {
    if (mLines.isEmpty()) {
        emit finished();
        return;
    }
    QStringList statements;
    for (const Line& line : std::as_const(mLines))
        statements.append(standardizeString(line.statement, mOptions.commaIsDecimal));
    mCalculation = mSession->calculate(statements);
    connect(mCalculation, &Calculation::answered, this, &Recalculation::answer);
}

void Recalculation::stop() {
    if (mStopped || mNext == mLines.size())
        return;
    mStopped = true;
    if (Calculation* calculation = std::exchange(mCalculation, nullptr)) {
        disconnect(calculation, nullptr, this, nullptr);
        calculation->cancel();
    }
    emit finished();
}

void Recalculation::answer(const CalcOutcome& outcome) {
    Line& line = mLines[mNext++];
    line.newOutcome = outcome;
    line.failed = !outcome.succeeded();
    line.reached = true;
    emit progressed(mNext, int(mLines.size()));
    if (mNext == mLines.size()) {
        mCalculation = nullptr;
        emit finished();
    }
}

QList<int> Recalculation::replaceChangedAnswers(QTextCursor& cursor) const {
    QList<int> changed;
    for (const Line& line : mLines) {
        if (!line.reached)
            continue;
        const QTextBlock answer = mText->findBlockByNumber(line.statementBlock + 1);
        const QTextCharFormat oldFormat = answer.begin().fragment().charFormat();
        // A chart is the same answer when it shows the same samples, any other by its text.
        const PlotAnswerPtr oldChart = chartOf(oldFormat);
        const bool same = oldChart || line.newOutcome.plot
                              ? sameChart(oldChart, line.newOutcome.plot)
                              : answerText(line.newOutcome, mIntegersAsHex,
                                           mOptions.commaIsDecimal) == line.oldAnswer;
        if (same)
            continue;
        if (changed.isEmpty())
            cursor.beginEditBlock();
        // The new answer keeps the old one's font.
        cursor.setPosition(answer.position());
        cursor.setPosition(answer.position() + answer.length() - 1, QTextCursor::KeepAnchor);
        insertAnswer(cursor, line.newOutcome, answerFormat(oldFormat, resultFormat(!line.failed)),
                     mIntegersAsHex, mOptions.commaIsDecimal);
        changed.append(answer.blockNumber());
    }
    if (!changed.isEmpty())
        cursor.endEditBlock();
    return changed;
}

QList<int> Recalculation::answersReached() const {
    QList<int> answers;
    for (const Line& line : mLines)
        if (line.reached)
            answers.append(line.statementBlock + 1);
    return answers;
}

QList<int> Recalculation::answersNotReached() const {
    QList<int> answers;
    for (const Line& line : mLines)
        if (!line.reached)
            answers.append(line.statementBlock + 1);
    return answers;
}

bool Recalculation::allSucceeded() const {
    return std::none_of(mLines.begin(), mLines.end(), [](const Line& line) { return line.failed; });
}

bool Recalculation::ownsSession() const { return mSession->parent() == this; }

CalcStatePtr Recalculation::takeState() { return mSession->takeState(); }
