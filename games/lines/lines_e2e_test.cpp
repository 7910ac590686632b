// The real `lines` program in a scratch play directory on a private X server: its window is
// closed as a window manager's close button closes it, and it hands over to whatever
// program is called "tropheon" there (a stand-in that records what it was given).

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>

#include "handoff.h"
#include "play_testing.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace tro::lines {
namespace {

namespace fs = std::filesystem;
using testing::ProgramOnDisplay;
using testing::RecordingManager;
using testing::TempDir;
using testing::XDisplay;

TEST(LinesEndToEnd, ClosingTheTimeGameStartsTheManagerForItsTable) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "no Xvfb to run the window on";
    }
    TempDir dir;
    ASSERT_EQ(
        QProcess::execute(TRO_SOURCE_DIR "/scripts/make-play-dir",
                          {"--build", TRO_BUILD_DIR, QString::fromStdString(dir.path().string())}),
        0);
    ASSERT_TRUE(fs::exists(dir / "lines"));
    ASSERT_TRUE(fs::exists(dir / "lines.dat"));
    // The stand-in takes the real manager's place.
    const RecordingManager manager(dir.path());

    ProgramOnDisplay game(QString::fromStdString((dir / "lines").string()), {"2"}, dir.path(),
                          x.name());
    ASSERT_TRUE(game.started(5000));

    const auto window = x.waitForWindow({.title = "ЛАЙНС - игра на время - 10 мин"}, 10000);
    ASSERT_TRUE(window.has_value()) << "the Lines window did not appear";
    x.closeWindow(*window);
    ASSERT_TRUE(game.finished(10000)) << "the game did not end when its window was closed";
    EXPECT_EQ(game.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.process().exitCode(), 0);

    ASSERT_TRUE(manager.waitForCall());
    EXPECT_EQ(manager.handoffText(), "lines*2*-1");
    const HandoffText text = parseHandoffText(manager.handoffText());
    EXPECT_EQ(text.gameId, "lines");
    EXPECT_EQ(text.variant, 2);
    EXPECT_TRUE(manager.handoffFileVouchesFor(text.code));
}

}  // namespace
}  // namespace tro::lines
