// How a worksheet calculates: Return after a statement sends it to the document's CalcTool, and
// the reply, the time-out or the tool's end puts the answer on the next line. The document's
// own state mirrors every value and function the tool records, so a restarted tool goes on
// where the last one stopped.

#include "app/appcontroller.h"
#include "document/errortext.h"
#include "document/mydocument.h"
#include "document/namecompleter.h"
#include "document/resultformat.h"
#include "document/statementhighlighter.h"
#include "document/symbollisting.h"
#include "document/symbolspanel.h"
#include "document/toolreply.h"
#include "document/worksheeteditor.h"
#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "platform/documentwindow.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace {

// The marker after a calculated statement: its length is part of where the statement starts.
const QString kCalculatedMarker = QStringLiteral(" =\n");

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

// The line will get no answer from the tool that had it: a fresh one, seeded from the
// document's state, takes the next line, and this one gets the message.
void giveUpOnLine(MyDocument& document, const char* messageKey) {
    document.calcTask()->abandon();
    document.startCalcTask();
    document.calcTask()->clearReplyBuffer();
    document.textView->setReadOnly(false);
    document.insertLine(platform::keyedText(messageKey), AppController::errorAtts());
    emit document.calculationFinished(false);
}

} // namespace

bool MyDocument::isCalculating() const { return textView && textView->isReadOnly(); }

bool MyDocument::insertNewline() {
    QTextCursor cursor = textView->textCursor();
    if (cursor.hasSelection() || cursor.position() == 0)
        return false;
    // Lines end at "\n" only, which is where the text's blocks end.
    const int lineStart = cursor.block().position();
    if (cursor.position() == lineStart)
        return false;
    const QString statement = cursor.block()
                                  .text()
                                  .left(cursor.position() - lineStart)
                                  .replace(QChar::LineSeparator, QLatin1Char(' '));
    mLineToCalculate = standardizeString(statement, AppController::isCommaDecimal());

    // One edit, so that the view lays the text out once. The view's own insertion point moves
    // along with it; the view scrolls to it once, when the answer is in (see below).
    cursor.beginEditBlock();
    cursor.insertText(QStringLiteral(" ="));
    cursor.insertBlock();
    cursor.endEditBlock();

    // No tool: it could not be started, or it ended before it answered anything.
    if (!mCalcTask->isRunning())
        startCalcTask();
    if (!mCalcTask->isRunning()) {
        insertLine(platform::keyedText("ToolNotStarted").arg(mToolStartError),
                   AppController::errorAtts());
        emit calculationFinished(false);
        return true;
    }
    textView->setReadOnly(true);
    sendCommandToTask(mLineToCalculate);
    mCalcTimer->start(int(AppController::calcTimeout() * 1000));
    // Queued after the link's short wait for a quick answer: an answer that takes longer
    // should not leave the new line out of sight meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isCalculating())
                textView->ensureCursorVisible();
        },
        Qt::QueuedConnection);
    return true;
}

void MyDocument::startCalcTask() {
    if (!mCalcTimer) {
        mCalcTimer = new QTimer(this);
        mCalcTimer->setSingleShot(true);
        connect(mCalcTimer, &QTimer::timeout, this, &MyDocument::calcTimedOut);
        connect(mCalcTask, &ToolLink::replyUnreadable, this, [this] {
            mCalcTimer->stop();
            if (isCalculating()) {
                giveUpOnLine(*this, "BadReply");
                return;
            }
            // Out of step with its requests; the next Return starts a fresh one, so a tool
            // that chatters from the start cannot keep us restarting it.
            qWarning("CalcTool wrote output nobody asked for; it is abandoned");
            mCalcTask->abandon();
        });
    }
    const std::optional<plist::Dictionary> variables = CopyVariablesDictionary(*mCalcState);
    const std::optional<plist::Dictionary> functions = CopyFunctionsDictionary(*mCalcState);
    QString error;
    if (variables && functions && mCalcTask->start(*variables, *functions, &error)) {
        mToolStartError.clear();
        return;
    }
    mToolStartError =
        error.isEmpty() ? tr("Out of memory.") : whyToolDidNotStart(mCalcTask->toolPath(), error);
    qWarning("Caught %s: %s", "FailedToStart", qUtf8Printable(mToolStartError));
}

