// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheet.h"

#include "engine/dictionaries.h"
#include "platform/diagnostics.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"
#include "worksheet/answercolours.h"
#include "worksheet/answerformats.h"
#include "worksheet/answermarks.h"
#include "worksheet/calcsession.h"
#include "worksheet/chartobject.h"
#include "worksheet/newdocumenttemplate.h"
#include "worksheet/nolayout.h"
#include "worksheet/recalculation.h"
#include "worksheet/resultformat.h"
#include "worksheet/statementwords.h"
#include "worksheet/statestep.h"
#include "worksheet/symbollisting.h"
#include "worksheet/worksheetreading.h"
#include "worksheet/worksheettype.h"
#include "worksheet/worksheetwriting.h"
#include "worksheet/writtenanswer.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>

#include <algorithm>

namespace {

constexpr double kDefaultFontSize = 14.0;
constexpr int kNoticeMs = 5000;
constexpr int kChangedAnswerMarkMs = 3000;
// Progress shows only for an update long enough to wonder about.
constexpr int kProgressAfterMs = 500;

} // namespace

Worksheet::Worksheet(const WorksheetOptions& options, QObject* parent)
    : QObject(parent), mText(new QTextDocument(this)), mOptions(options),
      mSession(new CalcSession(this)), mAnswerMarks(new AnswerMarks(mText)) {
    // Text without a font of its own, such as plain text, shows in the user font at 14 points.
    QFont userFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    userFont.setPointSizeF(kDefaultFontSize);
    mText->setDefaultFont(userFont);
    mText->setDocumentLayout(new NoLayout(mText));
    mTypingFormat.setFont(userFont);
    mSession->setTimeLimit(options.timeLimitSeconds);
    connect(mSession, &CalcSession::toolRestarted, this,
            [this] { emit notice(platform::keyedText("ToolRestarted"), kNoticeMs); });
    connect(mText, &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { noteEditedStatements(position, added); });
}

Worksheet::~Worksheet() {
    qCInfo(figurelloDiagnostics, "dealloc 1");
    qCInfo(figurelloDiagnostics, "dealloc 2");
    // The session takes its state and its tool with it, before the text goes.
    delete std::exchange(mSession, nullptr);
    qCInfo(figurelloDiagnostics, "dealloc 3");
    qCInfo(figurelloDiagnostics, "dealloc 4");
}

void Worksheet::prepareTextForView() {
    // Putting a real layout in place tells of the whole text as if inserted: no statement is
    // edited by it.
    const QScopedValueRollback writing(mWritingAnswers, true);
    mText->setDocumentLayout(nullptr);
    mText->documentLayout();
    ChartObject::of(mText)->setCommaIsDecimal(mOptions.commaIsDecimal);
}

SCalcState* Worksheet::state() const { return mSession->state(); }

ToolLink* Worksheet::tool() const { return mSession->calcTask(); }

void Worksheet::startTool() { mSession->startCalcTask(); }

bool Worksheet::read(const QByteArray& data, const QString& typeName, const QString& displayName,
                     QString* error) {
    ReadWorksheet read;
    const bool textRead = readWorksheet(data, typeName, displayName, read, error);
    // A worksheet's variables and functions are taken even when its text cannot be read.
    if (read.variables)
        LoadVariablesDictionary(*read.variables, *state());
    if (read.functions)
        LoadFunctionsDictionary(*read.functions, *state());
    if (read.variableUnits)
        LoadVariableUnitsDictionary(*read.variableUnits, *state());
    mInitialTypingFont = read.typingFont;
    mLoadedWindowFrame = read.windowFrame;
    if (!textRead)
        return false;
    noteUnreadCodePages(read.unreadCodePages);
    setText(*read.text);
    return true;
}

void Worksheet::startFromTemplateUnlessRead() {
    if (mRead)
        return;
    const QByteArray data = newDocumentTemplateData();
    if (!data.isEmpty())
        read(data, kWorksheetType, QString());
}

void Worksheet::noteUnreadCodePages(const QList<int>& codePages) {
    mReadNote.clear();
    if (codePages.isEmpty())
        return;
    QStringList numbers;
    for (int codePage : codePages)
        numbers << QString::number(codePage);
    mReadNote = platform::keyedText("UnreadCodePage").arg(numbers.join(QStringLiteral(", ")));
}

