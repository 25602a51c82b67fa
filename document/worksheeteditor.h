#pragma once

#include <QTextEdit>

#include <functional>

class NameCompleter;

// The worksheet's text view. Return (or keypad Enter) is offered to the document first, which
// calculates the line when the insertion point stands after text on it; every other line-break
// keystroke inserts a plain line break, never Qt's soft line separator, so that the next Return
// still finds the start of the line.
class WorksheetEditor : public QTextEdit {
    Q_OBJECT

public:
    explicit WorksheetEditor(QWidget* parent = nullptr);

    // Returns true when it handled Return itself.
    void setReturnHandler(std::function<bool()> handler) { mReturnHandler = std::move(handler); }
    NameCompleter* nameCompleter() const { return mNameCompleter; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<bool()> mReturnHandler;
    NameCompleter* mNameCompleter;
};
