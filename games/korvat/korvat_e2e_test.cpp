// The maze game run for real under Xvfb in a scratch play directory, closed as a user closes
// it, handing over to a stand-in for the results manager that records what it was given.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "clock.h"
#include "handoff.h"
#include "maze.h"
#include "play_testing.h"
#include "record_file.h"
#include "result_code.h"
#include "testing/maze_way.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace {

namespace fs = std::filesystem;
using tro::testing::ProgramOnDisplay;
using tro::testing::readBytes;
using tro::testing::RecordingManager;
using tro::testing::TempDir;
using tro::testing::writeBytes;
using tro::testing::XDisplay;

TEST(KorvatEndToEnd, AFastRunByTheRealPointerHandsOffItsTimeAndKeepsTheRecord) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "no Xvfb to run the program under";
    }
    TempDir dir;
    if (QStandardPaths::findExecutable("python3", {"/usr/bin"}).isEmpty()) {
        GTEST_SKIP() << "no python3 to move the pointer";
    }
    const RecordingManager manager(dir.path());
    // A dense walk along the shortest way through the bends of maze 1, a pixel a step, played
    // at full speed: it touches no wall as long as the program tests every position reported.
    // Positions merged into one would be joined by a line that cuts a corner through a wall.
    const auto way = korvat::testing::boxWay(1);
    std::vector<korvat::BoxPoint> walk;
    korvat::BoxPoint at = way.front();
    for (const korvat::BoxPoint& next : way) {
        do {
            at = {at.x + (next.x > at.x) - (next.x < at.x),
                  at.y + (next.y > at.y) - (next.y < at.y)};
            walk.push_back(at);
        } while (at != next);
    }
    std::string points;
    for (const korvat::BoxPoint& p : walk)
        points += std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
    writeBytes(dir / "way.txt", points);
    // The first position starts the run; every one after it up to the finish field is a point
    // of the run's path, when none is lost.
    korvat::MazeBox box;
    box.draw(korvat::mazePicture(1));
    const auto finish = std::ranges::find_if(
        walk, [&](korvat::BoxPoint p) { return box.at(p) == korvat::Colour::Red; });
    const auto pathPoints = static_cast<std::size_t>(finish - walk.begin()) - 1;

    ProgramOnDisplay game(GAME_PROGRAM, {"1"}, dir.path(), x.name());
    ASSERT_TRUE(game.started(5000));
    // The maze box lies at (88, 64) of the window.
    const int walked = QProcess::execute(
        "/usr/bin/python3",
        {GAME_SOURCE_DIR "/testing/pointer_walk.py", QString::fromStdString(x.name()), "korvat",
         "88", "64", QString::fromStdString((dir / "way.txt").string())});
    EXPECT_EQ(walked, 0);
    ASSERT_TRUE(game.finished());
    ASSERT_TRUE(manager.waitForCall());
    ASSERT_TRUE(fs::exists(manager.handoffFileCopy()));

    // A run this fast may end within its first tick, so the time is read as the file holds
    // it (a time of 0 would read back as no record).
    const std::string stored = readBytes(korvat::recordFilePath(dir.path(), 1));
    EXPECT_EQ(korvat::parseRecord(stored).path.size(), pathPoints);
    const tro::HandoffText handoff = tro::parseHandoffText(manager.handoffText());
    EXPECT_EQ(handoff.gameId, "korvat");
    EXPECT_EQ(handoff.variant, 1);
    const tro::DateTime now = tro::SystemClock().now();
    EXPECT_EQ(tro::Rascodirovka("korvat", 1, handoff.code, now.date),
              korvat::readField(std::string_view(stored).substr(0, korvat::kFieldWidth)));
    EXPECT_TRUE(manager.handoffFileVouchesFor(handoff.code));
}

}  // namespace
