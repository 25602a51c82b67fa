// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcengine.h"
#include "worksheet/calcsession.h"
#include "worksheet/worksheetoptions.h"

#include <QList>
#include <QObject>
#include <QString>

class CalcSession;
class Calculation;
class QTextBlock;
class QTextCursor;
class QTextDocument;
struct CalcOutcome;

// Calculates calculated lines of a worksheet again, in text order: a line ending in " ="
// followed by its answer line. Either every such line, from the top, with a session of its own
// started from a copy of the worksheet's state, so that the worksheet's tool and state change
// only once it has finished; or the lines an edit changes, with the worksheet's own session.
// The caller then replaces the answers that changed, in one edit.
class Recalculation : public QObject {
    Q_OBJECT

public:
    struct Line {
        int statementBlock = 0;
        QString statement;
        QString oldAnswer;
        CalcOutcome newOutcome;
        bool failed = false;
        bool reached = false;
    };

    // The worksheet's calculated lines, in order, from the top or from the given line on: the
    // statement as written, and the answer it has now.
    static QList<Line> calculatedLines(const QTextDocument& text);
    static QList<Line> calculatedLines(const QTextBlock& from);
    // Whether the line ends in " =" and the next is its answer.
    static bool isAnsweredStatement(const QTextBlock& block);
    // The answered statement and every later calculated line that changes when it is
    // calculated again, in text order, the statement first; empty when it is not answered.
    // `state` holds the names known besides the built-ins.
    static QList<Line> dependentsOf(const QTextBlock& statement, const SCalcState& state);

    // Every calculated line, with a session of its own seeded from a copy of `state`.
    Recalculation(QTextDocument* text, const SCalcState& state, bool integersAsHex,
                  const WorksheetOptions& options, QObject* parent = nullptr);
    // These lines, with the caller's session.
    Recalculation(QTextDocument* text, CalcSession* session, QList<Line> lines, bool integersAsHex,
                  const WorksheetOptions& options, QObject* parent = nullptr);
    ~Recalculation() override;

    // Begins; `finished` follows, at once when there is nothing to calculate.
    void start();
    // Stops: the lines not reached keep their answers. `finished` follows at once.
    void stop();
    int lineCount() const { return int(mLines.size()); }

    // Replaces each answer that changed, as one step of the text's undo history that the caller
    // may add to with joinPreviousEditBlock(); returns the block numbers of the answer lines
    // replaced. Each answer is an edit of its own for the view, which so lays out only the lines
    // that changed.
    QList<int> replaceChangedAnswers(QTextCursor& cursor) const;
    // The answer lines of the lines reached, and of those not reached, by block number.
    QList<int> answersReached() const;
    QList<int> answersNotReached() const;
    bool allSucceeded() const;
    // Whether it calculates with a session of its own, whose state the caller takes at the end.
    bool ownsSession() const;
    // The state after the last line, which the caller then owns.
    CalcStatePtr takeState();

signals:
    void finished();
    void progressed(int done, int total);

private:
    void answer(const CalcOutcome& outcome);

    QTextDocument* mText;
    bool mIntegersAsHex;
    WorksheetOptions mOptions;
    CalcSession* mSession;
    Calculation* mCalculation = nullptr;
    QList<Line> mLines;
    int mNext = 0;
    bool mStopped = false;
};