void Worksheet::setText(const QTextDocument& loaded) {
    {
        const QScopedValueRollback writing(mWritingAnswers, true);
        QTextCursor cursor(mText);
        cursor.select(QTextCursor::Document);
        cursor.insertFragment(QTextDocumentFragment(&loaded));
        adoptColourScheme(mText);
        mText->clearUndoRedoStacks();
        mText->setModified(false);
    }
    mRead = true;

    // What typing at the end of the loaded text would take.
    QTextCursor end(mText);
    end.movePosition(QTextCursor::End);
    QTextCharFormat typing = end.charFormat();
    if (mInitialTypingFont) {
        typing.setFont(*mInitialTypingFont);
    } else {
        typing.clearProperty(QTextFormat::FontFamilies);
        typing.clearProperty(QTextFormat::FontPointSize);
    }
    // No colour of its own: typed text shows in the palette's text colour, light or dark.
    typing.clearForeground();
    mTypingFormat = typing;
    // Its answers were calculated from its statements as they stand.
    for (QTextBlock block = mText->begin(); block.isValid(); block = block.next())
        if (Recalculation::isAnsweredStatement(block))
            mAnswerMarks->noteAnswered(block);
}

QByteArray Worksheet::fileData(QString* error) const {
    // What the typing format leaves unset comes from the text's default font.
    const QFont typingFont = mTypingFormat.font().resolve(mText->defaultFont());
    return worksheetData(*mText, *state(), typingFont,
                         mWindowFrame.value_or(frameOnThisScreen(mLoadedWindowFrame)), error);
}

void Worksheet::setOptions(const WorksheetOptions& options) {
    if (options == mOptions)
        return;
    mOptions = options;
    mSession->setTimeLimit(options.timeLimitSeconds);
    ChartObject::of(mText)->setCommaIsDecimal(mOptions.commaIsDecimal);
    emit optionsChanged(mOptions);
}

void Worksheet::setIntegersAsHex(bool hex) {
    mIntegersAsHex = hex;
    emit integerFormatChanged(hex);
    emit namesChanged();
}

bool Worksheet::isCalculating() const {
    return mSession->isCalculating() || mRecalculation != nullptr;
}

void Worksheet::setWaiting(bool waiting) { emit waitingChanged(waiting, isUpdating()); }

bool Worksheet::calculateAt(const QTextCursor& at) {
    QTextCursor cursor = at;
    if (cursor.hasSelection() || cursor.position() == 0 || isCalculating())
        return false;
    // Lines end at "\n" only, which is where the text's blocks end.
    const int lineStart = cursor.block().position();
    if (cursor.position() == lineStart)
        return false;
    if (calculateAnsweredLine(cursor))
        return true;
    const QString statement = cursor.block()
                                  .text()
                                  .left(cursor.position() - lineStart)
                                  .replace(QChar::LineSeparator, QLatin1Char(' '));
    // A line that lost its " =" still has the answer the worksheet wrote under it: the new
    // answer takes its place rather than leaving it behind.
    const QTextBlock next = cursor.block().next();
    mReplacesAnswer = cursor.atBlockEnd() && isWrittenAnswer(next);

    // One edit, so that the text is laid out once. A view's insertion point there moves along
    // with it.
    cursor.beginEditBlock();
    cursor.insertText(kCalculatedMarker);
    if (!mReplacesAnswer)
        cursor.insertBlock();
    cursor.endEditBlock();
    // The answer goes here, and the line is found here, wherever the user clicks meanwhile.
    mStatementStart = QTextCursor(mText);
    mStatementStart.setPosition(lineStart);
    mAnswerPosition = cursor;
    if (mReplacesAnswer) {
        mAnswerPosition.setPosition(next.position());
        mAnswerPosition.setPosition(next.position() + next.length() - 1, QTextCursor::KeepAnchor);
    }

    setWaiting(true);
    Calculation* line = mSession->calculate(standardizeString(statement, mOptions.commaIsDecimal));
    connect(line, &Calculation::answered, this, &Worksheet::answerLine);
    return true;
}

void Worksheet::answerLine(const CalcOutcome& outcome) {
    QTextCursor answerAt = std::exchange(mAnswerPosition, QTextCursor());
    const QTextCharFormat colour = resultFormat(outcome.succeeded());
    {
        const QScopedValueRollback writing(mWritingAnswers, true);
        // The new answer keeps the old one's font; a new line takes that of the text it follows.
        answerAt.beginEditBlock();
        insertAnswer(answerAt, outcome, answerFormat(answerAt.charFormat(), colour), mIntegersAsHex,
                     mOptions.commaIsDecimal);
        if (!mReplacesAnswer)
            answerAt.insertText(QStringLiteral("\n"),
                                answerFormat(answerAt.charFormat(), normalFormat()));
        answerAt.endEditBlock();
    }
    const QTextBlock statement = mStatementStart.block();
    mAnswerMarks->clearOutOfDate({statement.blockNumber() + 1});
    mAnswerMarks->noteAnswered(statement);
    setWaiting(false);
    if (outcome.kind == CalcOutcome::Kind::SyntaxError) {
        // What the parser did not accept, up to the end of the calculated line.
        const int lineStart = mStatementStart.position();
        const int lineEnd =
            statement.position() + statement.length() - 1 - int(kCalculatedMarker.size());
        emit syntaxErrorAt(
            std::clamp(lineStart + outcome.stop, lineStart, std::max(lineStart, lineEnd)),
            std::max(lineStart, lineEnd));
    } else if (mReplacesAnswer) {
        emit continueAfter(statement.blockNumber() + 1);
    }
    mStatementStart = QTextCursor();
    emit answerArrived(statement.blockNumber(), statement.next().position());
    emit calculationFinished(outcome.succeeded());
    emit namesChanged();
}

