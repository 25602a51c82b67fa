// How a worksheet calculates: Return after a statement hands it to the worksheet's session, and
// its outcome goes on the next line. The session's state mirrors every value and function the
// tool records, so a restarted tool goes on where the last one stopped.

#include "worksheet/answercolours.h"
#include "window/answermarks.h"
#include "worksheet/calcsession.h"
#include "window/mydocument.h"
#include "window/namecompleter.h"
#include "worksheet/resultformat.h"
#include "window/statementhighlighter.h"
#include "worksheet/statementwords.h"
#include "worksheet/symbollisting.h"
#include "window/symbolspanel.h"
#include "window/worksheeteditor.h"
#include "worksheet/worksheetsettings.h"
#include "window/worksheetwindow.h"
#include "engine/calcengine.h"
#include "platform/documentwindow.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"

#include <QActionGroup>
#include <QEventLoop>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

bool MyDocument::isCalculating() const {
    return mCalcSession->isCalculating() || mRecalculation != nullptr;
}

bool MyDocument::insertNewline() {
    QTextCursor cursor = mTextView->textCursor();
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
    mLineToCalculate = standardizeString(statement, WorksheetSettings::isCommaDecimal());

    // One edit, so that the view lays the text out once. The view's own insertion point moves
    // along with it; the view scrolls to it once, when the answer is in (see below).
    cursor.beginEditBlock();
    cursor.insertText(kCalculatedMarker);
    cursor.insertBlock();
    cursor.endEditBlock();
    // The answer goes here, and the line is found here, wherever the user clicks meanwhile.
    mStatementStart = QTextCursor(mTextView->document());
    mStatementStart.setPosition(lineStart);
    mAnswerPosition = cursor;

    setWaitingForAnswers(true);
    mCalcSession->calculate(mLineToCalculate);
    // Queued after the link's short wait for a quick answer: an answer that takes longer
    // should not leave the new line out of sight meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isCalculating())
                mTextView->ensureCursorVisible();
        },
        Qt::QueuedConnection);
    return true;
}

void MyDocument::startCalcTask() { mCalcSession->startCalcTask(); }

void MyDocument::answerLine(const CalcOutcome& outcome) {
    // The outcome of a line of the window's own; a recalculation or the terminal listens to
    // its own lines.
    if (mAnswerPosition.isNull())
        return;
    const QTextCursor answerAt = std::exchange(mAnswerPosition, QTextCursor());
    insertLine(answerAt, answerText(outcome, mFormatIntegersAsHex),
               outcome.succeeded() ? WorksheetSettings::successAtts()
                                   : WorksheetSettings::errorAtts());
    setWaitingForAnswers(false);
    if (mAnswerMarks)
        mAnswerMarks->noteAnswered(mStatementStart.block());
    if (outcome.kind == CalcOutcome::Kind::SyntaxError) {
        // Select what the parser did not accept, up to the end of the calculated line, on that
        // line, wherever the insertion point was.
        const int lineStart = mStatementStart.position();
        const int lineEnd = mStatementStart.block().position() + mStatementStart.block().length() -
                            1 - int(kCalculatedMarker.size());
        QTextCursor selection(mTextView->document());
        selection.setPosition(
            std::clamp(lineStart + outcome.stop, lineStart, std::max(lineStart, lineEnd)));
        selection.setPosition(std::max(lineStart, lineEnd), QTextCursor::KeepAnchor);
        mTextView->setTextCursor(selection);
    }
    mStatementStart = QTextCursor();
    emit calculationFinished(outcome.succeeded());
}

void MyDocument::setWaitingForAnswers(bool waiting) {
    if (mDocWindow)
        mDocWindow->setWaitingForAnswers(waiting, mRecalculation != nullptr);
}

bool MyDocument::calculateAtEnd(const QStringList& lines) {
    QTextDocument* text = textDocument();
    QTextCursor end(text);
    end.movePosition(QTextCursor::End);
    const QTextCharFormat typing = typingFormat();
    bool allSucceeded = true;
    int next = 0;
    QStringList statements;
    for (const QString& line : lines)
        statements.append(standardizeString(line, WorksheetSettings::isCommaDecimal()));
    QEventLoop answered;
    // Each line goes in with its answer, so the text grows at its end only.
    const QMetaObject::Connection connection =
        connect(mCalcSession, &CalcSession::answered, &answered, [&](const CalcOutcome& outcome) {
            if (!end.block().text().isEmpty())
                end.insertBlock();
            end.insertText(lines[next++] + kCalculatedMarker, typing);
            end.insertBlock();
            end.insertText(answerText(outcome, mFormatIntegersAsHex),
                           outcome.succeeded() ? WorksheetSettings::successAtts()
                                               : WorksheetSettings::errorAtts());
            end.insertText(QStringLiteral("\n"), WorksheetSettings::normalAtts());
            allSucceeded = allSucceeded && outcome.succeeded();
            if (next == lines.size())
                answered.quit();
        });
    // One edit for the lot: the text's layout is left alone until the end.
    end.beginEditBlock();
    mCalcSession->calculate(statements);
    if (next < lines.size())
        answered.exec();
    mReplacingAnswers = true;
    end.endEditBlock();
    mReplacingAnswers = false;
    disconnect(connection);
    return allSucceeded;
}

