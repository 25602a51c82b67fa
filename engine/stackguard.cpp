// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/stackguard.h"

#include "engine/calcexception.h"

#include <algorithm>
#include <cstddef>
#include <pthread.h>

namespace {

// Half of what the thread has, so that the caller keeps room of its own after a refused
// statement; the scope and nesting bounds usually stop a statement long before this.
constexpr std::ptrdiff_t kMaxStackBudget = std::ptrdiff_t{1} << 30;
constexpr std::ptrdiff_t kFallbackStackBudget = std::ptrdiff_t{256} << 10;

} // namespace

std::ptrdiff_t StackBudgetOfThisThread() {
    std::size_t size = 0;
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        pthread_attr_getstacksize(&attributes, &size);
        pthread_attr_destroy(&attributes);
    }
    if (size == 0)
        return kFallbackStackBudget;
    return std::min(kMaxStackBudget, static_cast<std::ptrdiff_t>(size / 2));
}

void ThrowStackUsedUp(const SCalcState& state) {
    throw CalcException(state.mScopeDepth > 0 ? Reason::kRecursionTooDeep
                                              : Reason::kNestingTooDeep);
}
