// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/statestep.h"

#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "worksheet/calcsession.h"
#include "worksheet/worksheet.h"

#include <QAbstractUndoItem>
#include <QPointer>
#include <QTextDocument>

#include <optional>

namespace {

CalcStatePtr stateOf(const StateSymbols& symbols) {
    CalcStatePtr state = newStateOrThrow();
    if (symbols.variables)
        LoadVariablesDictionary(*symbols.variables, *state);
    if (symbols.functions)
        LoadFunctionsDictionary(*symbols.functions, *state);
    if (symbols.units)
        LoadVariableUnitsDictionary(*symbols.units, *state);
    return state;
}

class StateStep : public QAbstractUndoItem {
public:
    StateStep(Worksheet& worksheet, StateSymbols before, QList<int> answers,
              QList<int> outOfDateBefore)
        : mWorksheet(&worksheet), mBefore(std::move(before)), mAnswers(std::move(answers)),
          mOutOfDateBefore(std::move(outOfDateBefore)) {}

    void undo() override {
        if (!mWorksheet)
            return;
        mAfter = symbolsOf(*mWorksheet->state());
        mWorksheet->restoreAnswerStep(stateOf(mBefore), mAnswers, mOutOfDateBefore);
    }
    void redo() override {
        if (mWorksheet)
            mWorksheet->restoreAnswerStep(stateOf(mAfter), mAnswers, {});
    }

private:
    QPointer<Worksheet> mWorksheet;
    StateSymbols mBefore;
    QList<int> mAnswers;
    QList<int> mOutOfDateBefore;
    StateSymbols mAfter;
};

} // namespace

StateSymbols symbolsOf(const SCalcState& state) {
    return {CopyVariablesDictionary(state), CopyFunctionsDictionary(state),
            CopyVariableUnitsDictionary(state)};
}

void recordStateStep(QTextDocument& text, Worksheet& worksheet, StateSymbols before,
                     QList<int> answers, QList<int> outOfDateBefore) {
    if (!text.isUndoRedoEnabled())
        return;
    text.appendUndoItem(new StateStep(worksheet, std::move(before), std::move(answers),
                                      std::move(outOfDateBefore)));
}
