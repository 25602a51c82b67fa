// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcstate.h"

#include <cstddef>

[[noreturn]] void ThrowStackUsedUp(const SCalcState& state);
std::ptrdiff_t StackBudgetOfThisThread();

// Throws CalcException when the evaluation of the outermost statement has used up its share of
// the native stack. Deep nesting in one line and runaway recursion of user functions thus fail
// like any other bad statement instead of crashing the process. Inline: every call runs it.
inline void CheckStackDepth(const SCalcState& state) {
    // Constant-initialised, so that reading it costs no guard on every call.
    thread_local std::ptrdiff_t budget = 0;
    if (budget == 0)
        budget = StackBudgetOfThisThread();
    // The stack grows downwards on every platform this runs on.
    if (state.mStackBase &&
        state.mStackBase - static_cast<const char*>(__builtin_frame_address(0)) > budget)
        ThrowStackUsedUp(state);
}

// Marks where the outermost evaluation of a state begins; nested evaluations on copies of that
// state inherit the mark and so share one budget.
class StackBaseScope {
public:
    explicit StackBaseScope(SCalcState& state)
        : mState(state), mOwnsBase(state.mStackBase == nullptr) {
        if (mOwnsBase)
            mState.mStackBase = static_cast<const char*>(__builtin_frame_address(0));
    }
    ~StackBaseScope() {
        if (mOwnsBase)
            mState.mStackBase = nullptr;
    }
    StackBaseScope(const StackBaseScope&) = delete;
    StackBaseScope& operator=(const StackBaseScope&) = delete;

private:
    SCalcState& mState;
    bool mOwnsBase;
};
