#pragma once

#include "plist/value.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class MyDocument;
class QTimer;
class ToolLink;
struct SCalcState;

// Calculates every calculated line of a worksheet again, from the top, starting from the
// worksheet's state: a line ending in " =" followed by its answer line. A tool of its own does
// the work, so the worksheet's tool and state change only once it has finished; then every
// answer that changed is replaced in place, in one step that one Undo takes back.
class Recalculation : public QObject {
    Q_OBJECT

public:
    explicit Recalculation(MyDocument* document);
    ~Recalculation() override;

    // Begins; `finished` follows, at once when there is nothing to calculate.
    void start();

    struct Line {
        int statementBlock = 0;
        QString statement;
        QString oldAnswer;
        QString newAnswer;
        bool failed = false;
    };

    // The worksheet's calculated lines, in order: the statement in the standard notation, and
    // the answer it has now.
    static QList<Line> calculatedLines(const MyDocument& document);

signals:
    // The changed answers are in place. `changed` lists their answer lines' block numbers.
    void finished(const QList<int>& changed, bool allSucceeded);

private:
    void sendNext();
    void answer(const plist::Dictionary& reply);
    void giveUp(const char* messageKey);
    void restartTool();
    void finish();

    MyDocument* mDocument;
    QList<Line> mLines;
    int mNext = 0;
    SCalcState* mState = nullptr;
    ToolLink* mTool = nullptr;
    QTimer* mTimer = nullptr;
};
