// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/program.h"

#include <type_traits>

namespace {

template <typename ActionT>
constexpr bool kEndsStatement =
    std::is_same_v<ActionT, DoAssign> || std::is_same_v<ActionT, DoEvaluation> ||
    std::is_same_v<ActionT, Boxed<DoDefFunc>>;

// Runs one step; a chain of tests on the step's index that the compiler turns into one jump,
// so that the small actions are inlined where std::visit would call through a table.
template <std::size_t Index = 0>
inline void RunStep(const Step& step, SCalcState& state, Results results) {
    if constexpr (Index < std::variant_size_v<Step>) {
        if (step.index() != Index)
            return RunStep<Index + 1>(step, state, results);
        const auto& action = *std::get_if<Index>(&step);
        using ActionT = std::decay_t<decltype(action)>;
        if constexpr (kEndsStatement<ActionT>) {
            // A scope is dropped once its value is taken, so what it would store is never
            // read; a definition gives no value at all.
            if (results == Results::kValueOnly) {
                if constexpr (std::is_same_v<ActionT, Boxed<DoDefFunc>>)
                    throw CalcException();
                return;
            }
        }
        action(state);
    }
}

} // namespace

void RunProgram(const Program& program, SCalcState& state, Results results) {
    for (const Step& step : program.mSteps)
        RunStep(step, state, results);
}
