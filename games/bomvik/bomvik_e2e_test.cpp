// The real program on a private X server, closed the way a window manager's close button
// closes it, hands over to whatever is called "tropheon" in its directory; a stand-in script
// there records what it was given.

#include <gtest/gtest.h>

#include <filesystem>

#include "play_testing.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace {

namespace fs = std::filesystem;
using tro::testing::ProgramOnDisplay;
using tro::testing::RecordingManager;
using tro::testing::TempDir;
using tro::testing::XDisplay;

TEST(BomvikEndToEnd, ClosingTheProfessionalFieldHandsOverToTheManagersVariant3) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "no Xvfb";
    }
    TempDir dir;
    const RecordingManager manager(dir.path());
    ProgramOnDisplay game(BOMVIK_PROGRAM, {"3"}, dir.path(), x.name());
    ASSERT_TRUE(game.started(5000));

    // The top-level window of the game, found by its class.
    const auto window = x.waitForWindow({.className = "bomvik"}, 10000);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(x.title(*window), "Сапер - профессионал");
    // Sized to the 30 x 16 field and centred on the screen.
    const auto geometry = x.geometry(*window);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->width, 8 + 30 * 16 + 8);
    EXPECT_EQ(geometry->height, 40 + 16 * 16 + 8);
    EXPECT_NEAR(geometry->x + geometry->width / 2, 640, 2);
    EXPECT_NEAR(geometry->y + geometry->height / 2, 512, 2);

    x.closeWindow(*window);
    ASSERT_TRUE(game.finished(10000));
    EXPECT_EQ(game.process().exitCode(), 0);

    ASSERT_TRUE(manager.waitForCall());
    ASSERT_TRUE(fs::exists(manager.handoffFileCopy()));
    EXPECT_EQ(manager.handoffText(), "bomvik*3*-1");
    EXPECT_TRUE(manager.handoffFileVouchesFor("-1"));
}

TEST(BomvikEndToEnd, WithoutAVariantItEndsAtOnceAndHandsNothingOff) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"0"}, QStringList{"4"}, QStringList{"x"}}) {
        TempDir dir;
        const RecordingManager manager(dir.path());
        EXPECT_EQ(tro::testing::runOffscreen(BOMVIK_PROGRAM, dir.path(), arguments, 10000), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "bomvik.dat"));
    }
}

}  // namespace
