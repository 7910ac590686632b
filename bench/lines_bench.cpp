// The two searches of Lines on the worst boards: the path search that must spend every free
// cell before it gives up or finds the target last, and opredline on the longest lines.

#include <benchmark/benchmark.h>

#include <string>

#include "lines_game.h"

namespace {

using tro::lines::Board;

Board board(const char* picture) {
    return Board::fromPicture(picture).value_or(Board{});
}

// The target is walled into the far corner: the walk enters all 76 other free cells and
// steps back out of every one before it fails.
const char* kWalledTarget =
    "1........"
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    ".......22"
    ".......2.";

// One corridor that winds through the whole board, the target at its end.
const char* kSnake =
    "1........"
    "22222222."
    "........."
    ".22222222"
    "........."
    "22222222."
    "........."
    ".22222222"
    ".........";

// With the generator of the program, which stirs the clock into its state at every depth,
// and with a plain sequence, which shows the walk alone.
template <typename Generator>
void searchOn(benchmark::State& state, const char* picture, int target, bool reachable) {
    const Board start = board(picture);
    Generator random(7);
    for (auto _ : state) {
        Board work = start;
        const auto path = tro::lines::searchPath(work, 1, target, random);
        tro::lines::ochistka(work);
        benchmark::DoNotOptimize(path);
        if (path.has_value() != reachable) {
            state.SkipWithError("the search gave the wrong answer");
            break;
        }
    }
}

template <typename Generator>
void PathSearchRefusedAfterEveryFreeCell(benchmark::State& state) {
    searchOn<Generator>(state, kWalledTarget, 81, false);
}
BENCHMARK_TEMPLATE(PathSearchRefusedAfterEveryFreeCell, tro::SystemRandom);
BENCHMARK_TEMPLATE(PathSearchRefusedAfterEveryFreeCell, tro::SequenceRandom);

template <typename Generator>
void PathSearchAlongTheLongestCorridor(benchmark::State& state) {
    searchOn<Generator>(state, kSnake, 81, true);
}
BENCHMARK_TEMPLATE(PathSearchAlongTheLongestCorridor, tro::SystemRandom);
BENCHMARK_TEMPLATE(PathSearchAlongTheLongestCorridor, tro::SequenceRandom);

template <typename Generator>
void PathSearchAcrossAnEmptyBoard(benchmark::State& state) {
    const std::string empty = "1" + std::string(80, '.');  // a ball in the first cell only
    searchOn<Generator>(state, empty.c_str(), 81, true);
}
BENCHMARK_TEMPLATE(PathSearchAcrossAnEmptyBoard, tro::SystemRandom);
BENCHMARK_TEMPLATE(PathSearchAcrossAnEmptyBoard, tro::SequenceRandom);

// The line check of a ball put at the centre, which must clear `cleared` cells.
void opredlineAtTheCentre(benchmark::State& state, const Board& start, int cleared) {
    for (auto _ : state) {
        Board work = start;
        int svob = 0;
        benchmark::DoNotOptimize(tro::lines::opredline(work, 5, 5, svob));
        if (svob != cleared) {
            state.SkipWithError("the line check cleared another number of cells");
            break;
        }
    }
}

// Four lines of nine through the centre: every walk runs to the edge, 33 cells are cleared.
void OpredlineOnFourLinesOfNine(benchmark::State& state) {
    const Board start = board(
        "3...3...3"
        ".3..3..3."
        "..3.3.3.."
        "...333..."
        "333333333"
        "...333..."
        "..3.3.3.."
        ".3..3..3."
        "3...3...3");
    opredlineAtTheCentre(state, start, 33);
}
BENCHMARK(OpredlineOnFourLinesOfNine);

// Four balls in every axis and nothing to clear: the check after most moves.
void OpredlineFindingNoLine(benchmark::State& state) {
    const Board start = board(
        "........."
        "..1.1.1.."
        "..4.4.4.."
        "...444..."
        ".14444.1."
        "...444..."
        "..1...1.."
        "....1...."
        ".........");
    opredlineAtTheCentre(state, start, 0);
}
BENCHMARK(OpredlineFindingNoLine);

}  // namespace
