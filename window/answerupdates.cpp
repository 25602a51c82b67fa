// Answers that follow their lines: Return on an answered line calculates it again in place, with
// every later answer that depends on it, and Recalculate Worksheet does the same for every line.
// Each is one edit that one Undo takes back, with the variables and functions that went with it.

#include "window/answermarks.h"
#include "worksheet/calcsession.h"
#include "worksheet/dependentlines.h"
#include "window/mydocument.h"
#include "worksheet/recalculation.h"
#include "worksheet/statementwords.h"
#include "window/statestep.h"
#include "window/worksheeteditor.h"
#include "worksheet/worksheetsettings.h"
#include "window/worksheetwindow.h"
#include "engine/builtintables.h"
#include "engine/calcstate.h"
#include "platform/keyedtexts.h"

#include <QAction>
#include <QSettings>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

namespace {

const QString kUpdateDependentsKey = QStringLiteral("Calculate/UpdateDependentAnswers");
// Progress shows only for an update long enough to wonder about.
constexpr int kProgressAfterMs = 500;

} // namespace

bool MyDocument::updatesDependentAnswers() {
    return QSettings().value(kUpdateDependentsKey, true).toBool();
}

void MyDocument::setUpdatesDependentAnswers(bool on) {
    QSettings().setValue(kUpdateDependentsKey, on);
}

bool MyDocument::calculateAnsweredLine(const QTextCursor& at) {
    const QTextBlock block = at.block();
    const QString text = block.text();
    const int inLine = at.position() - block.position();
    if (!Recalculation::isAnsweredStatement(block) ||
        (inLine != text.size() && inLine != text.size() - kCalculatedMarker.size()))
        return false;
    // Only lines from this one on can depend on it.
    const QList<Recalculation::Line> lines = Recalculation::calculatedLines(block);
    const int edited = 0;
    if (lines.isEmpty() || lines[edited].statementBlock != block.blockNumber())
        return false;

    QList<StatementNames> names;
    for (const Recalculation::Line& line : lines)
        names.append(statementNames(line.statement));
    static const QSet<QString> builtins = [] {
        QSet<QString> names;
        for (const BuiltinName& builtin : BuiltinNames())
            names.insert(QString::fromStdString(builtin.name));
        return names;
    }();
    const SCalcState& state = *calcState();
    const QList<int> dependents = dependentLines(names, edited, [&state](const QString& word) {
        const std::string name = word.toStdString();
        return builtins.contains(word) || FindVariable(state, name) || FindFunction(state, name);
    });

    QList<Recalculation::Line> update;
    for (int index : updatesDependentAnswers() ? dependents : QList<int>{edited})
        update.append(lines[index]);
    // Not followed: what depends on the line is out of date until calculated again.
    if (!updatesDependentAnswers())
        for (int index : dependents.mid(1))
            mAnswerMarks->markOutOfDate(
                block.document()->findBlockByNumber(lines[index].statementBlock + 1));
    mUpdatedLine = QTextCursor(block);
    runRecalculation(
        new Recalculation(textDocument(), mCalcSession, update, mFormatIntegersAsHex, this));
    return true;
}

void MyDocument::recalculateWorksheet() {
    if (isCalculating())
        return;
    runRecalculation(new Recalculation(textDocument(), *calcState(), mFormatIntegersAsHex, this));
}

void MyDocument::stopRecalculation() {
    if (mRecalculation)
        mRecalculation->stop();
}

