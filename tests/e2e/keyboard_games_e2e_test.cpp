// The two keyboard games run for real on their own X server: closed as a user closes them,
// they hand over to the results manager with no result, and the typing game puts back the
// keyboard layout it switched away from.

#include <gtest/gtest.h>

#include <iostream>

#include "play_testing.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace tro {
namespace {

using testing::ProgramOnDisplay;
using testing::RecordingManager;
using testing::TempDir;
using testing::waitUntil;
using testing::XDisplay;

TEST(KeyboardGamesEndToEnd, ClosingTheTypingGameOpensTheManagerAndPutsTheLayoutBack) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "no X server to run on";
    }
    // Russian is active, as for a player who last typed Russian; variant 9 types English.
    const bool layouts = x.setKeyboardLayouts("us,ru");
    if (layouts) {
        x.lockKeyboardGroup(1);
        ASSERT_EQ(x.keyboardGroup(), 1);
    }
    TempDir dir;
    const RecordingManager manager(dir.path());
    ProgramOnDisplay game(TRO_BIN_DIR "/klavon", {"9"}, dir.path(), x.name());
    const auto window = x.waitForWindow({.titlePrefix = "Быстрая печать"});
    ASSERT_TRUE(window.has_value());
    if (layouts) {
        EXPECT_TRUE(waitUntil([&] { return x.keyboardGroup() == 0; }))
            << "the game switches to US English";
    }
    x.closeWindow(*window);
    ASSERT_TRUE(game.finished());
    ASSERT_TRUE(manager.waitForCall());
    EXPECT_EQ(manager.handoffText(), "klavon*9*-1");
    if (layouts) {
        EXPECT_EQ(x.keyboardGroup(), 1) << "the Russian layout is back";
    } else {
        std::cerr << "setxkbmap is missing: the layout switch was not checked\n";
    }
}

}  // namespace
}  // namespace tro
