#include "document/statestep.h"

#include "document/mydocument.h"
#include "engine/calcengine.h"
#include "engine/dictionaries.h"

#include <QAbstractUndoItem>
#include <QPointer>
#include <QTextDocument>

#include <new>
#include <optional>

namespace {

struct Symbols {
    std::optional<plist::Dictionary> variables;
    std::optional<plist::Dictionary> functions;
};

Symbols symbolsOf(const SCalcState& state) {
    return {CopyVariablesDictionary(state), CopyFunctionsDictionary(state)};
}

SCalcState* stateOf(const Symbols& symbols) {
    SCalcState* state = NewCalcState();
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
    StateStep(MyDocument& document, Symbols before, Symbols after)
        : mDocument(&document), mBefore(std::move(before)), mAfter(std::move(after)) {}

    void undo() override {
        if (mDocument)
            mDocument->adoptState(stateOf(mBefore));
    }
    void redo() override {
        if (mDocument)
            mDocument->adoptState(stateOf(mAfter));
    }

private:
    QPointer<MyDocument> mDocument;
    Symbols mBefore;
    Symbols mAfter;
};

} // namespace

SCalcState* copyOfState(const SCalcState& state) {
    try {
        return stateOf(symbolsOf(state));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void recordStateStep(QTextDocument& text, MyDocument& document, SCalcState* after) {
    text.appendUndoItem(new StateStep(document, symbolsOf(*document.calcState()), symbolsOf(*after)));
    document.adoptState(after);
}
