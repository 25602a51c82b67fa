// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/worksheeteditor.h"

#include "platform/documentwindow.h"
#include "platform/keyedtexts.h"
#include "window/chartunderpointer.h"
#include "window/namecompleter.h"
#include "window/pastedtext.h"
#include "window/quietscrollbar.h"
#include "window/worksheetmimedata.h"
#include "worksheet/chartdescription.h"
#include "worksheet/chartobject.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QClipboard>
#include <QCompleter>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

WorksheetEditor::WorksheetEditor(QWidget* parent)
    : QTextEdit(parent), mNameCompleter(new NameCompleter(this)), mPasteLater(new QTimer(this)) {
    setVerticalScrollBar(new QuietScrollBar(Qt::Vertical, this));
    // A long number or name moves to the next line whole rather than being split.
    setWordWrapMode(QTextOption::WordWrap);
    // Shown while the text is empty, never part of it: not saved, printed or undone.
    setPlaceholderText(tr("Type a calculation and press Return"));
    mPasteLater->setSingleShot(true);
    mPasteLater->setInterval(0);
    connect(mPasteLater, &QTimer::timeout, this, &WorksheetEditor::pasteNextPiece);
    // What a screen reader says of the view: its name, how to use it, and what the line under
    // the insertion point says beyond its text.
    setAccessibleName(tr("Worksheet"));
    describeInsertionPoint();
    connect(this, &QTextEdit::cursorPositionChanged, this,
            &WorksheetEditor::describeInsertionPoint);
}

QString WorksheetEditor::usage() {
    return tr("Type a calculation and press Return: its answer appears on the next line and is "
              "read out. Edit a line and press Return again to calculate it anew.");
}

void WorksheetEditor::setLineDescriber(std::function<QString(const QTextBlock&)> describer) {
    mLineDescriber = std::move(describer);
    describeInsertionPoint();
}

void WorksheetEditor::describeInsertionPoint() {
    QString description = mLineDescriber ? mLineDescriber(textCursor().block()) : QString();
    if (description.isEmpty())
        description = usage();
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void WorksheetEditor::announce(const QString& text, int position) {
    if (!QAccessible::isActive() || text.isEmpty())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    Q_UNUSED(position);
    QAccessibleAnnouncementEvent event(this, text);
#else
    // Before announcements, a screen reader speaks text that goes in where it reads: the
    // answer, with its line.
    QAccessibleTextInsertEvent event(this, position, text);
#endif
    QAccessible::updateAccessibility(&event);
}

WorksheetEditor::~WorksheetEditor() {
    if (isPasting())
        QGuiApplication::restoreOverrideCursor();
}

void WorksheetEditor::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // While names are offered, these keys belong to the list: Return takes a name and does not
    // calculate.
    if (mNameCompleter->isOffering() &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
         key == Qt::Key_Backtab || key == Qt::Key_Escape)) {
        event->ignore();
        return;
    }
    const bool lineBreak = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!lineBreak || isReadOnly()) {
        QTextEdit::keyPressEvent(event);
        // Only keys that change the word being typed open or narrow the list.
        if (!event->text().isEmpty() || key == Qt::Key_Backspace)
            mNameCompleter->textTyped();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && mReturnHandler && mReturnHandler()) {
        event->accept();
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.insertBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
}

bool WorksheetEditor::canInsertFromMimeData(const QMimeData* source) const {
    return offersText(source);
}

void WorksheetEditor::insertFromMimeData(const QMimeData* source) {
    if (const auto* copied = qobject_cast<const WorksheetMimeData*>(source)) {
        if (!copied->fragment().isEmpty() && wouldFit(copied->text())) {
            textCursor().insertFragment(copied->fragment());
            ensureCursorVisible();
            return;
        }
    }
    // Qt's own insertion reads the first of the formats offered, and a clipboard nobody owns
    // offers none: it is never handed one.
    insertTextOf(source);
}

QMimeData* WorksheetEditor::createMimeDataFromSelection() const {
    const QTextCursor selection = textCursor();
    auto* data = new WorksheetMimeData;
    std::optional<QTextCharFormat> firstChart;
    QString text = describedText(*document(), selection.selectionStart(), selection.selectionEnd(),
                                 ChartObject::of(document())->commaIsDecimal(), &firstChart);
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    data->setText(text);
    if (firstChart) {
        // Charts go from one worksheet to another as they are; any other text as plain text.
        data->setFragment(selection.selection());
        const QSizeF size = ChartObject::chartSize(layoutDpi(), document()->textWidth() - 8);
        const qreal ratio = devicePixelRatioF();
        QImage picture =
            ChartObject::of(document())
                ->picture(*firstChart, (size * ratio).toSize(), layoutDpi() * ratio, palette());
        picture.setDevicePixelRatio(ratio);
        data->setImageData(picture);
    } else {
        // Other applications take the text's look from the HTML Qt makes of it.
        const std::unique_ptr<QMimeData> rich(QTextEdit::createMimeDataFromSelection());
        data->setHtml(rich->html());
    }
    return data;
}

double WorksheetEditor::layoutDpi() const {
    const QPaintDevice* device = document()->documentLayout()->paintDevice();
    return device ? device->logicalDpiY() : viewport()->logicalDpiY();
}

bool WorksheetEditor::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPointF at = viewport()->mapFrom(this, help->pos());
        if (const std::optional<ChartUnderPointer> chart = chartAt(*this, at)) {
            const QString tip = chartToolTip(*chart, at, layoutDpi(),
                                             ChartObject::of(document())->commaIsDecimal());
            QToolTip::showText(help->globalPos(), tip, viewport(), chart->rect.toRect());
            return true;
        }
        QToolTip::hideText();
    }
    return QTextEdit::event(event);
}

