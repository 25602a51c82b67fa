#include "engine/program.h"

#include <type_traits>

namespace {

template <typename ActionT>
constexpr bool kEndsStatement =
    std::is_same_v<ActionT, DoAssign> || std::is_same_v<ActionT, DoEvaluation> ||
    std::is_same_v<ActionT, DoDefFunc>;

} // namespace

void RunProgram(const Program& program, SCalcState& state, Results results) {
    for (const Step& step : program.mSteps) {
        std::visit(
            [&](const auto& action) {
                using ActionT = std::decay_t<decltype(action)>;
                if constexpr (kEndsStatement<ActionT>) {
                    // A scope is dropped once its value is taken, so what it would store is
                    // never read; a definition gives no value at all.
                    if (results == Results::kValueOnly) {
                        if constexpr (std::is_same_v<ActionT, DoDefFunc>)
                            throw CalcException();
                        return;
                    }
                }
                action(state);
            },
            step);
    }
}
