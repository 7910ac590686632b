#include "maze_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/maze_way.h"
#include "testing/temp_dir.h"

namespace korvat {
namespace {

namespace fs = std::filesystem;
using testing::boxCentre;
using testing::shortestWay;
using tro::testing::readBytes;
using tro::testing::TempDir;

std::vector<BoxPoint> wayThrough(int maze) {
    std::vector<BoxPoint> points;
    for (const auto& pixel : shortestWay(mazePicture(maze))) {
        points.push_back(boxCentre(pixel));
    }
    return points;
}

// A box point of the given colour in the maze, found from the top left.
BoxPoint firstOf(const MazeGame& game, Colour colour) {
    for (int y = 0; y < kBoxHeight; ++y) {
        for (int x = 0; x < kBoxWidth; ++x) {
            if (game.box().mazeAt({x, y}) == colour) {
                return {x, y};
            }
        }
    }
    throw std::logic_error("no such colour");
}

// Walks the pointer along a way, `ticksPerStep` ticks between moves. The last outcome.
MoveResult walk(MazeGame& game, const std::vector<BoxPoint>& way, int ticksPerStep = 0) {
    MoveResult last;
    for (std::size_t i = 0; i < way.size(); ++i) {
        if (i > 0) {
            for (int k = 0; k < ticksPerStep; ++k) {
                EXPECT_EQ(game.tick(), TickOutcome::Counted);
            }
        }
        last = game.pointerMove(way[i]);
        if (last.outcome == MoveOutcome::Touched || last.outcome == MoveOutcome::Finished) {
            EXPECT_EQ(i + 1, way.size()) << "the run ended early";
            break;
        }
    }
    return last;
}

TEST(SecondsText, TenthsWithoutTrailingOrLeadingZeros) {
    const std::vector<std::pair<int, std::string>> cases = {
        {123, " 12.3"}, {120, " 12"}, {5, " .5"},         {10, " 1"},
        {0, " 0"},      {1, " .1"},   {32767, " 3276.7"}, {100, " 10"},
    };
    for (const auto& [ticks, text] : cases) {
        EXPECT_EQ(secondsText(ticks), text) << ticks;
    }
}

TEST(MazeRun, EveryMazeCanBeRunFromStartToFinish) {
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        TempDir dir;
        MazeGame game(dir.path(), maze);
        const auto way = wayThrough(maze);
        ASSERT_FALSE(way.empty());
        EXPECT_EQ(game.pointerMove(way.front()).outcome, MoveOutcome::Started);
        const MoveResult result = walk(game, way, 1);
        EXPECT_EQ(result.outcome, MoveOutcome::Finished) << "maze " << maze;
        EXPECT_TRUE(result.newRecord);
        EXPECT_FALSE(game.running());
        EXPECT_EQ(game.elapsedTicks(), static_cast<int>(way.size()) - 1);
    }
}

TEST(MazeRun, AFinishedFirstRunIsTheRecordWithItsPath) {
    TempDir dir;
    MazeGame game(dir.path(), 2);
    EXPECT_FALSE(game.recordTicks().has_value());
    const auto way = wayThrough(2);
    const MoveResult result = walk(game, way, 2);
    ASSERT_EQ(result.outcome, MoveOutcome::Finished);
    EXPECT_TRUE(result.newRecord);
    EXPECT_TRUE(result.recordSaved);
    const int ticks = 2 * (static_cast<int>(way.size()) - 1);
    EXPECT_EQ(game.recordTicks(), ticks);
    // Every move between start and finish is a point, stamped with the ticks plus one.
    ASSERT_EQ(game.recordPath().size(), way.size() - 2);
    for (std::size_t i = 0; i < game.recordPath().size(); ++i) {
        const PathPoint& p = game.recordPath()[i];
        EXPECT_EQ(p, (PathPoint{2 * static_cast<int>(i + 1) + 1, way[i + 1].x, way[i + 1].y}));
    }
    EXPECT_TRUE(game.currentPath().empty());
    const StoredRecord stored = loadRecordFile(recordFilePath(dir.path(), 2));
    EXPECT_EQ(stored.ticks, ticks);
    EXPECT_TRUE(std::equal(stored.path.begin(), stored.path.end(), game.recordPath().begin(),
                           game.recordPath().end()));
}

// Starts a run at `start`, lets `ticks` ticks pass, then walks the way at once.
MoveResult runIn(MazeGame& game, BoxPoint start, int ticks, const std::vector<BoxPoint>& way) {
    EXPECT_EQ(game.pointerMove(start).outcome, MoveOutcome::Started);
    for (int k = 0; k < ticks; ++k) {
        game.tick();
    }
    return walk(game, way);
}

TEST(MazeRun, ATieReplacesTheRecordAndASlowerRunDoesNot) {
    struct Case {
        std::string name;
        int ticks;
        bool newRecord;
    };
    const std::vector<Case> cases = {
        {"tie", 30, true},
        {"slower", 31, false},
        {"faster", 29, true},
    };
    const auto way = wayThrough(1);
    const std::vector<BoxPoint> rest(way.begin() + 1, way.end());
    for (const Case& c : cases) {
        TempDir dir;
        {
            MazeGame first(dir.path(), 1);
            ASSERT_EQ(runIn(first, way[0], 30, rest).outcome, MoveOutcome::Finished);
        }
        const std::string before = readBytes(recordFilePath(dir.path(), 1));
        // The second run starts a pixel lower, so its path begins with one more point.
        MazeGame game(dir.path(), 1);
        ASSERT_EQ(game.recordTicks(), 30);
        const MoveResult result = runIn(game, {way[0].x, way[0].y + 1}, c.ticks, way);
        ASSERT_EQ(result.outcome, MoveOutcome::Finished) << c.name;
        EXPECT_EQ(result.newRecord, c.newRecord) << c.name;
        const StoredRecord stored = loadRecordFile(recordFilePath(dir.path(), 1));
        if (c.newRecord) {
            EXPECT_EQ(stored.ticks, c.ticks) << c.name;
            ASSERT_EQ(stored.path.size(), way.size() - 1) << c.name;
            EXPECT_EQ(stored.path.front(), (PathPoint{c.ticks + 1, way[0].x, way[0].y}));
            EXPECT_EQ(game.recordTicks(), c.ticks);
        } else {
            EXPECT_EQ(readBytes(recordFilePath(dir.path(), 1)), before) << c.name;
            EXPECT_EQ(game.recordTicks(), 30) << c.name;
            EXPECT_EQ(game.recordPath().size(), rest.size() - 1) << c.name;
        }
    }
}

TEST(MazeRun, ARunSlowerThanAThousandSecondsStillSetsTheFirstRecord) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    const auto way = wayThrough(1);
    ASSERT_EQ(game.pointerMove(way[0]).outcome, MoveOutcome::Started);
    for (int k = 0; k < 12000; ++k) {
        ASSERT_EQ(game.tick(), TickOutcome::Counted);
    }
    const MoveResult result = walk(game, way);
    ASSERT_EQ(result.outcome, MoveOutcome::Finished);
    EXPECT_TRUE(result.newRecord);
    EXPECT_EQ(loadRecordFile(recordFilePath(dir.path(), 1)).ticks, 12000);
}

