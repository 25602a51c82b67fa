#include "window/mydocument.h"

#include "worksheet/answercolours.h"
#include "window/answermarks.h"
#include "worksheet/calcsession.h"
#include "worksheet/recalculation.h"
#include "worksheet/statementwords.h"
#include "window/worksheeteditor.h"
#include "window/followcolourscheme.h"
#include "window/worksheetprinting.h"
#include "worksheet/newdocumenttemplate.h"
#include "worksheet/worksheetfile.h"
#include "worksheet/worksheettype.h"
#include "window/worksheetwindow.h"
#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "platform/afterfirstpaint.h"
#include "platform/atomicwrite.h"
#include "platform/diagnostics.h"
#include "platform/documentcontroller.h"
#include "platform/filetypes.h"
#include "platform/keyedtexts.h"
#include "platform/savedframe.h"
#include "rtf/fontsubstitutes.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "toollink/toollink.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <new>

namespace {

constexpr double kDefaultFontSize = 14.0;
constexpr int kStatusMessageMs = 5000;
const QSize kDefaultWindowSize(640, 520);

QRect availableGeometryFor(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}

std::string toStdString(const QString& text) { return text.toStdString(); }

} // namespace

MyDocument::MyDocument() : mCalcSession(new CalcSession(this)) {
    connect(mCalcSession, &CalcSession::answered, this, &MyDocument::answerLine);
    connect(mCalcSession, &CalcSession::toolRestarted, this, [this] {
        if (mDocWindow)
            mDocWindow->statusBar()->showMessage(platform::keyedText("ToolRestarted"),
                                                 kStatusMessageMs);
    });
}

MyDocument::~MyDocument() {
    qCInfo(figurelloDiagnostics, "dealloc 1");
    qCInfo(figurelloDiagnostics, "dealloc 2");
    // The session takes its state and its tool with it.
    delete std::exchange(mCalcSession, nullptr);
    qCInfo(figurelloDiagnostics, "dealloc 3");
    qCInfo(figurelloDiagnostics, "dealloc 4");
    delete mDocWindow;
}

ToolLink* MyDocument::calcTask() const { return mCalcSession->calcTask(); }

SCalcState* MyDocument::calcState() const { return mCalcSession->state(); }

QTextDocument* MyDocument::textDocument() const {
    return mTextView ? mTextView->document() : mText;
}

QTextCharFormat MyDocument::typingFormat() const {
    return mTextView ? mTextView->currentCharFormat() : mTypingFormat;
}

bool MyDocument::readFromData(const QByteArray& data, const QString& typeName, QString* error) {
    if (typeName == platform::kPlainTextType)
        return loadPlainTextData(data, error);
    if (typeName == platform::kRtfType)
        return loadRTFData(data, error);
    if (typeName == kWorksheetType)
        return loadNativeData(data, error);
    if (error)
        *error = platform::keyedText("UnknownFormat").arg(displayName());
    return false;
}

void MyDocument::setString(const QTextDocument* string) {
    if (string == mString.get())
        return;
    mString.reset(string ? string->clone() : nullptr);
}

bool MyDocument::loadPlainTextData(const QByteArray& data, QString* error) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(data);
    if (decoder.hasError()) {
        // Guessing another encoding would show garbage that a save would then make permanent.
        if (error)
            *error = platform::keyedText("NotUtf8").arg(displayName());
        return false;
    }
    QTextDocument document;
    document.setPlainText(text);
    setString(&document);
    return true;
}

bool MyDocument::loadRTFData(const QByteArray& data, QString* error) {
    QTextDocument document;
    QString reason;
    QList<int> unreadCodePages;
    if (!rtf::readRtf(data, document, &reason, &unreadCodePages)) {
        if (error)
            *error = platform::keyedText("NotReadableRtf").arg(displayName(), reason);
        return false;
    }
    noteUnreadCodePages(unreadCodePages);
    setString(&document);
    return true;
}

void MyDocument::noteUnreadCodePages(const QList<int>& codePages) {
    mReadNote.clear();
    if (codePages.isEmpty())
        return;
    QStringList numbers;
    for (int codePage : codePages)
        numbers << QString::number(codePage);
    mReadNote = platform::keyedText("UnreadCodePage").arg(numbers.join(QStringLiteral(", ")));
}

