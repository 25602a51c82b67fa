// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A parse of one text, kept for reuse: the actions it recorded, in order, and how it ended.
// Running the actions on a state does what parsing the text with live actions would do.

#include "engine/actions.h"
#include "engine/cow.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

// How a parse of one text ended.
struct ParseOutcome {
    bool hit;         // the start rule matched
    bool full;        // ... and the scanner then stood at the end of the text
    std::size_t stop; // byte offset where the scanner stood when the parse ended
};

// A large action kept apart from the steps, so that the small ones lie close together.
template <typename ActionT> struct Boxed {
    Boxed(ActionT action) : mAction(std::make_unique<ActionT>(std::move(action))) {}
    void operator()(SCalcState& state) const { (*mAction)(state); }
    std::unique_ptr<ActionT> mAction;
};

using Step =
    std::variant<PushValue, PushVariable, DoBinOp<AddOp>, DoBinOp<SubtractOp>, DoBinOp<MultiplyOp>,
                 DoBinOp<DivideOp>, DoBinOp<PowerOp>, DoNegate, DoUnaryFunc, DoBinaryFunc,
                 Boxed<DoDefinedFunc>, Boxed<DoIf>, DropArguments, DoAssign, DoEvaluation,
                 Boxed<DoDefFunc>, DoBinOp<SideBySideOp>, DoConvert>;

struct Program : RefCounted<Program> {
    std::vector<Step> mSteps;
    ParseOutcome mOutcome{};
    // Why the parse was not full.
    Failure mFailure;
};

enum class Results {
    kKeep,      // a statement of its own: its statement action stores what it should
    kValueOnly, // a function body or an "if" part, whose scope is dropped once its value is taken
};

void RunProgram(const Program& program, SCalcState& state, Results results);