Calculation* Worksheet::calculateAtEnd(const QStringList& lines) {
    auto end = std::make_shared<QTextCursor>(mText);
    end->movePosition(QTextCursor::End);
    const QTextCharFormat typing = mTypingFormat;
    QStringList statements;
    for (const QString& line : lines)
        statements.append(standardizeString(line, mOptions.commaIsDecimal));
    // One edit for the lot: the text's layout is left alone until the end. Each line goes in
    // with its answer, so the text grows at its end only.
    end->beginEditBlock();
    Calculation* calculation = mSession->calculate(statements);
    connect(calculation, &Calculation::answered, this,
            [this, end, typing, lines, calculation](const CalcOutcome& outcome) {
                if (!end->block().text().isEmpty())
                    end->insertBlock();
                end->insertText(lines[calculation->answeredCount() - 1] + kCalculatedMarker,
                                typing);
                const QTextBlock statement = end->block();
                end->insertBlock();
                insertAnswer(*end, outcome, resultFormat(outcome.succeeded()), mIntegersAsHex,
                             mOptions.commaIsDecimal);
                end->insertText(QStringLiteral("\n"), normalFormat());
                // As a line answered alone is: an edit that leaves its text as it was, such as
                // recolouring the answers for another scheme, leaves its answer up to date.
                mAnswerMarks->noteAnswered(statement);
            });
    connect(calculation, &Calculation::finished, this, [this, end] {
        {
            const QScopedValueRollback writing(mWritingAnswers, true);
            end->endEditBlock();
        }
        emit namesChanged();
    });
    return calculation;
}

void Worksheet::insertLine(QTextCursor at, const QString& text, const QTextCharFormat& format) {
    // One edit: the text is laid out once, and one Undo takes the whole line back. In the font
    // of the text it follows, as typing would be.
    const QScopedValueRollback writing(mWritingAnswers, true);
    at.beginEditBlock();
    at.insertText(text, answerFormat(at.charFormat(), format));
    at.insertText(QStringLiteral("\n"), answerFormat(at.charFormat(), normalFormat()));
    at.endEditBlock();
}

QString Worksheet::formatValue(double value) const {
    return formatCalculatedResult(value, mIntegersAsHex, mOptions.commaIsDecimal);
}

QString Worksheet::variablesListing() const {
    return ::variablesListing(platform::keyedText("DefVars"), *state(),
                              [this](double value) { return formatValue(value); });
}

QString Worksheet::functionsListing() const {
    return ::functionsListing(platform::keyedText("DefFuns"), *state(), mOptions.commaIsDecimal);
}

void Worksheet::forget(const QString& name, bool function) {
    if (isCalculating())
        return;
    // The tool is started again from the new state, so the name no longer calculates.
    const SymbolKind kind = function ? SymbolKind::kFunction : SymbolKind::kVariable;
    if (CalcStatePtr rebuilt = CalcStateWithout(*state(), kind, name.toStdString()))
        adoptState(std::move(rebuilt));
}

void Worksheet::adoptState(CalcStatePtr state) {
    mSession->adoptState(std::move(state));
    emit namesChanged();
}

bool Worksheet::calculateAnsweredLine(const QTextCursor& at) {
    const QTextBlock block = at.block();
    const QString text = block.text();
    const int inLine = at.position() - block.position();
    if (!Recalculation::isAnsweredStatement(block) ||
        (inLine != text.size() && inLine != text.size() - kCalculatedMarker.size()))
        return false;
    const QList<Recalculation::Line> dependents = Recalculation::dependentsOf(block, *state());
    if (dependents.isEmpty())
        return false;
    const QList<Recalculation::Line> update =
        mOptions.updatesDependents ? dependents : dependents.mid(0, 1);
    // Not followed: what depends on the line is out of date until calculated again.
    if (!mOptions.updatesDependents)
        for (const Recalculation::Line& line : dependents.mid(1))
            mAnswerMarks->markOutOfDate(mText->findBlockByNumber(line.statementBlock + 1));
    mUpdatedLine = QTextCursor(block);
    runRecalculation(new Recalculation(mText, mSession, update, mIntegersAsHex, mOptions, this));
    return true;
}

