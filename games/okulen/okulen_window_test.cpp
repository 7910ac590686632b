// A round of the eye-estimation game played through its window, to its hand-off.

#include "okulen_window.h"

#include <gtest/gtest.h>

#include "testing/window_harness.h"

namespace tro::okulen {
namespace {

TEST(OkulenWindow, ARoundOfClicksEndsWithItsTotalInTheMessageAndTheHandOff) {
    // Every task of these draws has its centre at (4267, 2767) twips.
    testing::WindowHarness<OkulenWindow> w(
        4, {0.5, 0.5, 0.0, 350.5 / 360, 5.5 / 360, 10.5 / 360, 90.5 / 360, 200.5 / 360});
    w.click("Command1");
    // The first task runs out and scores nothing; the next one has its ten seconds.
    for (int second = 1; second <= 10; ++second) {
        w.advanceMs(1000);
        w.window->Timer1_Timer();
    }
    EXPECT_EQ(w.text("Otvet") + ' ' + w.text("Label2"), "1 10");
    // 10 pixels right of the centre, (4410, 2760) twips: 143 off, 90 points.
    const QPoint at(294, 184);
    for (int task = 2; task <= 30; ++task) {
        QTest::mousePress(w.child("Picture1"), Qt::LeftButton, {}, at);
        EXPECT_EQ(w.text("Tekoch"), "90");
        QTest::mouseRelease(w.child("Picture1"), Qt::LeftButton, {}, at);
    }
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Ваш результат:2610");
    EXPECT_EQ(w.handedOff(), 2610);
}

}  // namespace
}  // namespace tro::okulen