TEST(MazeRun, TouchingAWallEndsTheRunAndKeepsItsTime) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    const auto way = wayThrough(1);
    walk(game, {way.begin(), way.begin() + 5}, 1);
    ASSERT_TRUE(game.running());
    EXPECT_EQ(game.pointerMove(firstOf(game, Colour::Black)).outcome, MoveOutcome::Touched);
    EXPECT_FALSE(game.running());
    EXPECT_EQ(game.elapsedTicks(), 4);
    EXPECT_EQ(game.tick(), TickOutcome::Idle);
    EXPECT_FALSE(game.recordTicks().has_value());
    // Only the yellow field starts again, from zero.
    EXPECT_EQ(game.pointerMove(way[6]).outcome, MoveOutcome::Nothing);
    EXPECT_EQ(game.pointerMove(way.back()).outcome, MoveOutcome::Nothing);
    EXPECT_EQ(game.pointerMove(way[0]).outcome, MoveOutcome::Started);
    EXPECT_EQ(game.elapsedTicks(), 0);
}

TEST(MazeRun, AJumpFromTheStartAcrossAWallAbortsAtOnce) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    ASSERT_EQ(game.pointerMove({460, 40}).outcome, MoveOutcome::Started);
    ASSERT_EQ(game.box().at({200, 40}), Colour::White);
    EXPECT_EQ(game.pointerMove({200, 40}).outcome, MoveOutcome::Touched);
}

TEST(MazeRun, AJumpIntoTheFinishAcrossAWallIsATouch) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    ASSERT_EQ(game.pointerMove({460, 40}).outcome, MoveOutcome::Started);
    ASSERT_EQ(game.box().at({30, 30}), Colour::Red);
    EXPECT_EQ(game.pointerMove({30, 30}).outcome, MoveOutcome::Touched);
    EXPECT_FALSE(game.recordTicks().has_value());
}

