#include "korvat_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/maze_way.h"
#include "testing/temp_dir.h"

namespace tro::korvat {
namespace {

using testing::boxWay;
using tro::testing::readBytes;
using tro::testing::TempDir;

// Starts a run at the first point of `way` at 0 ms and moves along the rest `ticks` ticks
// later, until the run ends. The last move's outcome.
MoveResult run(KorvatGame& game, const std::vector<BoxPoint>& way, int ticks) {
    MoveResult last = game.pointerMove(way.at(0), 0);
    EXPECT_EQ(last.outcome, MoveOutcome::Started);
    for (std::size_t i = 1; i < way.size() && game.running(); ++i)
        last = game.pointerMove(way[i], std::int64_t{ticks} * kTickMs);
    return last;
}

TEST(SecondsText, TenthsWithoutTrailingOrLeadingZeros) {
    for (const auto& [ticks, text] : std::vector<std::pair<int, std::string>>{
             {123, " 12.3"}, {120, " 12"}, {5, " .5"}, {10, " 1"}, {0, " 0"}, {32767, " 3276.7"}})
        EXPECT_EQ(secondsText(ticks), text) << ticks;
}

// The clock counts the whole ticks since the start up to the moment of each event, so a move
// after a late timer still gets its own tick; the path keeps at most its limit of points, the
// last one following the pointer; and a jump into the finish across walls is a touch.
TEST(MazeRun, TheClockCountsWholeTicksUpToEachEvent) {
    TempDir dir;
    KorvatGame game(dir.path(), 1);
    ASSERT_EQ(game.pointerMove({460, 40}, 1000).outcome, MoveOutcome::Started);
    EXPECT_EQ(game.tick(2234), TickOutcome::Counted);
    EXPECT_EQ(game.elapsedTicks(), 12);
    EXPECT_EQ(game.pointerMove({470, 40}, 3499).outcome, MoveOutcome::Moved);
    EXPECT_EQ(game.elapsedTicks(), 24);
    EXPECT_EQ(game.currentPath().back(), (PathPoint{25, 470, 40}));
    for (int k = 0; k < kMaxPathPoints + 10; ++k)
        game.pointerMove({460 + k % 2, 40}, 3499);
    game.pointerMove({470, 41}, 3500);
    ASSERT_EQ(game.currentPath().size(), static_cast<std::size_t>(kMaxPathPoints));
    EXPECT_EQ(game.currentPath().back(), (PathPoint{26, 470, 41}));
    EXPECT_EQ(game.pointerMove({30, 30}, 3500).outcome, MoveOutcome::Touched);
    EXPECT_EQ(game.elapsedTicks(), 25);
    EXPECT_FALSE(game.result().has_value());
}

TEST(MazeRun, ATieReplacesTheRecordAndItsPathAndASlowerRunDoesNot) {
    const auto way = boxWay(1);
    // The second run starts a pixel lower, so its path begins at the first run's start.
    std::vector<BoxPoint> second = way;
    second.insert(second.begin(), {way[0].x, way[0].y + 1});
    for (const auto& [ticks, newRecord] :
         std::vector<std::pair<int, bool>>{{30, true}, {31, false}, {29, true}}) {
        TempDir dir;
        KorvatGame first(dir.path(), 1);
        ASSERT_EQ(run(first, way, 30).outcome, MoveOutcome::Finished);
        KorvatGame game(dir.path(), 1);
        ASSERT_EQ(game.recordTicks(), 30);
        EXPECT_EQ(run(game, second, ticks).newRecord, newRecord) << ticks;
        EXPECT_EQ(game.result(), ticks);
        EXPECT_EQ(game.recordTicks(), newRecord ? ticks : 30);
        const StoredRecord stored = loadRecordFile(recordFilePath(dir.path(), 1));
        EXPECT_EQ(stored.ticks, game.recordTicks());
        EXPECT_EQ(stored.path,
                  std::vector<PathPoint>(game.recordPath().begin(), game.recordPath().end()));
        EXPECT_EQ(stored.path.front(), (newRecord ? PathPoint{ticks + 1, way[0].x, way[0].y}
                                                  : PathPoint{31, way[1].x, way[1].y}));
        game.pointerMove(way[0], 99999);  // a new start takes back the result
        EXPECT_FALSE(game.result().has_value());
    }
}

// Choosing a maze takes back a result and ends the run in progress without one. Maze 1's
// start field overlaps maze 2's finish field: a run carried over would finish maze 2 with a
// move of one pixel.
TEST(MazeRun, ChoosingAMazeEndsTheRunInProgress) {
    const BoxPoint overlap{462, 69};  // in maze pixel (57, 8)
    TempDir dir;
    KorvatGame game(dir.path(), 1);
    ASSERT_EQ(run(game, boxWay(1), 5).outcome, MoveOutcome::Finished);
    game.chooseMaze(1);
    EXPECT_FALSE(game.result().has_value());
    ASSERT_EQ(game.pointerMove(overlap, 0).outcome, MoveOutcome::Started);
    game.chooseMaze(2);
    EXPECT_EQ(game.elapsedTicks(), 0);
    for (const BoxPoint to : {BoxPoint{overlap.x + 1, overlap.y}, overlap})
        EXPECT_EQ(game.pointerMove(to, 8000).outcome, MoveOutcome::Nothing);
}

TEST(Replay, RecordDotsAppearAtTheTicksTheyWereMade) {
    TempDir dir;
    // Points made at ticks 0, 0, 1, 4 and 4 (t = ticks + 1).
    const std::vector<PathPoint> record = {
        {1, 300, 20}, {1, 301, 20}, {2, 302, 20}, {5, 303, 20}, {5, 304, 20}};
    ASSERT_TRUE(saveRecordFile(recordFilePath(dir.path(), 1), 50, record));
    KorvatGame game(dir.path(), 1);
    game.setRecordLine(true);
    ASSERT_EQ(game.pointerMove({460, 40}, 0).outcome, MoveOutcome::Started);
    for (const std::size_t dots : {2, 3, 3, 3, 5, 5}) {
        EXPECT_EQ(game.tick((game.elapsedTicks() + 1) * kTickMs), TickOutcome::Counted);
        EXPECT_EQ(game.box().dots().size(), dots);
    }
    EXPECT_EQ(game.box().at({303, 20}), Colour::Navy);
    // A new run replays from the beginning; with the line off nothing shows, and turned on
    // late it catches up.
    game.pointerMove({0, 100}, 0);
    game.pointerMove({460, 40}, 0);
    EXPECT_TRUE(game.box().dots().empty());
    for (const std::size_t dots : {0, 0, 0, 3, 5}) {
        game.setRecordLine(dots > 0);
        game.tick((game.elapsedTicks() + 1) * kTickMs);
        EXPECT_EQ(game.box().dots().size(), dots);
    }
}

// The clock stops a run at the longest time a 16-bit count holds: a move after it finds the
// run over, and a finish at that very tick still counts, its last point's time fitting the
// record file.
TEST(MazeRun, TheClockStopsTheRunAtItsLongestTime) {
    const auto way = boxWay(1);
    for (const bool finish : {false, true}) {
        TempDir dir;
        KorvatGame game(dir.path(), 1);
        const auto moves = finish ? way : std::vector<BoxPoint>(way.begin(), way.begin() + 2);
        EXPECT_EQ(run(game, moves, kMaxRunTicks).outcome,
                  finish ? MoveOutcome::Finished : MoveOutcome::Moved);
        const MoveResult late = game.pointerMove(way.back(), (kMaxRunTicks + 1) * kTickMs);
        EXPECT_EQ(std::tuple(late.timeUp, late.outcome, game.elapsedTicks()),
                  std::tuple(!finish, MoveOutcome::Nothing, kMaxRunTicks));
        const StoredRecord stored = loadRecordFile(recordFilePath(dir.path(), 1));
        EXPECT_EQ(std::pair(stored.ticks, stored.path.size()),
                  std::pair(finish ? std::optional(kMaxRunTicks) : std::nullopt,
                            finish ? way.size() - 2 : 0));
    }
}

}  // namespace
}  // namespace tro::korvat
