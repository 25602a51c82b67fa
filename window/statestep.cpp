#include "window/statestep.h"

#include "window/mydocument.h"
#include "engine/calcengine.h"
#include "engine/dictionaries.h"

#include <QAbstractUndoItem>
#include <QPointer>
#include <QTextDocument>

#include <new>
#include <optional>

namespace {

CalcStatePtr stateOf(const StateSymbols& symbols) {
    CalcStatePtr state = NewCalcState();
    if (!state)
        throw std::bad_alloc();
    if (symbols.variables)
        LoadVariablesDictionary(*symbols.variables, *state);
    if (symbols.functions)
        LoadFunctionsDictionary(*symbols.functions, *state);
    return state;
}

class StateStep : public QAbstractUndoItem {
public:
    StateStep(MyDocument& document, StateSymbols before, QList<int> answers,
              QList<int> outOfDateBefore)
        : mDocument(&document), mBefore(std::move(before)), mAnswers(std::move(answers)),
          mOutOfDateBefore(std::move(outOfDateBefore)) {}

    void undo() override {
        if (!mDocument)
            return;
        mAfter = symbolsOf(*mDocument->calcState());
        mDocument->restoreAnswerStep(stateOf(mBefore), mAnswers, mOutOfDateBefore);
    }
    void redo() override {
        if (mDocument)
            mDocument->restoreAnswerStep(stateOf(mAfter), mAnswers, {});
    }

private:
    QPointer<MyDocument> mDocument;
    StateSymbols mBefore;
    QList<int> mAnswers;
    QList<int> mOutOfDateBefore;
    StateSymbols mAfter;
};

} // namespace

StateSymbols symbolsOf(const SCalcState& state) {
    return {CopyVariablesDictionary(state), CopyFunctionsDictionary(state)};
}

void recordStateStep(QTextDocument& text, MyDocument& document, StateSymbols before,
                     QList<int> answers, QList<int> outOfDateBefore) {
    text.appendUndoItem(new StateStep(document, std::move(before), std::move(answers),
                                      std::move(outOfDateBefore)));
}
