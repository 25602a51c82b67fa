// SPDX-License-Identifier: GPL-3.0-or-later
// The two dictionary loaders on a property list read from the input (either form). What loads
// must copy out and load again to the same dictionaries, and every loaded function must be
// callable without harm.

#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "fuzzcheck.h"
#include "largestackworker.h"
#include "plist/reader.h"
#include "unboundedwork.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

CalcStatePtr newState() {
    CalcStatePtr state = NewCalcState();
    FUZZ_CHECK(state != nullptr);
    return state;
}

// A call with as many arguments as the function has parameters.
std::string callOf(const std::string& name, const plist::Value& definition) {
    std::string call = name + "(";
    for (std::size_t i = 1; i < definition.array()->size(); ++i)
        call += i == 1 ? "1" : ", 1";
    return call + ")";
}

void loadAndCall(const plist::Dictionary& dictionary) {
    CalcStatePtr state = newState();
    LoadVariablesDictionary(dictionary, *state);
    LoadFunctionsDictionary(dictionary, *state);
    // The same entries read as units: those whose text is a unit give a variable of the same
    // name that unit.
    LoadVariableUnitsDictionary(dictionary, *state);
    const auto variables = CopyVariablesDictionary(*state);
    const auto functions = CopyFunctionsDictionary(*state);
    const auto units = CopyVariableUnitsDictionary(*state);
    FUZZ_CHECK(variables && functions && units);

    CalcStatePtr reloaded = newState();
    LoadVariablesDictionary(*variables, *reloaded);
    LoadFunctionsDictionary(*functions, *reloaded);
    LoadVariableUnitsDictionary(*units, *reloaded);
    FUZZ_CHECK(CopyVariablesDictionary(*reloaded) == variables);
    FUZZ_CHECK(CopyFunctionsDictionary(*reloaded) == functions);
    FUZZ_CHECK(CopyVariableUnitsDictionary(*reloaded) == units);

    for (const auto& [name, definition] : *functions) {
        if (MayBranchRecursively(*definition.array()->front().string()))
            return;
    }
    constexpr int kMaxCalls = 4;
    int calls = 0;
    for (const auto& [name, definition] : *functions) {
        if (++calls > kMaxCalls)
            break;
        double value = 0;
        std::size_t stop = 0;
        EvaluateStatement(callOf(name, definition), *state, value, stop);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plist::ReadResult read =
        plist::read(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.value || !read.value->dictionary())
        return 0;
    const plist::Dictionary& dictionary = *read.value->dictionary();
    RunOnLargeStackWorker([&dictionary] {
        loadAndCall(dictionary);
        return 0;
    });
    return 0;
}