void MyDocument::runRecalculation(Recalculation* recalculation) {
    mRecalculation = recalculation;
    const StateSymbols before = symbolsOf(*calcState());
    setWaitingForAnswers(true);
    if (mDocWindow) {
        auto* progressLater = new QTimer(recalculation);
        progressLater->setSingleShot(true);
        const auto showProgress = [this, recalculation, progressLater](int done) {
            if (!progressLater->isActive())
                mDocWindow->statusBar()->showMessage(platform::keyedText("UpdateProgress")
                                                         .arg(done)
                                                         .arg(recalculation->lineCount()));
        };
        connect(progressLater, &QTimer::timeout, this, [showProgress] { showProgress(0); });
        connect(recalculation, &Recalculation::progressed, this, showProgress);
        progressLater->start(kProgressAfterMs);
    }
    connect(recalculation, &Recalculation::finished, this, [this, before] {
        Recalculation* recalculation = std::exchange(mRecalculation, nullptr);
        recalculation->deleteLater();
        setWaitingForAnswers(false);
        finishRecalculation(*recalculation, before);
    });
    recalculation->start();
}

void MyDocument::finishRecalculation(Recalculation& recalculation, const StateSymbols& before) {
    QTextDocument* text = textDocument();
    const bool ownState = recalculation.ownsSession();
    if (ownState)
        adoptState(recalculation.takeState());
    // One Undo takes back the answers and the variables and functions that went with them.
    QTextCursor edit(text);
    mReplacingAnswers = true;
    const QList<int> changed = recalculation.replaceChangedAnswers(edit);
    mReplacingAnswers = false;
    // With no answer changed there is nothing to take back, and the text stays unedited;
    // without a window nobody takes anything back.
    if (!changed.isEmpty() && mTextView) {
        edit.joinPreviousEditBlock();
        recordStateStep(*text, *this, before, recalculation.answersReached(),
                        mAnswerMarks->outOfDate(recalculation.answersReached()));
        edit.endEditBlock();
    }
    if (!ownState)
        emit symbolsChanged();
    if (mDocWindow) {
        mAnswerMarks->clearOutOfDate(recalculation.answersReached());
        for (int answer : recalculation.answersReached())
            mAnswerMarks->noteAnswered(text->findBlockByNumber(answer - 1));
        for (int answer : recalculation.answersNotReached())
            mAnswerMarks->markOutOfDate(text->findBlockByNumber(answer));
        mAnswerMarks->markChanged(changed, kChangedAnswerMarkMs);
        mDocWindow->statusBar()->showMessage(
            tr("%n answer(s) changed", nullptr, int(changed.size())), kChangedAnswerMarkMs);
        // Return on an answered line goes on after its answer, as after any calculation.
        if (!mUpdatedLine.isNull()) {
            QTextCursor after(mUpdatedLine.block().next().next());
            if (after.block().isValid())
                mTextView->setTextCursor(after);
            else
                mTextView->moveCursor(QTextCursor::End);
            mTextView->ensureCursorVisible();
        }
    }
    mUpdatedLine = QTextCursor();
    emit recalculationFinished(int(changed.size()), recalculation.allSucceeded());
}

void MyDocument::noteEditedStatements(int position, int charsAdded) {
    if (mReplacingAnswers || isCalculating() || !mAnswerMarks)
        return;
    // Editing the statement of an answered line leaves its answer out of date.
    const QTextDocument* text = textDocument();
    const QTextBlock last = text->findBlock(position + charsAdded);
    for (QTextBlock block = text->findBlock(position); block.isValid(); block = block.next()) {
        if (Recalculation::isAnsweredStatement(block))
            mAnswerMarks->statementEdited(block);
        if (block == last)
            break;
    }
}

void MyDocument::restoreAnswerStep(CalcStatePtr state, const QList<int>& answers,
                                   const QList<int>& outOfDate) {
    adoptState(std::move(state));
    if (!mAnswerMarks)
        return;
    mAnswerMarks->clearOutOfDate(answers);
    for (int answer : outOfDate)
        mAnswerMarks->markOutOfDate(textDocument()->findBlockByNumber(answer));
    // The text this undo or redo puts back is not an edit of its statements.
    mReplacingAnswers = true;
    QMetaObject::invokeMethod(
        this, [this] { mReplacingAnswers = false; }, Qt::QueuedConnection);
}

void MyDocument::adoptState(CalcStatePtr state) {
    mCalcSession->adoptState(std::move(state));
    emit symbolsChanged();
}