void MyDocument::sendCommandToTask(const QString& line) { mCalcTask->send(line); }

void MyDocument::insertString(const QString& text, const QTextCharFormat& attributes) {
    // Through a copy of the view's cursor: the view's own moves along with the insertion, and
    // the view scrolls only when asked to, once for a whole line.
    QTextCursor cursor = textView->textCursor();
    cursor.insertText(text, attributes);
}

void MyDocument::insertLine(const QString& text, const QTextCharFormat& attributes) {
    // One edit: the text is laid out once, and one Undo takes the whole line back.
    QTextCursor edit = textView->textCursor();
    edit.beginEditBlock();
    insertString(text, attributes);
    insertString(QStringLiteral("\n"), AppController::normalAtts());
    edit.endEditBlock();
    textView->ensureCursorVisible();
}

void MyDocument::handleTaskResult(const plist::Dictionary& reply) {
    textView->setReadOnly(false);
    mCalcTimer->stop();
    const int insertionPoint = textView->textCursor().selectionStart();
    const int lineLength = int(mLineToCalculate.size());

    const ToolReply answer = recordToolReply(reply, mLineToCalculate.toStdString(), *mCalcState);
    switch (answer.kind) {
    case kFunctionDefined:
        insertLine(platform::keyedText("DefFun"), AppController::successAtts());
        emit calculationFinished(true);
        break;
    case kSyntaxError: {
        const int stop = utf16Length(mLineToCalculate, answer.stop);
        insertLine(syntaxErrorText(answer, AppController::isCommaDecimal()),
                   AppController::errorAtts());
        // Select what the parser did not accept, up to the end of the calculated line.
        const int lineStart = insertionPoint - int(kCalculatedMarker.size()) - lineLength;
        const int last = textView->document()->characterCount() - 1;
        QTextCursor selection = textView->textCursor();
        selection.setPosition(std::clamp(lineStart + stop, 0, last));
        selection.setPosition(std::clamp(lineStart + lineLength, 0, last), QTextCursor::KeepAnchor);
        textView->setTextCursor(selection);
        emit calculationFinished(false);
        break;
    }
    default:
        insertLine(formatCalculatedResult(answer.value), AppController::successAtts());
        emit calculationFinished(true);
        break;
    }
}

void MyDocument::taskEnded(int status) {
    const bool answerOutstanding = isCalculating();
    mCalcTimer->stop();
    // An ordinary end while a line waits would leave the worksheet read-only for good: that
    // line gets the crash message too.
    if ((status != 0 && status != 15) || answerOutstanding) {
        textView->setReadOnly(false);
        insertLine(platform::keyedText("Crash"), AppController::errorAtts());
        if (answerOutstanding)
            emit calculationFinished(false);
    }
    // A tool that ends before answering anything would only end again, at once and for ever:
    // the next Return starts one.
    if (!answerOutstanding && !mCalcTask->hasAnswered())
        return;
    startCalcTask();
}

void MyDocument::calcTimedOut() { giveUpOnLine(*this, "Timeout"); }

QString MyDocument::formatCalculatedResult(double value) const {
    return ::formatCalculatedResult(value, mFormatIntegersAsHex, AppController::isCommaDecimal());
}

void MyDocument::keepTypingInTheNormalColour(const QTextCharFormat& format) {
    // Typing after or inside a coloured answer is ordinary text again.
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return;
    QTextCharFormat typing = format;
    typing.clearForeground();
    textView->setCurrentCharFormat(typing);
}

