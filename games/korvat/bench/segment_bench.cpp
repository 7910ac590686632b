// One pointer move checked along its whole way: the segment test across the diagonal of the
// maze box, the longest move a pointer can make inside it. A pointer reports up to about a
// thousand moves a second, so one move must cost well below a millisecond.

#include <benchmark/benchmark.h>

#include "maze.h"

namespace {

void BM_SegmentAcrossTheDiagonal(benchmark::State& state) {
    korvat::MazeBox box;
    box.draw(korvat::mazePicture(static_cast<int>(state.range(0))));
    // Corner to corner of the box; the walls are counted, not stopped at, so the whole way
    // is walked whatever the maze: the most a single move can cost.
    const korvat::BoxPoint from{0, 0};
    const korvat::BoxPoint to{korvat::kBoxWidth - 1, korvat::kBoxHeight - 1};
    for (auto _ : state) {
        int walls = 0;
        const bool met = korvat::segmentMeets(from, to, [&](korvat::BoxPoint p) {
            walls += box.at(p) == korvat::Colour::Black ? 1 : 0;
            return false;
        });
        benchmark::DoNotOptimize(met);
        benchmark::DoNotOptimize(walls);
    }
}
BENCHMARK(BM_SegmentAcrossTheDiagonal)->DenseRange(1, korvat::kMazeCount);

}  // namespace

BENCHMARK_MAIN();