bool MyDocument::loadNativeData(const QByteArray& data, QString* error) {
    WorksheetReadResult read = parseWorksheetFile(std::string_view(data.constData(), data.size()));
    if (!read.file) {
        qCWarning(figurelloDiagnostics, "Error: %s", read.error.c_str());
        if (error)
            *error = platform::keyedText("NotAWorksheet")
                         .arg(displayName(), QString::fromStdString(read.error));
        return false;
    }
    const WorksheetFile& file = *read.file;
    bool result = false;
    if (file.text) {
        QTextDocument document;
        QString reason;
        QList<int> unreadCodePages;
        if (rtf::readRtf(QByteArray::fromStdString(*file.text), document, &reason,
                         &unreadCodePages)) {
            noteUnreadCodePages(unreadCodePages);
            setString(&document);
            result = true;
        } else {
            qCWarning(figurelloDiagnostics, "Error: %s", qUtf8Printable(reason));
            if (error)
                *error = platform::keyedText("NotAWorksheet").arg(displayName(), reason);
        }
    } else if (error) {
        *error = platform::keyedText("NotAWorksheet")
                     .arg(displayName(), tr("It holds no worksheet text."));
    }
    if (file.variables)
        LoadVariablesDictionary(*file.variables, *calcState());
    if (file.functions)
        LoadFunctionsDictionary(*file.functions, *calcState());
    if (file.fontName && !file.fontName->empty() && file.fontSize && *file.fontSize > 0 &&
        *file.fontSize < 1000) {
        // A family this desktop lacks (Helvetica, Menlo) shows through its substitute and is
        // saved back under its own name and size, as the file had it.
        mInitialTypingFont =
            rtf::fontForStoredFamily(QString::fromStdString(*file.fontName), *file.fontSize);
    }
    mLoadedWindowFrame = file.windowFrame
                             ? std::optional<QString>(QString::fromStdString(*file.windowFrame))
                             : std::nullopt;
    return result;
}

QByteArray MyDocument::dataOfType(const QString&, QString* error) {
    WorksheetFile file;
    file.text = rtf::writeRtf(*textDocument()).toStdString();
    file.variables = CopyVariablesDictionary(*calcState());
    file.functions = CopyFunctionsDictionary(*calcState());
    if (!file.variables || !file.functions) {
        if (error)
            *error = tr("Out of memory.");
        qCWarning(figurelloDiagnostics, "Error: out of memory");
        return QByteArray();
    }
    // What the typing attributes leave unset comes from the text's default font.
    const QFont typingFont = typingFormat().font().resolve(textDocument()->defaultFont());
    file.fontName = toStdString(typingFont.family());
    file.fontSize = typingFont.pointSizeF() > 0 ? typingFont.pointSizeF()
                                                : double(QFontInfo(typingFont).pointSizeF());
    // The window's own area, without the decorations: that is what setGeometry() restores, and
    // window managers decorate differently.
    // A worksheet calculated without a window keeps the frame it came with.
    const QRect available = mDocWindow ? availableGeometryFor(mDocWindow)
                                       : QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame =
        mDocWindow ? mDocWindow->geometry() : QRect(available.topLeft(), kDefaultWindowSize);
    if (!mDocWindow && mLoadedWindowFrame) {
        const QRect loaded = platform::frameFromSavedString(*mLoadedWindowFrame, available);
        if (!loaded.isNull())
            frame = loaded;
    }
    file.windowFrame = toStdString(platform::savedFrameString(frame, available));
    return QByteArray::fromStdString(serializeWorksheetFile(file));
}

void MyDocument::makeWindowControllers() {
    mDocWindow = new WorksheetWindow(this, platform::DocumentController::sharedController());
    mTextView = mDocWindow->editor();
    mSymbolsPanel = mDocWindow->symbolsPanel();
    followColourScheme(mTextView);
    mDocWindow->resize(kDefaultWindowSize);
    connect(mTextView->document(), &QTextDocument::modificationChanged, mDocWindow,
            &QWidget::setWindowModified);
    connect(mTextView->document(), &QTextDocument::modificationChanged, this,
            &MyDocument::editedChanged);
    connect(mTextView->document(), &QTextDocument::contentsChanged, this,
            &MyDocument::contentsEdited);
    connect(mTextView, &QTextEdit::currentCharFormatChanged, this,
            &MyDocument::keepTypingInTheNormalColour);
    mAnswerMarks = new AnswerMarks(mTextView);
    connectNameCompleter();
    setIntegerFormatChecks();
    windowControllerDidLoadNib();
    // From here on: putting the text in, and giving its answers this scheme's colours, edits
    // no statement. Its answers were calculated from the statements as they stand.
    for (QTextBlock block = textDocument()->begin(); block.isValid(); block = block.next())
        if (Recalculation::isAnsweredStatement(block))
            mAnswerMarks->noteAnswered(block);
    connect(mTextView->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { noteEditedStatements(position, added); });
    startHighlighting();
    mTextView->setFocus();
}

