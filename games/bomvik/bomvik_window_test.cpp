#include "bomvik_window.h"

#include <gtest/gtest.h>

#include "testing/window_harness.h"

namespace tro::bomvik {
namespace {

// The beginner's field with a wall of mines in column 5 and the tenth mine at (6, 1): a click
// on each side of the wall clears it. The seconds counted while not minimised are handed off.
TEST(BomvikWindow, ARoundWonHandsOffTheSecondsCountedWhileNotMinimised) {
    std::vector<double> draws;
    for (int i = 0; i < 20; ++i)
        draws.push_back(i % 2 ? (i / 2 % 9 + 0.5) / 9 : (i < 18 ? 4.5 : 5.5) / 9);
    testing::WindowHarness<BomvikWindow> w(1, draws);
    // The centre of cell (c, r) is 16 * (c, r) - 8 pixels.
    w.click("Picture1", Qt::RightButton, QPoint(5, 5) * kCellPixels - QPoint(8, 8));
    w.click("Picture1", Qt::LeftButton, QPoint(1, 1) * kCellPixels - QPoint(8, 8));
    // Seconds 0 and 1 count, 2 and 3 pass minimised, 4 counts one more.
    for (const bool minimised : {false, false, true, true, false}) {
        w.window->setWindowState(minimised ? Qt::WindowMinimized : Qt::WindowNoState);
        w.window->Timer1_Timer();
        w.advanceMs(1000);
    }
    w.click("Picture1", Qt::LeftButton, QPoint(9, 9) * kCellPixels - QPoint(8, 8));
    EXPECT_EQ(w.text("Label1") + ' ' + w.text("Label2"), "9 2");
    EXPECT_EQ(w.lastMessage(), "Вы победили! Ваше время: 2");
    EXPECT_EQ(w.handedOff(), 2);
}

}  // namespace
}  // namespace tro::bomvik
