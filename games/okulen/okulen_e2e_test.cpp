// The real program on a private X server, closed as a player closes it: through the window
// manager's close message. A stand-in "tropheon" in the play directory records the hand-off.

#include <gtest/gtest.h>

#include <filesystem>

#include "handoff.h"
#include "play_testing.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::ProgramOnDisplay;
using testing::RecordingManager;
using testing::TempDir;
using testing::XDisplay;

TEST(OkulenEndToEnd, ClosingTheWindowOpensTheManagersTableOfTheVariant) {
    XDisplay x;
    ASSERT_TRUE(x.ready()) << "no X server";
    TempDir dir;
    const RecordingManager manager(dir.path());
    fs::copy_file(OKULEN_PROGRAM, dir / "okulen");

    ProgramOnDisplay game(QString::fromStdString((dir / "okulen").string()), {"4"}, dir.path(),
                          x.name());
    ASSERT_TRUE(game.started());

    const auto window = x.waitForWindow({.pid = game.pid()}, 10000);
    ASSERT_TRUE(window.has_value()) << "the game never showed its window";
    x.closeWindow(*window);
    ASSERT_TRUE(game.finished(20000));
    EXPECT_EQ(game.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.process().exitCode(), 0);

    ASSERT_TRUE(manager.waitForCall());
    ASSERT_TRUE(fs::exists(manager.handoffFileCopy()));
    EXPECT_EQ(manager.handoffText(), "okulen*4*-1");
    const HandoffText text = parseHandoffText(manager.handoffText());
    EXPECT_EQ(text.gameId, "okulen");
    EXPECT_EQ(text.variant, 4);
    EXPECT_EQ(text.code, "-1");
    // The manager would take the file as fresh and as vouching for "-1".
    EXPECT_TRUE(manager.handoffFileVouchesFor(text.code));
}

TEST(OkulenEndToEnd, WithoutAVariantTheGameShowsNothingAndHandsNothingOff) {
    for (const QStringList& arguments : {QStringList{}, QStringList{"0"}, QStringList{"6"}}) {
        TempDir dir;
        const RecordingManager manager(dir.path());
        EXPECT_EQ(testing::runOffscreen(OKULEN_PROGRAM, dir.path(), arguments), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "okulen.dat"));
    }
}

}  // namespace
}  // namespace tro
