// The mine field's two heavy steps on the largest field: the flood of a field without mines
// (every cell opens from one click) and the laying of 99 mines.

#include <benchmark/benchmark.h>

#include "bomvik_game.h"
#include "random.h"

namespace {

void FloodOfAnEmptyProfessionalField(benchmark::State& state) {
    tro::SequenceRandom random(1);
    tro::bomvik::BomvikGame field(30, 16, 0, random);
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
    tro::SystemRandom random(7);
    tro::bomvik::BomvikGame field(tro::bomvik::variantOf(3), random);
    for (auto _ : state) {
        field.newgame();
        benchmark::DoNotOptimize(field.polevalue({1, 1}));
    }
}
BENCHMARK(NewgameOfTheProfessionalField);

}  // namespace
