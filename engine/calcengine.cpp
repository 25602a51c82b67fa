// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calcengine.h"

#include "engine/calcstate.h"
#include "engine/parse.h"
#include "engine/program.h"
#include "engine/stackguard.h"

#include <new>
#include <string>
#include <utility>
#include <vector>

void CalcStateDeleter::operator()(SCalcState* state) const { delete state; }

CalcStatePtr NewCalcState() {
    try {
        return CalcStatePtr(new SCalcState());
    } catch (...) {
        return nullptr;
    }
}

CalcStatePtr CalcStateWithout(const SCalcState& state, SymbolKind kind, std::string_view name) {
    try {
        CalcStatePtr rebuilt(new SCalcState());
        std::vector<std::pair<std::string, Quantity>> variables;
        ForEachVariable(state, [&](const std::string& variable, const Quantity& value) {
            if (kind != SymbolKind::kVariable || variable != name)
                variables.emplace_back(variable, value);
        });
        ReserveNames(*rebuilt, variables.size(), 0);
        for (const auto& [variable, value] : variables)
            StoreVariable(*rebuilt, variable, value);

        std::vector<std::pair<std::string, const UserFunction*>> functions;
        ForEachFunction(state, [&](const std::string& function, const UserFunction& definition) {
            if (kind != SymbolKind::kFunction || function != name)
                functions.emplace_back(function, &definition);
        });
        ReserveNames(*rebuilt, 0, functions.size());
        for (const auto& [function, definition] : functions) {
            // Defining marks the parameters again, as it does for a definition read from a file.
            std::vector<std::string> params = definition->mParams;
            std::string body = definition->mBody;
            for (std::string& param : params)
                StripParamMarkers(param);
            StripParamMarkers(body);
            DefineFunction(*rebuilt, function, std::move(params), std::move(body));
        }
        return rebuilt;
    } catch (...) {
        // Out of memory: the state the caller holds stays as it was.
        return nullptr;
    }
}

int EvaluateStatement(std::string_view text, SCalcState& state, double& value, std::size_t& stop,
                      std::string_view* symbol, Failure* failure) {
    Quantity result;
    const int kind = EvaluateStatement(text, state, result, stop, symbol, failure);
    if (kind == kValue)
        value = result.number;
    return kind;
}

namespace {

// "plot" the state does not define can only be a plot, and a plot is a line of its own.
void ExplainUnknownPlot(Failure& failure) {
    if (failure.mReason == Reason::kUnknownName && failure.mName == "plot")
        failure = Failure(Reason::kPlotNotAlone);
}

} // namespace

int EvaluateStatement(std::string_view text, SCalcState& state, Quantity& value, std::size_t& stop,
                      std::string_view* symbol, Failure* failure) {
    stop = 0;
    if (failure)
        *failure = Failure{};
    try {
        StackBaseScope stackBase(state);
        state.mValueStack.clear();
        const Ref<const Program> program = ProgramFor(text, state, ParseMode::kStatement);
        const ParseOutcome& outcome = program->mOutcome;
        stop = outcome.stop;
        // A statement that is not one whole statement changes nothing: "a = 2 junk" assigns no
        // a, or the tool would hold a value its worksheet never heard of.
        if (!outcome.full) {
            if (failure) {
                *failure = program->mFailure;
                ExplainUnknownPlot(*failure);
            }
            return kSyntaxError;
        }
        RunProgram(*program, state, Results::kKeep);

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
    } catch (const CalcException& exception) {
        state.mFunctionDefined = false;
        stop = 0;
        if (failure) {
            *failure = exception.failure();
            ExplainUnknownPlot(*failure);
        }
        return kSyntaxError;
    } catch (...) {
        // The actions ran before the failure; only the value stack may differ.
        state.mFunctionDefined = false;
        stop = 0;
        return kSyntaxError;
    }
}

bool CheckExpression(std::string_view text, SCalcState& state, std::size_t& stop) {
    stop = 0;
    try {
        StackBaseScope stackBase(state);
        state.mValueStack.clear();
        const ParseOutcome outcome = ProgramFor(text, state, ParseMode::kExpression)->mOutcome;
        stop = outcome.stop;
        return outcome.full;
    } catch (...) {
        stop = 0;
        return false;
    }
}

const CompoundUnit* UnitFromText(std::string_view text) {
    if (text.empty())
        return nullptr;
    // A unit alone is one of it, read against no names at all, not even a "last".
    const CalcStatePtr noNames = NewCalcState();
    if (!noNames)
        return nullptr;
    Quantity one;
    std::size_t stop = 0;
    if (EvaluateStatement(text, *noNames, one, stop) != kValue || one.number != 1)
        return nullptr;
    return one.unit;
}

void SetVariable(std::string_view name, SCalcState& state, Quantity value) {
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
