// The maze game run for real under Xvfb in a scratch play directory, closed as a user closes
// it, handing over to a stand-in for the results manager that records what it was given.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

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
using tro::testing::RecordingManager;
using tro::testing::TempDir;
using tro::testing::writeBytes;
using tro::testing::XDisplay;

TEST(KorvatEndToEnd, ARunByTheRealPointerHandsOffItsTimeAndKeepsTheRecord) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "no Xvfb to run the program under";
    }
    TempDir dir;
    if (QStandardPaths::findExecutable("python3", {"/usr/bin"}).isEmpty()) {
        GTEST_SKIP() << "no python3 to move the pointer";
    }
    const RecordingManager manager(dir.path());
    std::string points;
    for (const auto& pixel : korvat::testing::shortestWay(korvat::mazePicture(1))) {
        const korvat::BoxPoint p = korvat::testing::boxCentre(pixel);
        points += std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
    }
    writeBytes(dir / "way.txt", points);

    ProgramOnDisplay game(KORVAT_PROGRAM, {"1"}, dir.path(), x.name());
    ASSERT_TRUE(game.started(5000));
    // The maze box lies at (88, 64) of the window.
    const int walked = QProcess::execute(
        "/usr/bin/python3", {KORVAT_POINTER_WALK, QString::fromStdString(x.name()), "korvat", "88",
                             "64", QString::fromStdString((dir / "way.txt").string())});
    EXPECT_EQ(walked, 0);
    ASSERT_TRUE(game.finished());
    ASSERT_TRUE(manager.waitForCall());
    ASSERT_TRUE(fs::exists(manager.handoffFileCopy()));

    const korvat::StoredRecord record =
        korvat::loadRecordFile(korvat::recordFilePath(dir.path(), 1));
    ASSERT_TRUE(record.ticks.has_value());
    EXPECT_FALSE(record.path.empty());
    const tro::HandoffText handoff = tro::parseHandoffText(manager.handoffText());
    EXPECT_EQ(handoff.gameId, "korvat");
    EXPECT_EQ(handoff.variant, 1);
    const tro::DateTime now = tro::SystemClock().now();
    EXPECT_EQ(tro::Rascodirovka("korvat", 1, handoff.code, now.date), *record.ticks);
    EXPECT_TRUE(manager.handoffFileVouchesFor(handoff.code));
}

TEST(KorvatEndToEnd, ClosedAsAUserClosesItOpensTheManagersTableOfItsMaze) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "no Xvfb to run the program under";
    }
    TempDir dir;
    const RecordingManager manager(dir.path());
    ProgramOnDisplay game(KORVAT_PROGRAM, {"5"}, dir.path(), x.name());
    ASSERT_TRUE(game.started(5000));

    const auto window = x.waitForWindow({.className = "korvat"}, 10000);
    ASSERT_TRUE(window.has_value());
    x.closeWindow(*window);

    ASSERT_TRUE(game.finished());
    EXPECT_EQ(game.process().exitCode(), 0);
    ASSERT_TRUE(manager.waitForCall());
    ASSERT_TRUE(fs::exists(manager.handoffFileCopy()));
    EXPECT_EQ(manager.handoffText(), "korvat*5*-1");
    EXPECT_TRUE(manager.handoffFileVouchesFor("-1"));
    // The maze's record file is there, empty: the maze has no record yet.
    EXPECT_TRUE(fs::exists(dir / "DATA" / "korvat" / "record5.dat"));
}

}  // namespace