TEST(MazeRun, NothingHappensWhileIdleOutsideTheStartField) {
    TempDir dir;
    MazeGame game(dir.path(), 3);
    for (const Colour c : {Colour::White, Colour::Black, Colour::Red}) {
        EXPECT_EQ(game.pointerMove(firstOf(game, c)).outcome, MoveOutcome::Nothing);
    }
    EXPECT_EQ(game.pointerMove({-50, -50}).outcome, MoveOutcome::Nothing);
    EXPECT_FALSE(game.running());
}

TEST(MazeRun, TheStartFieldDuringARunIsAPlainMove) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    ASSERT_EQ(game.pointerMove({460, 40}).outcome, MoveOutcome::Started);
    game.tick();
    game.tick();
    EXPECT_EQ(game.pointerMove({470, 40}).outcome, MoveOutcome::Moved);
    EXPECT_EQ(game.elapsedTicks(), 2);
    EXPECT_EQ(game.currentPath().size(), 1u);
}

TEST(MazeRun, TheTrailFollowsThePointerAndVanishesAtTheNextStart) {
    for (const bool trail : {false, true}) {
        TempDir dir;
        MazeGame game(dir.path(), 1);
        game.setTrail(trail);
        const auto way = wayThrough(1);
        walk(game, {way.begin(), way.begin() + 10});
        const std::size_t dots = game.box().dots().size();
        EXPECT_EQ(dots, trail ? 9u : 0u);
        for (const Dot& dot : game.box().dots()) {
            EXPECT_EQ(dot.colour, Colour::Teal);
            EXPECT_EQ(game.box().at(dot.at), Colour::Teal);
        }
        game.pointerMove(firstOf(game, Colour::Black));
        EXPECT_EQ(game.box().dots().size(), dots) << "a touch leaves the trail";
        game.pointerMove(way[0]);
        EXPECT_TRUE(game.box().dots().empty());
    }
}

// A record path whose points were made at ticks 0, 0, 1, 4 and 4 (t = ticks + 1).
const std::vector<PathPoint> kRecordPath = {
    {1, 300, 20}, {1, 301, 20}, {2, 302, 20}, {5, 303, 20}, {5, 304, 20}};

TEST(Replay, RecordDotsAppearAtTheTicksTheyWereMade) {
    TempDir dir;
    ASSERT_TRUE(saveRecordFile(recordFilePath(dir.path(), 1), 50, kRecordPath));
    MazeGame game(dir.path(), 1);
    game.setRecordLine(true);
    ASSERT_EQ(game.recordTicks(), 50);
    ASSERT_EQ(game.pointerMove({460, 40}).outcome, MoveOutcome::Started);
    // Dots shown after each tick of the run.
    const std::vector<std::size_t> expected = {2, 3, 3, 3, 5, 5};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(game.tick(), TickOutcome::Counted);
        EXPECT_EQ(game.box().dots().size(), expected[k]) << "tick " << k + 1;
    }
    for (const Dot& dot : game.box().dots()) {
        EXPECT_EQ(dot.colour, Colour::Navy);
    }
    EXPECT_EQ(game.box().at({303, 20}), Colour::Navy);
}

TEST(Replay, WithTheRecordLineOffNothingShowsAndTurnedOnLateItCatchesUp) {
    TempDir dir;
    ASSERT_TRUE(saveRecordFile(recordFilePath(dir.path(), 1), 50, kRecordPath));
    MazeGame game(dir.path(), 1);
    ASSERT_EQ(game.pointerMove({460, 40}).outcome, MoveOutcome::Started);
    game.tick();
    game.tick();
    game.tick();
    EXPECT_TRUE(game.box().dots().empty());
    game.setRecordLine(true);
    game.tick();
    EXPECT_EQ(game.box().dots().size(), 3u);
    game.tick();
    EXPECT_EQ(game.box().dots().size(), 5u);
}

TEST(Replay, ANewStartReplaysTheRecordFromItsBeginning) {
    TempDir dir;
    ASSERT_TRUE(saveRecordFile(recordFilePath(dir.path(), 1), 50, kRecordPath));
    MazeGame game(dir.path(), 1);
    game.setRecordLine(true);
    game.pointerMove({460, 40});
    for (int k = 0; k < 6; ++k) {
        game.tick();
    }
    ASSERT_EQ(game.replayIndex(), kRecordPath.size());
    game.pointerMove(firstOf(game, Colour::Black));
    game.pointerMove({460, 40});
    EXPECT_TRUE(game.box().dots().empty());
    EXPECT_EQ(game.replayIndex(), 0u);
    game.tick();
    EXPECT_EQ(game.box().dots().size(), 2u);
}

