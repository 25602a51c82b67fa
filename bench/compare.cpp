// SPDX-License-Identifier: GPL-3.0-or-later
// Runs CalcTool side by side with bc, python3 and a bare echo child and prints one table:
// every figure a median with its spread, every ratio against its anchor, each pair measured
// in the same rounds, interleaved. Started by bench/compare, which builds it.
//   compare_driver BIN_DIR PYTHON [ROUNDS]

#include "bench/childprocess.h"
#include "bench/sample.h"
#include "plist/binarywriter.h"
#include "plist/value.h"
#include "plist/xmlwriter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sched.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kFib = "fib(n) = if(n-2, fib(n-1)+fib(n-2), 1)\n";
const std::string kBcFib = "define f(n) { if (n-2 > 0) return (f(n-1)+f(n-2)); return (1); }\n";
const std::string kPythonFib = "import sys\n"
                               "sys.setrecursionlimit(10000)\n"
                               "def fib(n):\n"
                               "    return fib(n-1) + fib(n-2) if n-2 > 0 else 1\n"
                               "print(fib(25))\n";
// The same recursion and a call-heavy line timed inside python3, so that only the calculation
// counts: fib(22) and fib(25) in ms, then µs a line for h(h(h(2))) in a loop.
const std::string kH = "h(x) = x*2 + 1\n";
const std::string kHLine = "h(h(h(2)))\n";
constexpr int kHLines = 10000;
const std::string kPythonInProcess =
    "import sys, time\n"
    "sys.setrecursionlimit(10000)\n"
    "def fib(n):\n"
    "    return fib(n-1) + fib(n-2) if n-2 > 0 else 1\n"
    "def h(x):\n"
    "    return x*2 + 1\n"
    "def timed(f):\n"
    "    start = time.perf_counter()\n"
    "    f()\n"
    "    return (time.perf_counter() - start) * 1000\n"
    "lines = int(sys.argv[1])\n"
    "print(timed(lambda: fib(22)), timed(lambda: fib(25)),\n"
    "      timed(lambda: [h(h(h(2))) for _ in range(lines)]) * 1000 / lines)\n";
const char* const kMixedLines[] = {"2+3*4", "x = 5", "sqrt(2)*x", "sin(0.5)^2+cos(0.5)^2", "sq(3)"};
constexpr int kLockStepLines = 10000;
constexpr int kWorksheetLines = 10000;

// A worksheet's worth of lines that bc reads the same way: assignments and expressions.
std::string MixedWorksheetLines() {
    const char* const shapes[] = {"x = %d", "2+3*4", "sqrt(2)*x", "x/7 + %d", "y = x^2 - %d"};
    std::string lines;
    char line[64];
    for (int i = 0; i < kWorksheetLines; ++i) {
        std::snprintf(line, sizeof line, shapes[i % std::size(shapes)], i % 97 + 1);
        lines.append(line).append("\n");
    }
    return lines;
}