QMainWindow* MyDocument::window() const { return mDocWindow; }

bool MyDocument::canCloseDocument(const std::function<bool()>& standardCloseCheck) {
    // A worksheet never saved closes without a question; the controller keeps it for reopening.
    if (!isDocumentEdited() || !hasFileLocation())
        return true;
    qCInfo(figurelloDiagnostics, "canCloseDocumentWithDelegate 1");
    const bool mayClose = standardCloseCheck();
    qCInfo(figurelloDiagnostics, "canCloseDocumentWithDelegate 2");
    return mayClose;
}

QString MyDocument::summary() const {
    const QTextDocument* text = mTextView ? mTextView->document() : mString.get();
    for (QTextBlock line = text ? text->begin() : QTextBlock(); line.isValid();
         line = line.next()) {
        QString words = line.text().simplified();
        // A calculated line names the worksheet better without its " =".
        if (isCalculatedLine(words))
            words.chop(2);
        if (!words.isEmpty())
            return words.size() <= kSummaryLength ? words : words.left(kSummaryLength - 1) + u'…';
    }
    return displayName();
}

bool MyDocument::isDocumentEdited() const {
    return mTextView && mTextView->document()->isModified();
}

void MyDocument::setDocumentEdited(bool edited) {
    if (mTextView)
        mTextView->document()->setModified(edited);
}

void MyDocument::setLoadedDocData() {
    mTextView->setCurrentCharFormat(loadText(mTextView->document()));
}

QTextCharFormat MyDocument::loadText(QTextDocument* text) {
    // Text without a font of its own, such as plain text, shows in the user font at 14 points.
    QFont userFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    userFont.setPointSizeF(kDefaultFontSize);
    text->setDefaultFont(userFont);
    if (!mString) {
        const QByteArray newDocument = dataOfNewDoc();
        if (newDocument.isEmpty() || !loadNativeData(newDocument)) {
            QTextCharFormat typing;
            typing.setFont(text->defaultFont());
            return typing;
        }
    }
    QTextCursor cursor(text);
    cursor.select(QTextCursor::Document);
    cursor.insertFragment(QTextDocumentFragment(mString.get()));
    setString(nullptr);
    adoptColourScheme(text);
    text->clearUndoRedoStacks();

    // What typing at the end of the loaded text would take.
    QTextCursor end(text);
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
    return typing;
}

void MyDocument::makeTextWithoutWindow() {
    mText = new QTextDocument(this);
    // Nobody can undo here, and a history of every line would only cost time and memory.
    mText->setUndoRedoEnabled(false);
    mTypingFormat = loadText(mText);
    mText->setModified(false);
    startCalcTask();
}

void MyDocument::windowControllerDidLoadNib() {
    setLoadedDocData();
    mTextView->document()->setModified(false);
    if (!mReadNote.isEmpty())
        mDocWindow->statusBar()->showMessage(mReadNote);
    if (mLoadedWindowFrame) {
        const QRect frame =
            platform::frameFromSavedString(*mLoadedWindowFrame, availableGeometryFor(mDocWindow));
        if (!frame.isNull())
            mDocWindow->setGeometry(frame);
    }
    // Started once the window is on the screen; a line calculated before then starts it.
    platform::afterFirstPaint(mTextView->viewport(), mCalcSession, [this] {
        if (!calcTask()->isRunning())
            startCalcTask();
    });
}

void MyDocument::pasteCleaned() {
    if (!isCalculating())
        mTextView->pasteWithout(QStringLiteral(",$"));
}

QString MyDocument::pathOfNewDocState() { return newDocumentTemplatePath(); }

QByteArray MyDocument::dataOfNewDoc() { return newDocumentTemplateData(); }

void MyDocument::saveAsNewDocumentContent() {
    if (mDocWindow)
        mDocWindow->askToSaveAsTemplate();
}

bool MyDocument::writeNewDocumentContent(QString* error) {
    const QByteArray data = dataOfType(kWorksheetType, error);
    if (data.isEmpty())
        return false;
    const QString path = pathOfNewDocState();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return platform::writeFileAtomically(path, data, error);
}

void MyDocument::printDocument() {
    if (mDocWindow)
        mDocWindow->print();
}

void MyDocument::exportAsPdf() {
    if (mDocWindow)
        mDocWindow->exportAsPdf();
}

bool MyDocument::writePdf(const QString& path, QString* error) const {
    return writeWorksheetPdf(*textDocument(), path, displayName(), error);
}
