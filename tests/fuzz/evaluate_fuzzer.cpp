// SPDX-License-Identifier: GPL-3.0-or-later
// EvaluateStatement on a seeded state, each line of the input in turn, as CalcTool runs them.

#include "engine/calcengine.h"
#include "fuzzcheck.h"
#include "largestackworker.h"
#include "seededstate.h"
#include "unboundedwork.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    bool branching = false;
    ForEachLine(input, [&](std::string_view line) {
        branching = branching || MayBranchRecursively(DefinitionBody(line));
    });
    if (branching)
        return -1; // neither run nor kept in the corpus
    // User functions recurse on the native stack; the tool evaluates on a large one.
    RunOnLargeStackWorker([input] {
        CalcStatePtr state = NewSeededState();
        ForEachLine(input, [&](std::string_view line) {
            double value = 0;
            std::size_t stop = 0;
            std::string_view symbol;
            const int kind = EvaluateStatement(line, *state, value, stop, &symbol);
            FUZZ_CHECK(kind == kSyntaxError || kind == kValue || kind == kFunctionDefined);
            FUZZ_CHECK(stop <= line.size());
            // The symbol must point into live memory until the state is next used.
            volatile std::size_t touched = 0;
            for (char c : symbol)
                touched = touched + static_cast<unsigned char>(c);
        });
        return 0;
    });
    return 0;
}
