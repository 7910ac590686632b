// The real rysko program under a private X display, closed as a player closes it: it hands
// over to whatever program is called "tropheon" beside it, and a stand-in records what it got.

#include <gtest/gtest.h>

#include "handoff.h"
#include "play_testing.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace tro {
namespace {

using testing::ProgramOnDisplay;
using testing::RecordingManager;
using testing::TempDir;
using testing::XDisplay;

TEST(RyskoEndToEnd, ClosedAsAPlayerClosesItOpensTheManagersTableOfItsVariant) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    TempDir dir;
    const RecordingManager manager(dir.path());
    ProgramOnDisplay game(TRO_RYSKO, {"1"}, dir.path(), x.name());
    ASSERT_TRUE(game.started());

    const auto window = x.waitForWindow({.pid = game.pid()});
    ASSERT_TRUE(window.has_value()) << "no window appeared";
    x.closeWindow(*window);
    ASSERT_TRUE(game.finished());
    EXPECT_EQ(game.process().exitCode(), 0);

    ASSERT_TRUE(manager.waitForCall());
    const HandoffText text = parseHandoffText(manager.handoffText());
    EXPECT_EQ(text.gameId, "rysko");
    EXPECT_EQ(text.variant, 1);
    EXPECT_EQ(text.code, "-1");
    EXPECT_TRUE(manager.handoffFileVouchesFor(text.code));
}

}  // namespace
}  // namespace tro
