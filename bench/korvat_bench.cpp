// The maze game's pointer move. A fast mouse reports a move about every millisecond, and each
// move is checked along its whole way for a wall, so the check must stay far below that.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "korvat_game.h"
#include "maze.h"
#include "testing/temp_dir.h"

namespace korvat = tro::korvat;

namespace {

using korvat::BoxPoint;
using korvat::kBoxHeight;
using korvat::kBoxWidth;

const BoxPoint kTopLeft{0, 0};
const BoxPoint kBottomRight{kBoxWidth - 1, kBoxHeight - 1};

// A maze without inner walls: the segment test finds nothing and walks every column and every
// row of the box's diagonal, the most one move can cost.
const korvat::MazePicture& openPicture() {
    static const korvat::MazePicture picture = [] {
        std::string text;
        for (int y = 0; y < korvat::kMazeHeight; ++y) {
            std::string line(korvat::kMazeWidth, korvat::kCorridorChar);
            if (y == 1) {
                line[1] = korvat::kStartChar;
                line[2] = korvat::kFinishChar;
            }
            text += line + "\n";
        }
        return *korvat::MazePicture::parse(text);
    }();
    return picture;
}

void SegmentTestAcrossTheOpenDiagonal(benchmark::State& state) {
    korvat::MazeBox box;
    box.draw(openPicture());
    if (box.segmentTouchesWall(kTopLeft, kBottomRight)) {
        state.SkipWithError("the open maze has a wall on its diagonal");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(box.segmentTouchesWall(kTopLeft, kBottomRight));
        benchmark::DoNotOptimize(box.segmentTouchesWall(kBottomRight, kTopLeft));
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(SegmentTestAcrossTheOpenDiagonal)->Unit(benchmark::kMicrosecond);

// Every pixel of the diagonal of each real maze looked at, walls counted rather than stopped
// at.
void SegmentWalkAcrossTheMazeDiagonal(benchmark::State& state) {
    korvat::MazeBox box;
    box.draw(korvat::mazePicture(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        int walls = 0;
        const bool met = korvat::segmentMeets(kTopLeft, kBottomRight, [&](BoxPoint p) {
            walls += box.at(p) == korvat::Colour::Black ? 1 : 0;
            return false;
        });
        benchmark::DoNotOptimize(met);
        benchmark::DoNotOptimize(walls);
    }
}
BENCHMARK(SegmentWalkAcrossTheMazeDiagonal)
    ->DenseRange(1, korvat::kMazeCount)
    ->Unit(benchmark::kMicrosecond);

// The centre of a maze's start field in box pixels.
BoxPoint startPoint(int maze) {
    const korvat::PixelRect field = korvat::kMazeFields[static_cast<std::size_t>(maze - 1)].start;
    const int mx = (field.left + field.right) / 2;
    const int my = (field.top + field.bottom) / 2;
    return {(2 * mx + 1) * kBoxWidth / (2 * korvat::kMazeWidth),
            (2 * my + 1) * kBoxHeight / (2 * korvat::kMazeHeight)};
}

// A run under way, with the trail and the record line on: the pointer jumps back and forth
// between the start and the farthest corridor pixel that a straight move from the start
// reaches without touching a wall, so every move is checked along its whole way.
void PointerMoveAlongTheLongestClearWay(benchmark::State& state) {
    const int maze = static_cast<int>(state.range(0));
    tro::testing::TempDir dir;
    korvat::KorvatGame game(dir.path(), maze);
    game.setTrail(true);
    game.setRecordLine(true);
    const BoxPoint start = startPoint(maze);
    BoxPoint far = start;
    long farthest = 0;
    for (int y = 0; y < kBoxHeight; ++y) {
        for (int x = 0; x < kBoxWidth; ++x) {
            const long d = long(x - start.x) * (x - start.x) + long(y - start.y) * (y - start.y);
            if (d > farthest && game.box().mazeAt({x, y}) == korvat::Colour::White &&
                !game.box().segmentTouchesWall(start, {x, y})) {
                farthest = d;
                far = {x, y};
            }
        }
    }
    if (game.pointerMove(start, 0).outcome != korvat::MoveOutcome::Started ||
        game.pointerMove(far, 0).outcome != korvat::MoveOutcome::Moved) {
        state.SkipWithError("no clear move from the start field");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.pointerMove(start, 0));
        benchmark::DoNotOptimize(game.pointerMove(far, 0));
    }
    if (!game.running()) {
        state.SkipWithError("a move touched a wall");
    }
    state.SetItemsProcessed(2 * state.iterations());
    state.counters["pixels"] = std::sqrt(double(farthest));
}
BENCHMARK(PointerMoveAlongTheLongestClearWay)
    ->DenseRange(1, korvat::kMazeCount)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