void MyDocument::insertString(QTextCursor& at, const QString& text,
                              const QTextCharFormat& attributes) {
    // In the font of the text it follows, as typing would be.
    at.insertText(text, answerFormat(at.charFormat(), attributes));
}

void MyDocument::insertString(const QString& text, const QTextCharFormat& attributes) {
    // Through a copy of the view's cursor: the view's own moves along with the insertion, and
    // the view scrolls only when asked to, once for a whole line.
    QTextCursor cursor = mTextView->textCursor();
    insertString(cursor, text, attributes);
}

void MyDocument::insertLine(QTextCursor at, const QString& text,
                            const QTextCharFormat& attributes) {
    // One edit: the text is laid out once, and one Undo takes the whole line back.
    mReplacingAnswers = true;
    at.beginEditBlock();
    insertString(at, text, attributes);
    insertString(at, QStringLiteral("\n"), WorksheetSettings::normalAtts());
    at.endEditBlock();
    mReplacingAnswers = false;
    mTextView->ensureCursorVisible();
}

void MyDocument::insertLine(const QString& text, const QTextCharFormat& attributes) {
    insertLine(mTextView->textCursor(), text, attributes);
}

QString MyDocument::formatCalculatedResult(double value) const {
    return ::formatCalculatedResult(value, mFormatIntegersAsHex,
                                    WorksheetSettings::isCommaDecimal());
}

void MyDocument::keepTypingInTheNormalColour(const QTextCharFormat& format) {
    // Typing after or inside a coloured answer is ordinary text again. Not while text is
    // selected: the format would go onto the selection, an edit of its own for Undo to find.
    if (!format.hasProperty(QTextFormat::ForegroundBrush) || mTextView->textCursor().hasSelection())
        return;
    QTextCharFormat typing = format;
    typing.clearForeground();
    mTextView->setCurrentCharFormat(typing);
}

void MyDocument::connectNameCompleter() {
    NameCompleter* names = mTextView->nameCompleter();
    names->setNameSource([this] { return definedNames(*calcState()); });
    connect(this, &MyDocument::calculationFinished, names, &NameCompleter::namesChanged);
    connect(this, &MyDocument::symbolsChanged, names, &NameCompleter::namesChanged);
    connect(this, &MyDocument::recalculationFinished, names, &NameCompleter::namesChanged);
}

void MyDocument::setIntegerFormat(QAction* sender) {
    if (!sender)
        return;
    setIntegersAsHex(sender->data().toInt() == kHexadecimalItemTag);
}

void MyDocument::setIntegersAsHex(bool hex) {
    mFormatIntegersAsHex = hex;
    setIntegerFormatChecks();
    emit symbolsChanged();
}

void MyDocument::setIntegerFormatChecks() {
    if (mDocWindow)
        mDocWindow->showIntegerFormat(mFormatIntegersAsHex);
}

void MyDocument::showDefinedVariables() {
    insertLine(variablesListing(platform::keyedText("DefVars"), *calcState(),
                                [this](double value) { return formatCalculatedResult(value); }),
               WorksheetSettings::successAtts());
}

void MyDocument::showDefinedFunctions() {
    insertLine(functionsListing(platform::keyedText("DefFuns"), *calcState(),
                                WorksheetSettings::isCommaDecimal()),
               WorksheetSettings::successAtts());
}

void MyDocument::startHighlighting() {
    // Attached once the text is in; the first names colour the whole text in one pass, and
    // from then on each edit recolours the lines it touched.
    auto* highlighter = new StatementHighlighter(mTextView->document());
    auto* namesChangedLater = new QTimer(this);
    namesChangedLater->setSingleShot(true);
    namesChangedLater->setInterval(0);
    connect(namesChangedLater, &QTimer::timeout, highlighter, [this, highlighter] {
        highlighter->setNames(variableNames(*calcState()), functionNames(*calcState()));
    });
    auto later = [namesChangedLater] { namesChangedLater->start(); };
    connect(this, &MyDocument::calculationFinished, namesChangedLater, later);
    connect(this, &MyDocument::symbolsChanged, namesChangedLater, later);
    connect(this, &MyDocument::recalculationFinished, namesChangedLater, later);
    namesChangedLater->start();
}