void WorksheetEditor::pasteWithout(const QString& characters) {
    insertTextOf(QGuiApplication::clipboard()->mimeData(), characters);
}

void WorksheetEditor::insertTextOf(const QMimeData* source, const QString& leftOut) {
    const QString text = textToInsert(source, leftOut);
    // Text made only of the characters left out still replaces the selection.
    if (!text.isNull())
        insertAsTyped(text);
}

bool WorksheetEditor::wouldFit(const QString& text) const {
    const QAbstractTextDocumentLayout* layout = document()->documentLayout();
    // Measured as laid out: at the zoom, on the device the layout is for.
    QPaintDevice* device = layout->paintDevice() ? layout->paintDevice() : viewport();
    const QFontMetricsF metrics(currentCharFormat().font(), device);
    const double width =
        document()->textWidth() > 0 ? document()->textWidth() : std::max(1, viewport()->width());
    // Each line takes a row for every width of text in it, as it wraps.
    const double perRow = width / std::max(1.0, metrics.averageCharWidth());
    double rows = 0;
    for (qsizetype from = 0; from <= text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        if (end < 0)
            end = text.size();
        rows += std::max(1.0, std::ceil(double(end - from) / perRow));
        from = end + 1;
    }
    return layout->documentSize().height() + rows * metrics.lineSpacing() <= platform::kTallestText;
}

void WorksheetEditor::insertAsTyped(const QString& text) {
    if (text.size() <= kPieceChars) {
        // Through the editor's own path, as typed text is: in the typing format, one Undo.
        insertPlainText(text);
        ensureCursorVisible();
        return;
    }
    // Megabytes take seconds to lay out: they go in a piece at a time, the window answering
    // in between, read-only, as one edit that one Undo takes back.
    mPasteLeft = text;
    mPasteAt = textCursor();
    mPasteAt.beginEditBlock();
    mPasteAt.insertText(nextPiece());
    mPasteAt.endEditBlock();
    setReadOnly(true);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    emit pastingChanged(true);
    mPasteLater->start();
}

QString WorksheetEditor::nextPiece() {
    // Whole lines where it can, so that no line is laid out twice.
    qsizetype size = std::min(mPasteLeft.size(), kPieceChars);
    if (size < mPasteLeft.size()) {
        const qsizetype lineEnd = mPasteLeft.lastIndexOf(QLatin1Char('\n'), size - 1);
        if (lineEnd > 0)
            size = lineEnd + 1;
    }
    QString piece = mPasteLeft.left(size);
    mPasteLeft.remove(0, size);
    return piece;
}

void WorksheetEditor::pasteNextPiece() {
    mPasteAt.joinPreviousEditBlock();
    mPasteAt.insertText(nextPiece());
    mPasteAt.endEditBlock();
    if (!mPasteLeft.isEmpty()) {
        mPasteLater->start();
        return;
    }
    setTextCursor(mPasteAt);
    mPasteAt = QTextCursor();
    setReadOnly(false);
    QGuiApplication::restoreOverrideCursor();
    ensureCursorVisible();
    emit pastingChanged(false);
}

QString WorksheetEditor::textToInsert(const QMimeData* source, const QString& leftOut) {
    if (!offersAnything(source) || isReadOnly())
        return QString();
    QString text = pastedTextOf(source);
    if (text.isNull()) {
        emit pasteRefused(platform::keyedText("NoTextToPaste"));
        return text;
    }
    if (!wouldFit(text)) {
        // A line break at the very end starts no line of its own.
        const qsizetype lines =
            text.count(QLatin1Char('\n')) + (text.endsWith(QLatin1Char('\n')) ? 0 : 1);
        emit pasteRefused(
            platform::keyedText("TooManyLinesToPaste").arg(QLocale().toString(lines)));
        return QString();
    }
    if (!leftOut.isEmpty())
        text.removeIf([&leftOut](QChar c) { return leftOut.contains(c); });
    // Never null from here on: an empty text still replaces the selection.
    return text.isNull() ? QStringLiteral("") : text;
}

QStringList WorksheetEditor::droppedFiles(const QMimeData* data, bool* allOpenable) const {
    QStringList paths;
    *allOpenable = true;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        paths.append(url.toLocalFile());
        *allOpenable = *allOpenable && mCanOpen && mCanOpen(paths.last());
    }
    return paths;
}

bool WorksheetEditor::answerFileDrag(QDragMoveEvent* event) const {
    bool openable = false;
    if (droppedFiles(event->mimeData(), &openable).isEmpty())
        return false;
    // Files are opened, never inserted as their names; a drop with any other file in it is
    // refused whole.
    if (openable)
        event->acceptProposedAction();
    else
        event->ignore();
    return true;
}

void WorksheetEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (!answerFileDrag(event))
        QTextEdit::dragEnterEvent(event);
}

void WorksheetEditor::dragMoveEvent(QDragMoveEvent* event) {
    if (!answerFileDrag(event))
        QTextEdit::dragMoveEvent(event);
}

void WorksheetEditor::dropEvent(QDropEvent* event) {
    bool openable = false;
    const QStringList files = droppedFiles(event->mimeData(), &openable);
    if (files.isEmpty()) {
        QTextEdit::dropEvent(event);
        return;
    }
    if (!openable) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(files);
}
