// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextEdit>

#include <functional>

class NameCompleter;
class QTextBlock;
class QTimer;

// The worksheet's text view. Return (or keypad Enter) is offered to the document first, which
// calculates the line when the insertion point stands after text on it; every other line-break
// keystroke inserts a plain line break, never Qt's soft line separator, so that the next Return
// still finds the start of the line.
//
// What is pasted or dropped goes in as plain text, whatever form it was offered in, but for what
// was copied from a worksheet of this application, which keeps its charts.
// A chart is copied as its description in the text and as a picture. Files
// dropped on it are not inserted: the worksheets, RTF and text files among them are for opening.
class WorksheetEditor : public QTextEdit {
    Q_OBJECT

public:
    explicit WorksheetEditor(QWidget* parent = nullptr);
    ~WorksheetEditor() override;

    // Returns true when it handled Return itself.
    void setReturnHandler(std::function<bool()> handler) { mReturnHandler = std::move(handler); }
    NameCompleter* nameCompleter() const { return mNameCompleter; }
    // Decides which dropped files can be opened; without it, none can.
    void setFileOpener(std::function<bool(const QString& path)> canOpen) {
        mCanOpen = std::move(canOpen);
    }

    // Pastes the clipboard's text with none of the characters given, as typed text.
    void pasteWithout(const QString& characters);
    // Whether a long paste is still going in; the text is read-only until it is all in.
    bool isPasting() const { return !mPasteLeft.isEmpty(); }

    // How many dots per inch the text is laid out for: the screen's, times the zoom.
    double layoutDpi() const;

    // A screen reader hears the view's name, "Worksheet", and as its description how to use it,
    // or, while the insertion point is on a line the describer says more of (a chart, an answer
    // out of date), what the describer says.
    void setLineDescriber(std::function<QString(const QTextBlock&)> describer);
    void describeInsertionPoint();
    static QString usage();
    // Has screen readers say `text` now, for text that went in at `position`.
    void announce(const QString& text, int position);

signals:
    // A paste or a drop put nothing in, for the reason given: no text in it, or too much.
    void pasteRefused(const QString& reason);
    // Files the opener can open were dropped on the text.
    void filesDropped(const QStringList& paths);
    // A long paste started going in a piece at a time, or it is all in.
    void pastingChanged(bool pasting);

protected:
    bool event(QEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The local files among the dropped data, when it carries any; each one openable, or none.
    QStringList droppedFiles(const QMimeData* data, bool* allOpenable) const;
    // The text of what was copied or dropped, with the characters given left out; null, and
    // the user told, when it holds no text.
    QString textToInsert(const QMimeData* source, const QString& leftOut);
    void insertTextOf(const QMimeData* source, const QString& leftOut = QString());
    // Answers a drag of files; false when the drag carries none, for Qt's text drag to answer.
    bool answerFileDrag(QDragMoveEvent* event) const;
    void insertAsTyped(const QString& text);
    QString nextPiece();
    void pasteNextPiece();
    // Whether the text, inserted, would leave the worksheet short enough to lay out.
    bool wouldFit(const QString& text) const;

    std::function<bool()> mReturnHandler;
    std::function<QString(const QTextBlock&)> mLineDescriber;
    std::function<bool(const QString&)> mCanOpen;
    // A paste this long goes in a piece at a time: each piece is laid out in well under a
    // tenth of a second.
    static constexpr qsizetype kPieceChars = 64 * 1024;
    // What is still to go in, and where.
    QString mPasteLeft;
    QTextCursor mPasteAt;
    NameCompleter* mNameCompleter;
    QTimer* mPasteLater;
};
