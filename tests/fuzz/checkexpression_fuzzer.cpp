// SPDX-License-Identifier: GPL-3.0-or-later
// CheckExpression on a seeded state: it must evaluate nothing, so the state stays as it was.

#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "fuzzcheck.h"
#include "largestackworker.h"
#include "seededstate.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RunOnLargeStackWorker([input] {
        CalcStatePtr state = NewSeededState();
        const auto variablesBefore = CopyVariablesDictionary(*state);
        const auto functionsBefore = CopyFunctionsDictionary(*state);
        std::size_t stop = 0;
        CheckExpression(input, *state, stop);
        FUZZ_CHECK(stop <= input.size());
        FUZZ_CHECK(CopyVariablesDictionary(*state) == variablesBefore);
        FUZZ_CHECK(CopyFunctionsDictionary(*state) == functionsBefore);
        return 0;
    });
    return 0;
}
