// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's entry points. No exception leaves any of them: every failure becomes a result.

#include "engine/calcexception.h"
#include "engine/quantity.h"

#include <cstddef>
#include <memory>
#include <string_view>

struct SCalcState;

// What one statement turned out to be.
enum ResultKind : int {
    kSyntaxError = 0,     // not one complete statement, or its evaluation failed
    kValue = 1,           // an expression or an assignment, with its value
    kFunctionDefined = 2, // a function definition that was accepted
    kPlot = 3,            // a plot line, which the tool answers with its sampled curves
};

// The one owner of a calculator state: the state's layout stays private to the engine.
struct CalcStateDeleter {
    void operator()(SCalcState* state) const;
};
using CalcStatePtr = std::unique_ptr<SCalcState, CalcStateDeleter>;

// A new, empty calculator state, or null if it could not be made.
CalcStatePtr NewCalcState();

// Evaluates one statement. `stop` is the byte offset where parsing stopped: the length of the
// text on success, 0 when evaluation itself failed. On kValue, `value` holds the result; the
// symbol (the assigned variable, the defined function, or empty) stays valid until the state
// is next used. On kSyntaxError, `failure` says why, as far as the engine can tell.
int EvaluateStatement(std::string_view text, SCalcState& state, double& value, std::size_t& stop,
                      std::string_view* symbol = nullptr, Failure* failure = nullptr);

// The same, with the value's unit.
int EvaluateStatement(std::string_view text, SCalcState& state, Quantity& value, std::size_t& stop,
                      std::string_view* symbol = nullptr, Failure* failure = nullptr);

// The unit written as a conversion asks for it ("km/h", "°C"), or null when the text is none.
const CompoundUnit* UnitFromText(std::string_view text);

// True if the text is exactly one expression whose names all exist in the state. Evaluates
// nothing. Trailing blanks make it false.
bool CheckExpression(std::string_view text, SCalcState& state, std::size_t& stop);

// What kind of name a state holds.
enum class SymbolKind { kVariable, kFunction };

// A new state holding every variable and function of `state` but the one of that kind and name;
// states never lose a name otherwise. An empty name forgets nothing, which makes a copy. Null
// only when memory runs out.
CalcStatePtr CalcStateWithout(const SCalcState& state, SymbolKind kind, std::string_view name);

// Creates or overwrites a variable. The name is stored as given, whatever the grammar allows.
void SetVariable(std::string_view name, SCalcState& state, Quantity value);
