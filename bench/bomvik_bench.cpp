// The mine field's two heavy steps on the largest field: the flood of a field without mines
// (every cell opens from one click) and the laying of 99 mines.

#include <benchmark/benchmark.h>

#include "minefield.h"
#include "testing/fakes.h"

namespace {

void FloodOfAnEmptyProfessionalField(benchmark::State& state) {
    tro::testing::FixedClock clock;
    tro::SequenceRandom random(1);
    bomvik::Minefield field(30, 16, 0, clock, random);
    for (auto _ : state) {
        state.PauseTiming();
        field.newgame();
        state.ResumeTiming();
        benchmark::DoNotOptimize(field.openpole({15, 8}));
    }
    if (field.openedCount() != 30 * 16) {
        state.SkipWithError("the flood did not open every cell");
    }
}
BENCHMARK(FloodOfAnEmptyProfessionalField);

void NewgameOfTheProfessionalField(benchmark::State& state) {
    tro::testing::FixedClock clock;
    tro::SystemRandom random(7);
    bomvik::Minefield field(bomvik::variantOf(3), clock, random);
    for (auto _ : state) {
        field.newgame();
        benchmark::DoNotOptimize(field.polevalue({1, 1}));
    }
}
BENCHMARK(NewgameOfTheProfessionalField);

}  // namespace
