#pragma once

#include <QList>
#include <QObject>
#include <QString>

class CalcSession;
class QTextCursor;
class QTextDocument;
struct CalcOutcome;
struct SCalcState;

// Calculates every calculated line of a worksheet again, from the top, starting from a copy of
// the worksheet's state: a line ending in " =" followed by its answer line. A session of its own
// does the work, so the worksheet's tool and state change only once it has finished; then the
// caller replaces the answers that changed, in one edit, and takes the new state.
class Recalculation : public QObject {
    Q_OBJECT

public:
    Recalculation(QTextDocument* text, const SCalcState& state, bool integersAsHex,
                  QObject* parent = nullptr);
    ~Recalculation() override;

    // Begins; `finished` follows, at once when there is nothing to calculate.
    void start();

    // Replaces each answer that changed through the cursor, which the caller holds in an edit
    // block; returns the block numbers of the answer lines replaced.
    QList<int> replaceChangedAnswers(QTextCursor& cursor) const;
    bool allSucceeded() const;
    // The state after the last line, which the caller then owns.
    SCalcState* takeState();

    struct Line {
        int statementBlock = 0;
        QString statement;
        QString oldAnswer;
        QString newAnswer;
        bool failed = false;
    };

    // The worksheet's calculated lines, in order: the statement in the standard notation, and
    // the answer it has now.
    static QList<Line> calculatedLines(const QTextDocument& text);

signals:
    void finished();

private:
    void answer(const CalcOutcome& outcome);

    QTextDocument* mText;
    bool mIntegersAsHex;
    CalcSession* mSession;
    QList<Line> mLines;
    int mNext = 0;
};
