#pragma once
// The loops of the code benchmarks: a maker timed as it is, a reader timed only once it has
// been seen to read right.

#include <benchmark/benchmark.h>

// Times `run` over and over, keeping what it gives from being optimised away.
template <class Run>
void timeEach(benchmark::State& state, Run run) {
    for (auto _ : state) {
        auto made = run();
        benchmark::DoNotOptimize(made);
    }
}

// Times `read` when `readsRight`; else reports `wrong` and times nothing.
template <class Read>
void timeIfRight(benchmark::State& state, bool readsRight, const char* wrong, Read read) {
    if (!readsRight) {
        state.SkipWithError(wrong);
        return;
    }
    timeEach(state, read);
}
