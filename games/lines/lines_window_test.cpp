// A round of Lines played through its window, to its hand-off.

#include "lines_window.h"

#include <gtest/gtest.h>

#include "testing/boards.h"
#include "testing/window_harness.h"

namespace tro::lines {
namespace {

// The time game: a ball runs its way through the window, then the clock runs out at 0 points,
// which hands off -1, no value.
TEST(LinesWindow, ARoundPlayedThroughTheWindowEndsWithOneHandOff) {
    // The ball at 1 reaches 22 only through 2, 11, 20 and 21.
    const Board corner = pictured("1.3....72/3.3.....7/3...3/33333");
    // The starting balls: the second draws the first one's cell again and draws anew.
    testing::WindowHarness<LinesWindow> w(
        2, {0.05, 0.62, 0.05, 0.33, 0.91, 0.18, 0.47, 0.76, 0.29, 0.84, 0.11, 0.55});
    const auto shows = [&w](int n) {
        return w.window->findChild<BallPicture*>(QStringLiteral("Picture1_%1").arg(n))->colour();
    };
    LinesGame& game = w.window->game();
    w.click("Check1");  // the ball runs along its trajectory
    game.setPosition(corner, {5, 6, 7}, 0);
    w.click("Picture1_1", Qt::RightButton);
    w.window->Timer1_Timer();
    EXPECT_EQ(shows(1), 0);  // the chosen ball blinks
    w.click("Picture1_22");
    for (const int step : {2, 11, 20, 21, 22}) {
        EXPECT_EQ(game.board(), corner);  // it moves at the end of its run
        w.click("Picture1_4");            // and takes no click while it runs
        w.window->Timer1_Timer();
        EXPECT_EQ(shows(step), 1) << step;
    }
    // No line: the three waiting balls came, and every cell shows its ball.
    EXPECT_EQ(game.board().occupied(), corner.occupied() + 3);
    for (int n = 1; n <= kCells; ++n)
        EXPECT_EQ(shows(n), game.board().cell(n)) << n;
    w.advanceMs(599'999);
    w.window->Timer2_Timer();
    EXPECT_EQ(w.text("Label8"), "1");
    w.advanceMs(1);
    w.window->Timer2_Timer();
    w.window->close();
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Ваши очки: 0");
    EXPECT_EQ(w.fake.launcher.starts.size(), 1u);
    EXPECT_EQ(w.handedOff(), std::nullopt);
}

}  // namespace
}  // namespace tro::lines