TEST(MazeRun, ThePathKeepsAtMostItsLimitAndTheLastPointFollowsThePointer) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    ASSERT_EQ(game.pointerMove({460, 40}).outcome, MoveOutcome::Started);
    for (int k = 0; k < kMaxPathPoints + 10; ++k) {
        game.pointerMove({460 + k % 2, 40});
    }
    game.tick();
    game.pointerMove({470, 41});
    ASSERT_EQ(game.currentPath().size(), static_cast<std::size_t>(kMaxPathPoints));
    EXPECT_EQ(game.currentPath().back(), (PathPoint{2, 470, 41}));
    EXPECT_EQ(game.currentPath()[kMaxPathPoints - 2], (PathPoint{1, 460, 40}));
}

TEST(MazeRun, TheClockStopsTheRunAtItsLongestTime) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    ASSERT_EQ(game.pointerMove({460, 40}).outcome, MoveOutcome::Started);
    for (int k = 0; k < kMaxRunTicks; ++k) {
        ASSERT_EQ(game.tick(), TickOutcome::Counted);
    }
    EXPECT_EQ(game.elapsedTicks(), kMaxRunTicks);
    EXPECT_TRUE(game.running());
    EXPECT_EQ(game.tick(), TickOutcome::TimeUp);
    EXPECT_FALSE(game.running());
    EXPECT_EQ(game.elapsedTicks(), kMaxRunTicks);
    EXPECT_EQ(game.tick(), TickOutcome::Idle);
    // Nothing can finish the run any more.
    EXPECT_EQ(game.pointerMove({30, 30}).outcome, MoveOutcome::Nothing);
}

TEST(MazeRun, ARunOfTheLongestTimeStoresItsLastPointsTime) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    const auto way = wayThrough(1);
    ASSERT_EQ(game.pointerMove(way[0]).outcome, MoveOutcome::Started);
    for (int k = 0; k < kMaxRunTicks; ++k) {
        game.tick();
    }
    ASSERT_EQ(walk(game, way).outcome, MoveOutcome::Finished);
    const StoredRecord stored = loadRecordFile(recordFilePath(dir.path(), 1));
    EXPECT_EQ(stored.ticks, kMaxRunTicks);
    ASSERT_FALSE(stored.path.empty());
    EXPECT_EQ(stored.path.back().t, kMaxRunTicks + 1);
}

TEST(MazeRun, ADifferentMazeDuringARunTakesOverTheRun) {
    TempDir dir;
    ASSERT_TRUE(saveRecordFile(recordFilePath(dir.path(), 3), 444, kRecordPath));
    MazeGame game(dir.path(), 1);
    const auto way = wayThrough(1);
    walk(game, {way.begin(), way.begin() + 4}, 1);
    ASSERT_TRUE(game.running());
    game.chooseMaze(3);
    EXPECT_TRUE(game.running());
    EXPECT_EQ(game.maze(), 3);
    EXPECT_EQ(game.elapsedTicks(), 3);
    EXPECT_EQ(game.recordTicks(), 444);
    EXPECT_TRUE(game.currentPath().empty());
    EXPECT_EQ(game.tick(), TickOutcome::Counted);
    // The next move is checked on the new maze: find one that maze 1 would let pass.
    MazeBox oldMaze;
    oldMaze.draw(mazePicture(1));
    const BoxPoint last = way[3];
    std::optional<BoxPoint> next;
    for (int y = 0; y < kBoxHeight && !next; y += 3) {
        for (int x = 0; x < kBoxWidth && !next; x += 3) {
            const BoxPoint p{x, y};
            if (oldMaze.at(p) == Colour::White && !oldMaze.segmentTouchesWall(last, p) &&
                game.box().at(p) == Colour::White && game.box().segmentTouchesWall(last, p)) {
                next = p;
            }
        }
    }
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(game.pointerMove(*next).outcome, MoveOutcome::Touched);
}

TEST(MazeRun, ANewRecordThatCannotBeWrittenIsStillTheRecordOfTheSession) {
    TempDir dir;
    MazeGame game(dir.path(), 1);
    fs::create_directories(fs::path(recordFilePath(dir.path(), 1).string() + ".new"));
    const MoveResult result = walk(game, wayThrough(1), 1);
    ASSERT_EQ(result.outcome, MoveOutcome::Finished);
    EXPECT_TRUE(result.newRecord);
    EXPECT_FALSE(result.recordSaved);
    EXPECT_TRUE(game.recordTicks().has_value());
    EXPECT_EQ(fs::file_size(recordFilePath(dir.path(), 1)), 0u);
}

}  // namespace
}  // namespace korvat
