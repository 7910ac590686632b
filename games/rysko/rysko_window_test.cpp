#include "rysko_window.h"

#include <gtest/gtest.h>

#include "testing/window_harness.h"

namespace tro::rysko {
namespace {

TEST(RyskoWindow, TheHitsOfAMinuteAreHandedOff) {
    // The process's own draws do not move the target: its spots are the same in every run.
    testing::WindowHarness<RyskoWindow> w(4, {0.9});
    // The window with its frame is 800 x 600 pixels, 12000 x 9000 twips.
    w.window->resize(QSize(800, 600) - (w.window->frameGeometry().size() - w.window->size()));
    EXPECT_EQ(w.child("Label1")->geometry(), QRect(58, 28, 684, 450));
    w.click("Label2", Qt::RightButton, {1, 1});  // only the left button hits
    for (int second = 1; second <= 60; ++second) {
        if (second <= 3) {
            w.click("Label2", Qt::LeftButton, {1, 1});
        }
        w.advanceMs(1000);
        w.window->Timer1_Timer();
    }
    w.click("Label2", Qt::LeftButton, {1, 1});  // after the minute the target takes nothing
    EXPECT_EQ(w.child("Label2")->geometry(), QRect(624, 143, 4, 4));
    EXPECT_EQ(w.text("Label3") + ' ' + w.text("Label4"), "3 0");
    EXPECT_EQ(w.lastMessage(), "Игра закончилась. Вы набрали очков: 3");
    EXPECT_EQ(w.handedOff(), 3);
}

}  // namespace
}  // namespace tro::rysko