// As many lines of quantities: units on numbers, conversions, temperatures and data sizes.
std::string UnitWorksheetLines() {
    const char* const shapes[] = {"d = %d km", "d in mi", "%d km / 2 h in mph",
                                  "20 °C + %d K in °F", "1 GiB + %d MiB -> MB"};
    std::string lines;
    char line[64];
    for (int i = 0; i < kWorksheetLines; ++i) {
        std::snprintf(line, sizeof line, shapes[i % std::size(shapes)], i % 97 + 1);
        lines.append(line).append("\n");
    }
    return lines;
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Appending, unlike "v" + text, keeps GCC 12's overlap warning quiet.
std::string Join(std::string first, const std::string& second) { return first.append(second); }

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A worksheet that has been used for a while: 10,000 variables and 1,000 one-line functions,
// written as the application writes them for a tool's start.
void WriteStates(const fs::path& dir) {
    plist::Dictionary variables;
    for (int i = 0; i < 10000; ++i)
        variables.emplace(Join("v", std::to_string(i)), plist::Value(i * 1.5));
    plist::Dictionary functions;
    for (int i = 0; i < 1000; ++i)
        functions.emplace(Join("g", std::to_string(i)),
                          plist::Value(plist::Array{Join("x*", std::to_string(i)) + " + 1", "x"}));
    // Binary, as the application hands a large state over.
    WriteFile(dir / "variables.plist", plist::writeBinary(plist::Value(variables)));
    WriteFile(dir / "functions.plist", plist::writeBinary(plist::Value(functions)));
    WriteFile(dir / "empty.plist", plist::writeXml(plist::Value(plist::Dictionary{})));
    WriteFile(dir / "fib.bc", kBcFib + "f(25)\n");
    WriteFile(dir / "recursion.py", kPythonInProcess);
    WriteFile(dir / "mixed.txt", MixedWorksheetLines());
    WriteFile(dir / "units.txt", UnitWorksheetLines());
}

struct Setup {
    std::string figurello;
    std::string calcTool;
    std::string echoChild;
    fs::path dir;
    std::vector<std::string> tool(bool full) const {
        const fs::path variables = dir / (full ? "variables.plist" : "empty.plist");
        const fs::path functions = dir / (full ? "functions.plist" : "empty.plist");
        return {calcTool, Join("@", variables.string()), Join("@", functions.string())};
    }
};

// From the start of the process to its first reply.
double StartToFirstReply(const std::vector<std::string>& argv) {
    const auto start = Clock::now();
    ChildProcess child(argv);
    child.send("1+1\n");
    child.readReply();
    const double elapsed = MillisecondsSince(start);
    child.finish();
    return elapsed;
}

// From sending the line to its reply, the definition already made.
double FibCall(const Setup& setup, bool full, int n) {
    ChildProcess tool(setup.tool(full));
    tool.send(kFib);
    tool.readReply();
    const auto start = Clock::now();
    tool.send("fib(" + std::to_string(n) + ")\n");
    tool.readReply();
    return MillisecondsSince(start);
}

// Microseconds a line for many h(h(h(2))) lines, the definition already made; a batch of lines
// is in flight at a time, so that the calls, not the round trips, are timed.
double HLines(const Setup& setup, bool full) {
    constexpr int kBatch = 100;
    ChildProcess tool(setup.tool(full));
    tool.send(kH);
    tool.readReply();
    std::string batch;
    for (int i = 0; i < kBatch; ++i)
        batch += kHLine;
    const auto start = Clock::now();
    for (int sent = 0; sent < kHLines; sent += kBatch) {
        tool.send(batch);
        for (int i = 0; i < kBatch; ++i)
            tool.readReply();
    }
    return MillisecondsSince(start) * 1000 / kHLines;
}

// fib(22) and fib(25) in ms and an h(h(h(2))) line in µs, as python3 times them in-process.
std::vector<double> PythonInProcess(const std::string& python, const fs::path& dir) {
    const std::string command =
        python + " " + (dir / "recursion.py").string() + " " + std::to_string(kHLines);
    std::vector<double> times(3, 0.0);
    if (FILE* output = popen(command.c_str(), "r")) {
        if (std::fscanf(output, "%lf %lf %lf", &times[0], &times[1], &times[2]) != 3)
            std::fprintf(stderr, "python3 gave no timings\n");
        pclose(output);
    }
    return times;
}

// The whole process: start, the text on its input, output read to the end, exit.
double WholeProcess(const std::vector<std::string>& argv, const std::string& input) {
    const auto start = Clock::now();
    ChildProcess child(argv);
    child.send(input);
    child.finish();
    return MillisecondsSince(start);
}

// Where a measurement runs: the driver's core and its child's, or -1 for any core. On this kind
// of virtual machine the cores are not equally fast at any one moment, and waking the other
// core costs more than everything else in a round trip; so every figure is measured with the
// driver and its children held on one core, but for the lock-step lines, which are measured
// three ways: on one core, on two, and left free, where each run settles on one or two by
// chance.
struct Placement {
    int driverCore = -1;
    int childCore = -1;
};

cpu_set_t gAllCores;

void HoldOn(int core) {
    cpu_set_t set = gAllCores;
    if (core >= 0) {
        CPU_ZERO(&set);
        CPU_SET(core, &set);
    }
    sched_setaffinity(0, sizeof set, &set);
}

// Microseconds a line, each reply awaited before the next line; the mean reply size goes to
// `replyBytes`.
double LockStep(const std::vector<std::string>& argv, std::size_t& replyBytes,
                Placement placement) {
    cpu_set_t held;
    sched_getaffinity(0, sizeof held, &held);
    HoldOn(placement.childCore); // the child inherits it
    ChildProcess child(argv);
    HoldOn(placement.driverCore);
    child.send("sq(x) = x*x\n");
    child.readReply();
    std::size_t bytes = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kLockStepLines; ++i) {
        child.send(std::string(kMixedLines[i % std::size(kMixedLines)]) + "\n");
        bytes += child.readReply();
    }
    const double elapsed = MillisecondsSince(start);
    child.finish();
    sched_setaffinity(0, sizeof held, &held);
    replyBytes = bytes / kLockStepLines;
    return elapsed * 1000 / kLockStepLines;
}

// The first two cores this process may run on; the second is -1 on a one-core machine.
std::pair<int, int> TwoCores() {
    std::pair<int, int> cores{-1, -1};
    for (int core = 0; core < CPU_SETSIZE && cores.second < 0; ++core)
        if (CPU_ISSET(core, &gAllCores))
            (cores.first < 0 ? cores.first : cores.second) = core;
    return cores;
}

