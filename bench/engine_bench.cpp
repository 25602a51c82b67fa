// SPDX-License-Identifier: GPL-3.0-or-later
// Statements per second for typical worksheet lines, recursion, and how the cost of a line
// grows with the number of variables in the state.
//   build/bin/engine_bench

#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "engine/dictionaries.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

CalcStatePtr MakeState(std::initializer_list<const char*> setup) {
    CalcStatePtr state = NewCalcState();
    double value = 0;
    std::size_t stop = 0;
    for (const char* line : setup)
        EvaluateStatement(line, *state, value, stop);
    return state;
}

void Evaluate(benchmark::State& run, SCalcState& state, const std::string& line) {
    double value = 0;
    std::size_t stop = 0;
    for (auto _ : run) {
        int kind = EvaluateStatement(line, state, value, stop);
        benchmark::DoNotOptimize(kind);
        benchmark::DoNotOptimize(value);
    }
    run.SetItemsProcessed(run.iterations());
}

void BM_Arithmetic(benchmark::State& run) {
    auto state = MakeState({});
    Evaluate(run, *state, "2+3*4");
}
BENCHMARK(BM_Arithmetic);

void BM_Assignment(benchmark::State& run) {
    auto state = MakeState({});
    Evaluate(run, *state, "x = 5");
}
BENCHMARK(BM_Assignment);

void BM_BuiltinCallTimesVariable(benchmark::State& run) {
    auto state = MakeState({"x = 5"});
    Evaluate(run, *state, "sqrt(2)*x");
}
BENCHMARK(BM_BuiltinCallTimesVariable);

void BM_UserFunctionCall(benchmark::State& run) {
    auto state = MakeState({"f(x) = x^2 + 1"});
    Evaluate(run, *state, "f(3)");
}
BENCHMARK(BM_UserFunctionCall);

void BM_RecursiveFib20(benchmark::State& run) {
    auto state = MakeState({"fib(n) = if(n-2, fib(n-1)+fib(n-2), 1)"});
    Evaluate(run, *state, "fib(20)");
}
BENCHMARK(BM_RecursiveFib20)->Unit(benchmark::kMillisecond);

// fib(22) in an empty state and in a full one (10,000 variables, 1,000 one-line functions):
// a call must cost the same in both.
void BM_Fib22(benchmark::State& run) {
    auto state = MakeState({"fib(n) = if(n-2, fib(n-1)+fib(n-2), 1)"});
    if (run.range(0)) {
        for (int i = 0; i < 10000; ++i)
            SetVariable(std::string("v").append(std::to_string(i)), *state, i);
        for (int i = 0; i < 1000; ++i)
            DefineFunction(*state, std::string("g").append(std::to_string(i)), {"x"},
                           std::string("x*").append(std::to_string(i)) + " + 1");
    }
    Evaluate(run, *state, "fib(22)");
}
BENCHMARK(BM_Fib22)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Loading a full worksheet's state, as a tool does at every start.
void BM_LoadFullState(benchmark::State& run) {
    plist::Dictionary variables;
    for (int i = 0; i < 10000; ++i)
        variables.emplace(std::string("v").append(std::to_string(i)), plist::Value(i * 1.5));
    plist::Dictionary functions;
    for (int i = 0; i < 1000; ++i)
        functions.emplace(
            std::string("g").append(std::to_string(i)),
            plist::Value(plist::Array{std::string("x*").append(std::to_string(i)) + " + 1", "x"}));
    for (auto _ : run) {
        auto state = MakeState({});
        LoadVariablesDictionary(variables, *state);
        LoadFunctionsDictionary(functions, *state);
        benchmark::DoNotOptimize(state.get());
    }
}
BENCHMARK(BM_LoadFullState)->Unit(benchmark::kMillisecond);

// The same line in states holding more and more variables.
void BM_LineWithVariables(benchmark::State& run) {
    auto state = MakeState({"f(x) = x + 1"});
    for (int i = 0; i < run.range(0); ++i)
        SetVariable(std::string("v").append(std::to_string(i)), *state, i);
    Evaluate(run, *state, "v7 * 2 + 1");
}
BENCHMARK(BM_LineWithVariables)->Arg(10)->Arg(1000)->Arg(10000);

void BM_CallWithVariables(benchmark::State& run) {
    auto state = MakeState({"f(x) = x + 1"});
    for (int i = 0; i < run.range(0); ++i)
        SetVariable(std::string("v").append(std::to_string(i)), *state, i);
    Evaluate(run, *state, "f(v7)");
}
BENCHMARK(BM_CallWithVariables)->Arg(10)->Arg(1000)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