void MyDocument::buildCalculateMenu() {
    connect(docWindow->addFileCommand(tr("Save as &Template for New Worksheets…")),
            &QAction::triggered, this, &MyDocument::saveAsNewDocumentContent);
    QMenu* calculate = docWindow->menuBar()->addMenu(tr("&Calculate"));
    calculate->addAction(tr("List &Variables"), QKeySequence(tr("Ctrl+Shift+L")), this,
                         &MyDocument::showDefinedVariables);
    calculate->addAction(tr("List &Functions"), QKeySequence(tr("Ctrl+Shift+F")), this,
                         &MyDocument::showDefinedFunctions);
    calculate->addAction(tr("Forget V&ariable…"), this, &MyDocument::forgetVariable);
    calculate->addAction(tr("Forget F&unction…"), this, &MyDocument::forgetFunction);
    calculate->addSeparator();
    calculate->addAction(tr("&Recalculate Worksheet"), QKeySequence(tr("Ctrl+Shift+R")), this,
                         &MyDocument::recalculateWorksheet);
    NameCompleter* names = textView->nameCompleter();
    names->setNameSource([this] { return definedNames(*mCalcState); });
    connect(this, &MyDocument::calculationFinished, names, &NameCompleter::namesChanged);
    connect(this, &MyDocument::symbolsChanged, names, &NameCompleter::namesChanged);
    connect(this, &MyDocument::recalculationFinished, names, &NameCompleter::namesChanged);
    symbolsPanel = new SymbolsPanel(this);
    docWindow->addDockWidget(Qt::RightDockWidgetArea, symbolsPanel);
    symbolsPanel->hide();
    QAction* showSymbols = symbolsPanel->toggleViewAction();
    showSymbols->setText(tr("&Symbols Panel"));
    showSymbols->setShortcut(QKeySequence(tr("Ctrl+Shift+Y")));
    calculate->addAction(showSymbols);
    calculate->addSeparator();
    QMenu* integers = calculate->addMenu(tr("&Integers"));
    integers->menuAction()->setData(kIntegerFormatMenuTag);
    auto* group = new QActionGroup(integers);
    mDecFormatItem = integers->addAction(tr("&Decimal"));
    mDecFormatItem->setData(kDecimalItemTag);
    mHexFormatItem = integers->addAction(tr("&Hexadecimal"));
    mHexFormatItem->setData(kHexadecimalItemTag);
    for (QAction* item : {mDecFormatItem, mHexFormatItem}) {
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { setIntegerFormat(item); });
    }
    setIntegerFormatChecks();
}

void MyDocument::setIntegerFormat(QAction* sender) {
    if (!sender)
        return;
    mFormatIntegersAsHex = sender->data().toInt() == kHexadecimalItemTag;
    setIntegerFormatChecks();
    emit symbolsChanged();
}

void MyDocument::setIntegerFormatChecks() {
    if (mDecFormatItem)
        mDecFormatItem->setChecked(!mFormatIntegersAsHex);
    if (mHexFormatItem)
        mHexFormatItem->setChecked(mFormatIntegersAsHex);
}

void MyDocument::showDefinedVariables() {
    const std::optional<plist::Dictionary> variables = CopyVariablesDictionary(*mCalcState);
    if (!variables)
        return;
    insertLine(variablesListing(platform::keyedText("DefVars"), *variables,
                                [this](double value) { return formatCalculatedResult(value); }),
               AppController::successAtts());
}

void MyDocument::showDefinedFunctions() {
    const std::optional<plist::Dictionary> functions = CopyFunctionsDictionary(*mCalcState);
    if (!functions)
        return;
    insertLine(functionsListing(platform::keyedText("DefFuns"), *functions,
                                AppController::isCommaDecimal()),
               AppController::successAtts());
}

void MyDocument::startHighlighting() {
    // Attached once the text is in; the first names colour the whole text in one pass, and
    // from then on each edit recolours the lines it touched.
    auto* highlighter = new StatementHighlighter(textView->document());
    auto* namesChangedLater = new QTimer(this);
    namesChangedLater->setSingleShot(true);
    namesChangedLater->setInterval(0);
    connect(namesChangedLater, &QTimer::timeout, highlighter, [this, highlighter] {
        highlighter->setNames(variableNames(*mCalcState), functionNames(*mCalcState));
    });
    auto later = [namesChangedLater] { namesChangedLater->start(); };
    connect(this, &MyDocument::calculationFinished, namesChangedLater, later);
    connect(this, &MyDocument::symbolsChanged, namesChangedLater, later);
    connect(this, &MyDocument::recalculationFinished, namesChangedLater, later);
    namesChangedLater->start();
}