void Worksheet::recalculate() {
    if (isCalculating())
        return;
    runRecalculation(new Recalculation(mText, *state(), mIntegersAsHex, mOptions, this));
}

void Worksheet::stopUpdating() {
    if (mRecalculation)
        mRecalculation->stop();
}

void Worksheet::runRecalculation(Recalculation* recalculation) {
    mRecalculation = recalculation;
    const StateSymbols before = symbolsOf(*state());
    setWaiting(true);
    auto* progressLater = new QTimer(recalculation);
    progressLater->setSingleShot(true);
    const auto showProgress = [this, recalculation, progressLater](int done) {
        if (!progressLater->isActive())
            emit notice(
                platform::keyedText("UpdateProgress").arg(done).arg(recalculation->lineCount()), 0);
    };
    connect(progressLater, &QTimer::timeout, this, [showProgress] { showProgress(0); });
    connect(recalculation, &Recalculation::progressed, this, showProgress);
    progressLater->start(kProgressAfterMs);
    connect(recalculation, &Recalculation::finished, this, [this, before] {
        Recalculation* recalculation = std::exchange(mRecalculation, nullptr);
        recalculation->deleteLater();
        setWaiting(false);
        finishRecalculation(*recalculation, before);
    });
    recalculation->start();
}

void Worksheet::finishRecalculation(Recalculation& recalculation, const StateSymbols& before) {
    const bool ownState = recalculation.ownsSession();
    if (ownState)
        adoptState(recalculation.takeState());
    // One Undo takes back the answers and the variables and functions that went with them.
    QTextCursor edit(mText);
    QList<int> changed;
    {
        const QScopedValueRollback writing(mWritingAnswers, true);
        changed = recalculation.replaceChangedAnswers(edit);
    }
    // With no answer changed there is nothing to take back, and the text stays unedited.
    if (!changed.isEmpty()) {
        edit.joinPreviousEditBlock();
        recordStateStep(*mText, *this, before, recalculation.answersReached(),
                        mAnswerMarks->outOfDate(recalculation.answersReached()));
        edit.endEditBlock();
    }
    mAnswerMarks->clearOutOfDate(recalculation.answersReached());
    for (int answer : recalculation.answersReached())
        mAnswerMarks->noteAnswered(mText->findBlockByNumber(answer - 1));
    for (int answer : recalculation.answersNotReached())
        mAnswerMarks->markOutOfDate(mText->findBlockByNumber(answer));
    mAnswerMarks->markChanged(changed, kChangedAnswerMarkMs);
    // Return on an answered line is answered, changed or not, before the update is summed up.
    if (!mUpdatedLine.isNull())
        emit answerArrived(mUpdatedLine.blockNumber(), mUpdatedLine.block().next().position());
    emit notice(tr("%n answer(s) changed", nullptr, int(changed.size())), kChangedAnswerMarkMs);
    // Return on an answered line goes on after its answer, as after any calculation.
    if (!mUpdatedLine.isNull())
        emit continueAfter(std::exchange(mUpdatedLine, QTextCursor()).blockNumber() + 1);
    emit recalculationFinished(int(changed.size()), recalculation.allSucceeded());
    emit namesChanged();
}

void Worksheet::noteEditedStatements(int position, int charsAdded) {
    if (mWritingAnswers || isCalculating())
        return;
    // Editing the statement of an answered line leaves its answer out of date.
    const QTextBlock last = mText->findBlock(position + charsAdded);
    for (QTextBlock block = mText->findBlock(position); block.isValid(); block = block.next()) {
        if (Recalculation::isAnsweredStatement(block))
            mAnswerMarks->statementEdited(block);
        if (block == last)
            break;
    }
}

void Worksheet::restoreAnswerStep(CalcStatePtr state, const QList<int>& answers,
                                  const QList<int>& outOfDate) {
    adoptState(std::move(state));
    mAnswerMarks->clearOutOfDate(answers);
    for (int answer : outOfDate)
        mAnswerMarks->markOutOfDate(mText->findBlockByNumber(answer));
    // The text this undo or redo puts back is not an edit of its statements.
    mWritingAnswers = true;
    QMetaObject::invokeMethod(
        this, [this] { mWritingAnswers = false; }, Qt::QueuedConnection);
}
