// The Lines game's two searches on the boards that cost them most: the path search, which
// reseeds before every step and may spend every free cell before it gives up, and
// opredline on a ball where four full lines cross.

#include <benchmark/benchmark.h>

#include <string>

#include "lines_model.h"

namespace {

using tro::lines::Board;

Board board(const char* picture) {
    return *Board::fromPicture(picture);
}

// One ball in a corner of an empty board walled off from the target by a ring: the search
// enters every free cell on its side before it reports that there is no way.
const char* const kWalledOff =
    "1........"
    "........."
    "........."
    "........."
    "........."
    "......222"
    "......2.."
    "......2.."
    "......2..";

// The only way is a snake through the whole board.
const char* const kSnake =
    "1........"
    "22222222."
    "........."
    ".33333333"
    "........."
    "44444444."
    "........."
    ".55555555"
    ".........";

// An empty board apart from the ball: the search wanders at random until it meets the
// target in the opposite corner.
const char* const kOpen =
    "1........"
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    ".........";

void PathSearch(benchmark::State& state, const char* picture, int target, bool found) {
    const Board start = board(picture);
    tro::SystemRandom random(17);
    for (auto _ : state) {
        Board b = start;
        const auto path = tro::lines::searchPath(b, 1, target, random);
        if (path.has_value() != found) {
            state.SkipWithError("the search did not end as the board says");
            break;
        }
        tro::lines::ochistka(b);
        benchmark::DoNotOptimize(path);
    }
}
BENCHMARK_CAPTURE(PathSearch, NoWayOnAWalledOffBoard, kWalledOff, 81, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PathSearch, SnakeThroughTheBoard, kSnake, 81, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PathSearch, AcrossAnEmptyBoard, kOpen, 81, true)->Unit(benchmark::kMicrosecond);

// Row 5, column 5, both diagonals through it: 33 balls of one colour, four lines of nine.
void OpredlineOnFourFullLines(benchmark::State& state) {
    Board full;
    for (int i = 1; i <= tro::lines::kSide; ++i) {
        full.set(5, i, 3);
        full.set(i, 5, 3);
        full.set(i, i, 3);
        full.set(i, 10 - i, 3);
    }
    for (auto _ : state) {
        Board b = full;
        int svob = 0;
        const int points = tro::lines::opredline(b, 5, 5, svob);
        if (svob != 33) {
            state.SkipWithError("the four lines were not all cleared");
            break;
        }
        benchmark::DoNotOptimize(points);
    }
}
BENCHMARK(OpredlineOnFourFullLines);

// A full board with no line anywhere: opredline looks along every axis and clears nothing.
void OpredlineOnAFullBoardWithoutALine(benchmark::State& state) {
    Board b;
    for (int row = 1; row <= tro::lines::kSide; ++row) {
        for (int column = 1; column <= tro::lines::kSide; ++column) {
            b.set(row, column, static_cast<std::int16_t>(1 + (row + 2 * column) % 7));
        }
    }
    for (auto _ : state) {
        int svob = 0;
        for (int row = 1; row <= tro::lines::kSide; ++row) {
            for (int column = 1; column <= tro::lines::kSide; ++column) {
                benchmark::DoNotOptimize(tro::lines::opredline(b, row, column, svob));
            }
        }
        if (svob != 0) {
            state.SkipWithError("a line was found where there is none");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * tro::lines::kCells);
}
BENCHMARK(OpredlineOnAFullBoardWithoutALine);

}  // namespace
