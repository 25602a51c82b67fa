// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation tool the random-action test gives its worksheets: the real engine, with two
// things added. A line that mentions "slow" is answered only after a while, so that the test
// gets to act while a line waits; and after every line, before its reply, the tool writes the
// variables and functions it holds to FIGURELLO_MONKEY_STATE, so that the test can compare them
// with the worksheet's own.

#include "calctool/reply.h"
#include "calctool/seed.h"
#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "engine/dictionaries.h"
#include "engine/largestack.h"
#include "plist/xmlwriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// Well within the worksheet's time limit, and long enough to click around meanwhile.
constexpr auto kSlowLine = std::chrono::milliseconds(300);

// Written whole, then renamed, so the test never reads half a state.
void writeState(const SCalcState& state, const std::string& path) {
    plist::Dictionary symbols;
    symbols["variables"] =
        plist::Value(CopyVariablesDictionary(state).value_or(plist::Dictionary()));
    symbols["functions"] =
        plist::Value(CopyFunctionsDictionary(state).value_or(plist::Dictionary()));
    symbols["units"] =
        plist::Value(CopyVariableUnitsDictionary(state).value_or(plist::Dictionary()));
    const std::string partial = path + ".partial";
    if (FILE* file = std::fopen(partial.c_str(), "w")) {
        const std::string xml = plist::writeXml(plist::Value(std::move(symbols)));
        std::fwrite(xml.data(), 1, xml.size(), file);
        std::fclose(file);
        std::rename(partial.c_str(), path.c_str());
    }
}

bool writeAll(const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            return false;
        written += std::size_t(n);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const char* stateFolder = std::getenv("FIGURELLO_MONKEY_STATE");
    if ((argc != 3 && argc != 4) || !stateFolder) {
        std::fputs("monkeytool VARIABLES FUNCTIONS [UNITS], with FIGURELLO_MONKEY_STATE set\n",
                   stderr);
        return 2;
    }
    const CalcStatePtr state = NewCalcState();
    for (int i = 1; i < argc; ++i) {
        const SeedResult seed = ReadSeedArgument(argv[i]);
        if (!state || !seed.dictionary)
            return 2;
        if (i == 1)
            LoadVariablesDictionary(*seed.dictionary, *state);
        else if (i == 2)
            LoadFunctionsDictionary(*seed.dictionary, *state);
        else
            LoadVariableUnitsDictionary(*seed.dictionary, *state);
    }
    const std::string statePath = std::string(stateFolder) + "/" + std::to_string(::getpid());
    writeState(*state, statePath);
    return RunOnLargeStack([&] {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (line.find("slow") != std::string::npos)
                std::this_thread::sleep_for(kSlowLine);
            Quantity value;
            std::size_t stop = 0;
            std::string_view symbol;
            Failure failure;
            const int kind = EvaluateStatement(line, *state, value, stop, &symbol, &failure);
            const std::string_view unit = value.unit ? std::string_view(value.unit->text) : "";
            const std::string reply = ReplyXml(kind, value.number, unit, symbol, stop, failure);
            writeState(*state, statePath);
            if (!writeAll(reply))
                return 3;
        }
        return 0;
    });
}
