// A round of Lines played through its window, to its hand-off.

#include "lines_window.h"

#include <gtest/gtest.h>

#include "testing/boards.h"
#include "testing/window_harness.h"

namespace tro::lines {
namespace {

// The ball at 1 reaches 22 only through 2, 11, 20 and 21.
const char* kCorner = "1.3....72/3.3.....7/3...3/33333";

TEST(LinesWindow, ARoundPlayedThroughTheWindowEndsWithOneHandOff) {
    struct Case {
        int variant, score;
        std::optional<int> handed;  // the time game at 0 points hands off -1: no value
    };
    for (const Case& c : {Case{1, 37, 37}, Case{2, 0, std::nullopt}}) {
        // The starting balls: the second draws the first one's cell again and draws anew.
        testing::WindowHarness<LinesWindow> w(
            c.variant, {0.05, 0.62, 0.05, 0.33, 0.91, 0.18, 0.47, 0.76, 0.29, 0.84, 0.11, 0.55});
        const auto shows = [&w](int n) {
            return w.window->findChild<BallPicture*>(QStringLiteral("Picture1_%1").arg(n))
                ->colour();
        };
        LinesGame& game = w.window->game();
        w.click("Check1");  // the ball runs along its trajectory
        game.setPosition(pictured(kCorner), {5, 6, 7}, c.score);
        w.click("Picture1_1", Qt::RightButton);
        w.window->Timer1_Timer();
        EXPECT_EQ(shows(1), 0);  // the chosen ball blinks
        w.click("Picture1_22");
        for (const int step : {2, 11, 20, 21, 22}) {
            EXPECT_EQ(game.board(), pictured(kCorner));  // it moves at the end of its run
            w.click("Picture1_4");                       // and takes no click while it runs
            w.window->Timer1_Timer();
            EXPECT_EQ(shows(step), 1) << step;
        }
        // No line: the three waiting balls came, and every cell shows its ball.
        EXPECT_EQ(game.board().occupied(), pictured(kCorner).occupied() + 3);
        for (int n = 1; n <= kCells; ++n) {
            EXPECT_EQ(shows(n), game.board().cell(n)) << n;
        }
        if (c.variant == 1) {
            game.setPosition(fullBut({80, 81}), {5, 6, 7}, c.score);
            w.click("Picture1_79");
            w.click("Picture1_81");
        } else {
            w.advanceMs(599'999);
            w.window->Timer2_Timer();
            EXPECT_EQ(w.text("Label8"), "1");
            w.advanceMs(1);
            w.window->Timer2_Timer();
        }
        w.window->Timer1_Timer();  // the ball runs on through 80 to 81
        w.window->Timer1_Timer();
        w.window->close();
        EXPECT_EQ(w.lastMessage(), QStringLiteral("Игра закончена. Ваши очки: %1").arg(c.score));
        EXPECT_EQ(w.fake.launcher.starts.size(), 1u);
        EXPECT_EQ(w.handedOff(), c.handed);
    }
}

}  // namespace
}  // namespace tro::lines
