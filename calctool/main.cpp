// SPDX-License-Identifier: GPL-3.0-or-later
// CalcTool: evaluates worksheet lines for one document. It is seeded with the document's
// variables and functions, then answers each line read from standard input with one property
// list on standard output. Nothing else is ever written there.

#include "calctool/plotreply.h"
#include "calctool/reply.h"
#include "calctool/seed.h"
#include "calctool/unitspage.h"
#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "engine/dictionaries.h"
#include "engine/largestack.h"
#include "engine/plotstatement.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kUsageError = 2;
constexpr int kOutputError = 3;

const char kUsage[] =
    "Usage: CalcTool VARIABLES FUNCTIONS [UNITS]\n"
    "       CalcTool --units\n"
    "\n"
    "Evaluates worksheet lines: one statement per line on standard input, one XML property\n"
    "list per line on standard output, with the keys ResultKind, Result, Unit, Symbol and\n"
    "Stop, and for an error Reason, with Name, ArgumentCount, Unit, UnitKind, OtherUnit and\n"
    "OtherKind where they apply. A plot line, \"plot(CURVE, ..., FROM, TO)\", is answered with\n"
    "ResultKind 3, From, To and Curves: for each curve its Expression, and its samples X, Y\n"
    "(little-endian 64-bit reals, NaN where it has no value), Joined and Zeros.\n"
    "\n"
    "VARIABLES  a property list whose root dictionary maps names to reals\n"
    "FUNCTIONS  a property list whose root dictionary maps names to arrays of strings:\n"
    "           the body, then the parameter names\n"
    "UNITS      a property list whose root dictionary maps variable names to the units\n"
    "           their numbers are in (\"km/h\"); a variable not in it is a plain number\n"
    "\n"
    "Either argument may be @PATH instead: a file holding the same property list, for a\n"
    "worksheet too large to pass on the command line. XML and binary property lists are read.\n"
    "Exits with 0 at the end of input, 2 when an argument cannot be read.\n"
    "\n"
    "--units    writes a Markdown page of every unit a number may carry, by kind\n";

// Writes everything or fails: a reply is never left half written.
bool WriteAll(const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(STDOUT_FILENO, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Replies are written together while more requests are already waiting, which saves a write
// and a wake-up of the application per line. None is held back for long, though: not while the
// tool waits for input, and not while it works on a slow line, since the application times
// each line from the reply before it.
class HeldReplies {
public:
    HeldReplies() : mWriter([this] { writeWhenOld(); }) {}
    ~HeldReplies() {
        {
            std::lock_guard lock(mMutex);
            mDone = true;
        }
        mWoken.notify_one();
        mWriter.join();
    }

    bool add(const std::string& reply) {
        std::lock_guard lock(mMutex);
        if (mHeld.empty())
            mHeldSince = Clock::now();
        mHeld += reply;
        return mHeld.size() < kMaxHeldBytes || writeLocked();
    }
    bool write() {
        std::lock_guard lock(mMutex);
        return writeLocked();
    }
    bool failed() {
        std::lock_guard lock(mMutex);
        return mFailed;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kMaxHeldBytes = 64 * 1024;
    static constexpr auto kMaxHold = std::chrono::milliseconds(5);

    bool writeLocked() {
        if (!mHeld.empty() && !mFailed)
            mFailed = !WriteAll(mHeld);
        mHeld.clear();
        return !mFailed;
    }
    void writeWhenOld() {
        std::unique_lock lock(mMutex);
        while (!mDone) {
            mWoken.wait_for(lock, kMaxHold);
            if (!mHeld.empty() && Clock::now() - mHeldSince >= kMaxHold)
                writeLocked();
        }
    }

    std::mutex mMutex;
    std::condition_variable mWoken;
    std::string mHeld;
    Clock::time_point mHeldSince;
    bool mDone = false;
    bool mFailed = false;
    std::thread mWriter;
};

// One reply per request line until the input ends.
int AnswerRequests(SCalcState& state) {
    HeldReplies replies;
    std::string line;
    for (;;) {
        if (std::cin.rdbuf()->in_avail() <= 0 && !replies.write())
            break;
        if (!std::getline(std::cin, line))
            break;
        if (IsPlotStatement(line, state)) {
            if (!replies.add(PlotReplyXml(line, state)))
                break;
            continue;
        }
        Quantity value;
        std::size_t stop = 0;
        std::string_view symbol;
        Failure failure;
        const int kind = EvaluateStatement(line, state, value, stop, &symbol, &failure);
        const std::string_view unit = value.unit ? std::string_view(value.unit->text) : "";
        if (!replies.add(ReplyXml(kind, value.number, unit, symbol, stop, failure)))
            break;
    }
    if (!replies.write() || replies.failed()) {
        std::fprintf(stderr, "CalcTool: cannot write a reply: %s\n", std::strerror(errno));
        return kOutputError;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--units") == 0)
        return WriteAll(UnitsPage()) ? 0 : kOutputError;
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "CalcTool: expected 2 or 3 arguments, got %d\n\n%s", argc - 1, kUsage);
        return kUsageError;
    }

    const CalcStatePtr state = NewCalcState();
    if (!state) {
        std::fputs("CalcTool: out of memory\n", stderr);
        return kUsageError;
    }
    const char* const argumentNames[] = {"variables", "functions", "units"};
    for (int i = 0; i < argc - 1; ++i) {
        SeedResult seed = ReadSeedArgument(argv[i + 1]);
        if (!seed.dictionary) {
            std::fprintf(stderr, "CalcTool: cannot read the %s argument: %s\n", argumentNames[i],
                         seed.error.c_str());
            return kUsageError;
        }
        if (i == 0)
            LoadVariablesDictionary(*seed.dictionary, *state);
        else if (i == 1)
            LoadFunctionsDictionary(*seed.dictionary, *state);
        else
            LoadVariableUnitsDictionary(*seed.dictionary, *state);
    }

    std::ios::sync_with_stdio(false);
    // Replies go straight to the descriptor; nothing is ever waiting in std::cout to be flushed
    // before a read.
    std::cin.tie(nullptr);
    return RunOnLargeStack([&state] { return AnswerRequests(*state); });
}