struct Row {
    std::string name;
    std::string unit;
    Sample sample;
    std::string anchorName;
    const Sample* anchor = nullptr;
    std::string target;
};

void PrintRow(const Row& row) {
    std::printf("| %s | %.2f %s | %.2f–%.2f |", row.name.c_str(), row.sample.median(),
                row.unit.c_str(), row.sample.at(0.25), row.sample.at(0.75));
    if (row.anchor)
        std::printf(" %s | %.2f |", row.anchorName.c_str(),
                    row.sample.median() / row.anchor->median());
    else
        std::printf(" %s | |", row.anchorName.c_str());
    std::printf(" %s |\n", row.target.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: compare_driver BIN_DIR PYTHON [ROUNDS]\n");
        return 2;
    }
    const fs::path bin = argv[1];
    const std::string pythonPath = argv[2];
    const int rounds = argc > 3 ? std::max(3, std::atoi(argv[3])) : 11;
    sched_getaffinity(0, sizeof gAllCores, &gAllCores);
    const auto [firstCore, secondCore] = TwoCores();
    HoldOn(firstCore);
    Setup setup{(bin / "figurello").string(), (bin / "CalcTool").string(),
                (bin / "echo_child").string(),
                fs::temp_directory_path() / ("figurello-compare-" + std::to_string(getpid()))};
    fs::create_directories(setup.dir);
    WriteStates(setup.dir);

    std::size_t replyBytes = 0;
    // Warms the caches and measures the reply size.
    LockStep(setup.tool(false), replyBytes, {firstCore, firstCore});
    const std::vector<std::string> echo = {setup.echoChild, std::to_string(replyBytes)};
    const std::vector<std::string> bc = {"bc", "-l", (setup.dir / "fib.bc").string()};
    const std::vector<std::string> python = {pythonPath, "-c", kPythonFib};
    const std::string mixed = (setup.dir / "mixed.txt").string();
    const std::string worksheet = (setup.dir / "mixed.figurello").string();
    const std::vector<std::string> calcMixed = {setup.figurello, "calc", mixed};
    const std::vector<std::string> bcMixed = {"bc", "-l", mixed};
    const std::vector<std::string> calcUnits = {setup.figurello, "calc",
                                                (setup.dir / "units.txt").string()};
    const std::vector<std::string> openWorksheet = {setup.figurello, "calc", "--open", worksheet,
                                                    "/dev/null"};
    const std::vector<std::string> recalculateWorksheet = {setup.figurello, "calc", "--recalculate",
                                                           worksheet};
    WholeProcess({setup.figurello, "calc", "--save", worksheet, mixed}, "");

    Sample fibFull, fibEmpty, toolFib25, bcFib25, pythonFib25, toolStart, echoStart;
    Sample fib25Full, fib25Empty, hLineFull, hLineEmpty, pythonFib22Call, pythonFib25Call,
        pythonHLine;
    Sample calcLines, bcLines, calcUnitLines, recalculationBeyondOpening, emptyToolStart;
    // The lock-step lines, measured in each placement this machine allows.
    struct LockStepRuns {
        std::string where;
        Placement placement;
        Sample tool;
        Sample echo;
    };
    std::vector<LockStepRuns> lockSteps = {{"left free", {-1, -1}, {}, {}},
                                           {"one core", {firstCore, firstCore}, {}, {}}};
    if (secondCore >= 0)
        lockSteps.push_back({"two cores", {firstCore, secondCore}, {}, {}});
    for (int round = 0; round < rounds; ++round) {
        fibEmpty.values.push_back(FibCall(setup, false, 22));
        fibFull.values.push_back(FibCall(setup, true, 22));
        fib25Empty.values.push_back(FibCall(setup, false, 25));
        fib25Full.values.push_back(FibCall(setup, true, 25));
        hLineEmpty.values.push_back(HLines(setup, false));
        hLineFull.values.push_back(HLines(setup, true));
        const std::vector<double> inProcess = PythonInProcess(pythonPath, setup.dir);
        pythonFib22Call.values.push_back(inProcess[0]);
        pythonFib25Call.values.push_back(inProcess[1]);
        pythonHLine.values.push_back(inProcess[2]);
        bcFib25.values.push_back(WholeProcess(bc, ""));
        toolFib25.values.push_back(WholeProcess(setup.tool(true), kFib + "fib(25)\n"));
        pythonFib25.values.push_back(WholeProcess(python, ""));
        std::size_t ignored = 0;
        for (LockStepRuns& runs : lockSteps) {
            runs.echo.values.push_back(LockStep(echo, ignored, runs.placement));
            runs.tool.values.push_back(LockStep(setup.tool(false), ignored, runs.placement));
        }
        calcLines.values.push_back(WholeProcess(calcMixed, ""));
        bcLines.values.push_back(WholeProcess(bcMixed, ""));
        calcUnitLines.values.push_back(WholeProcess(calcUnits, ""));
        const double opening = WholeProcess(openWorksheet, "");
        recalculationBeyondOpening.values.push_back(WholeProcess(recalculateWorksheet, "") -
                                                    opening);
        echoStart.values.push_back(StartToFirstReply(echo));
        toolStart.values.push_back(StartToFirstReply(setup.tool(true)));
        emptyToolStart.values.push_back(StartToFirstReply(setup.tool(false)));
    }
    fs::remove_all(setup.dir);

    std::printf(
        "%d rounds, interleaved; spread is the interquartile range; replies of %zu bytes\n\n",
        rounds, replyBytes);
    std::printf("| measurement | median | spread | anchor | ratio | target |\n");
    std::printf("|---|---|---|---|---|---|\n");
    std::vector<Row> rows = {
        {"fib(22) call, full state", "ms", fibFull, "fib(22) call, empty state", &fibEmpty,
         "ratio ≤ 1.2"},
        {"fib(22) call, empty state", "ms", fibEmpty, "python3 in-process", &pythonFib22Call,
         "ratio < 1"},
        {"fib(22), python3 in-process", "ms", pythonFib22Call, "", nullptr, ""},
        {"fib(25) call, full state", "ms", fib25Full, "python3 in-process", &pythonFib25Call,
         "ratio < 1"},
        {"fib(25) call, empty state", "ms", fib25Empty, "python3 in-process", &pythonFib25Call,
         "ratio < 1"},
        {"fib(25), python3 in-process", "ms", pythonFib25Call, "", nullptr, ""},
        {"h(h(h(2))) line, full state, 100 in flight", "µs", hLineFull, "python3 in-process",
         &pythonHLine, ""},
        {"h(h(h(2))) line, empty state, 100 in flight", "µs", hLineEmpty, "python3 in-process",
         &pythonHLine, ""},
        {"h(h(h(2))), python3 in-process loop", "µs", pythonHLine, "", nullptr, ""},
        {"fib(25) whole process, CalcTool, full state", "ms", toolFib25, "bc -l", &bcFib25,
         "ratio < 1"},
        {"fib(25) whole process, bc -l", "ms", bcFib25, "", nullptr, ""},
        {"fib(25) whole process, python3", "ms", pythonFib25, "bc -l", &bcFib25, ""},
    };
    for (const LockStepRuns& runs : lockSteps) {
        Sample linesPerSecond;
        for (double microseconds : runs.tool.values)
            linesPerSecond.values.push_back(1e6 / microseconds);
        const std::string where = ", " + runs.where;
        rows.push_back({"lock-step line, CalcTool" + where, "µs", runs.tool, "echo child" + where,
                        &runs.echo, "ratio ≤ 1.2"});
        rows.push_back({"lock-step line, echo child" + where, "µs", runs.echo, "", nullptr, ""});
        rows.push_back({"lock-step lines per second, CalcTool" + where, "/s", linesPerSecond, "",
                        nullptr, "≥ 45,000"});
    }
    Sample calcLinesPerSecond, bcLinesPerSecond;
    for (double milliseconds : calcLines.values)
        calcLinesPerSecond.values.push_back(kWorksheetLines * 1000 / milliseconds);
    for (double milliseconds : bcLines.values)
        bcLinesPerSecond.values.push_back(kWorksheetLines * 1000 / milliseconds);
    rows.push_back({"figurello calc, 10,000 mixed lines", "ms", calcLines, "bc -l, same lines",
                    &bcLines, "ratio ≤ 4"});
    rows.push_back({"bc -l, 10,000 mixed lines", "ms", bcLines, "", nullptr, ""});
    rows.push_back({"figurello calc, 10,000 lines with units", "ms", calcUnitLines,
                    "figurello calc, mixed lines", &calcLines, ""});
    rows.push_back({"figurello calc lines per second", "/s", calcLinesPerSecond, "", nullptr, ""});
    rows.push_back({"bc -l lines per second", "/s", bcLinesPerSecond, "", nullptr, ""});
    rows.push_back({"recalculating a 10,000-line worksheet, beyond opening it", "ms",
                    recalculationBeyondOpening, "", nullptr, "< 300 ms"});
    rows.push_back({"start to first reply, CalcTool, full state", "ms", toolStart,
                    "echo child start", &echoStart, "≤ 25 ms"});
    rows.push_back({"start to first reply, CalcTool, empty state", "ms", emptyToolStart,
                    "echo child start", &echoStart, "≤ 10 ms"});
    rows.push_back({"start to first reply, echo child", "ms", echoStart, "", nullptr, ""});
    for (const Row& row : rows)
        PrintRow(row);
    return 0;
}
