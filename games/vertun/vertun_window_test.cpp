#include "vertun_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "testing/window_harness.h"

namespace tro::vertun {
namespace {

// A round of variant 1 (a second a turn): the first stop 1002 ms after its turn began (89.28
// points), the second after 999 ms (89.64), every further one after 1000 ms (89.64 again).
TEST(VertunWindow, AHundredStopsWithAnyKeyHandTheWholeTotalOff) {
    testing::WindowHarness<VertunWindow> w(1);
    const auto key = [&w](bool autoRepeat = false) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(w.child("Picture1"), &press);
    };
    const auto frame = [&w](std::int64_t ms) {
        w.advanceMs(ms);
        w.window->Timer1_Timer();
    };
    const QString calibrating = w.text("Label7");
    key();  // keys during the calibration do nothing
    frame(1000);
    EXPECT_NE(w.text("Label7"), calibrating);
    key();
    frame(kPauseMs);
    for (int stop = 1; stop <= kStopsPerGame; ++stop) {
        frame(500);
        key(true);  // a held key repeating does not stop the arrow, even Tab
        w.advanceMs(stop == 1 ? 502 : stop == 2 ? 499 : 500);
        key();
        frame(kPauseMs);
    }
    w.click("Check1");  // the switch shows the marks of the average and leaves the keys to the dial
    EXPECT_TRUE(w.window->game().marksShown());
    EXPECT_EQ(w.window->focusWidget(), w.child("Picture1"));
    EXPECT_EQ(w.text("Label4") + ' ' + w.text("Label1") + ' ' + w.text("Label3"),
              "100 89.64 8963.64");
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Ваши очки:8964");
    EXPECT_EQ(w.handedOff(), 8963);
}

}  // namespace
}  // namespace tro::vertun
