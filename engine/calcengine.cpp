#include "engine/calcengine.h"

#include "engine/calcstate.h"
#include "engine/parse.h"
#include "engine/stackguard.h"

#include <new>

namespace {

// Every parse starts from an empty value stack and parameter list, and shares the stack budget
// of the outermost evaluation running on this state.
ParseOutcome Parse(std::string_view text, SCalcState& state, bool syntaxOnly) {
    StackBaseScope stackBase(state);
    state.mValueStack.clear();
    state.mParamNames.clear();
    state.mNestingDepth = 0;
    return ParseText(text, state, syntaxOnly);
}

} // namespace

SCalcState* NewCalcState() {
    try {
        return new SCalcState();
    } catch (...) {
        return nullptr;
    }
}

void DisposeCalcState(SCalcState* state) { delete state; }

int EvaluateStatement(std::string_view text, SCalcState& state, double& value, std::size_t& stop,
                      std::string_view* symbol) {
    stop = 0;
    try {
        const ParseOutcome outcome = Parse(text, state, false);
        stop = outcome.stop;
        if (!outcome.full)
            return kSyntaxError;

        int kind = kSyntaxError;
        if (state.mFunctionDefined) {
            kind = kFunctionDefined;
        } else if (!state.mValueStack.empty()) {
            value = state.mValueStack.back();
            kind = kValue;
        }
        if (symbol)
            *symbol = state.mResultSymbol;
        return kind;
    } catch (...) {
        // The actions ran before the failure; only the stack and the scratch texts may differ.
        state.mFunctionDefined = false;
        stop = 0;
        return kSyntaxError;
    }
}

bool CheckExpression(std::string_view text, SCalcState& state, std::size_t& stop) {
    stop = 0;
    try {
        const ParseOutcome outcome = Parse(text, state, true);
        stop = outcome.stop;
        return outcome.full;
    } catch (...) {
        stop = 0;
        return false;
    }
}

void SetVariable(std::string_view name, SCalcState& state, double value) {
    try {
        state.mValueStack.push_back(value);
        StoreVariable(state, name);
        state.mValueStack.pop_back();
    } catch (...) {
        // A name that cannot be stored is dropped, as the caller has nothing to report it to.
        if (!state.mValueStack.empty())
            state.mValueStack.pop_back();
    }
}
