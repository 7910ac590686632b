#include "tsepko_window.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "testing/window_harness.h"

namespace tro::tsepko {
namespace {

TEST(TsepkoWindow, PlaysARoundAndHandsOffTheScore) {
    // Variant 3, the black square and the even number the targets, A and D the squares. Every
    // redraw: black right, the odd 11 left and the even 98 right.
    std::vector<double> draws{0.0, 0.0, 0.0, 0.9, 0.999, 0.0, 0.9};
    draws.resize(20, 0.9);
    testing::WindowHarness<TsepkoWindow> w(3, draws);
    // Sent by hand: QTest knows no Cyrillic key codes.
    const auto key = [&](int code, Qt::KeyboardModifiers modifiers = {}, bool repeat = false) {
        QKeyEvent press(QEvent::KeyPress, code, modifiers, QString(), repeat);
        QApplication::sendEvent(w.child("Text1"), &press);
    };
    const auto tenths = [&](int count) { w.advanceMs(100 * count), w.window->Timer1_Timer(); };
    const auto shown = [&] {
        return w.text("Label3") + ' ' + w.text("Label4") + ' ' + w.text("Label8") +
               w.text("Label10") + w.text("Label12") + w.text("Label14");
    };
    w.advanceMs(5'000);
    key(Qt::Key_D);  // only starts the round
    tenths(1);
    EXPECT_EQ(w.text("Label6") + ' ' + shown(), "599 11 98 0000");
    key(0x0412);  // В: the key marked D under Russian
    EXPECT_FALSE(w.child("Label1")->isVisible()) << "blank until the next tenth";
    key(Qt::Key_D);
    tenths(1);
    key(Qt::Key_D, {}, true);  // a held key answers once
    EXPECT_EQ(shown(), "11 98 1000");
    for (int i = 0; i < 4; ++i) {
        key(Qt::Key_D);
        tenths(1);
    }
    key(Qt::Key_4);  // the top row's 4 answers nothing
    key(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(shown() + ' ' + w.text("Label20"), "11 98 5010 28");
    tenths(594);
    EXPECT_EQ(w.text("Label6"), "0");
    EXPECT_FALSE(w.child("Text1")->isEnabled());
    // r = CInt(40*5*1/6) = 33; the penalty of 28 takes half of it.
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Ваш результат:16");
    EXPECT_EQ(w.handedOff(), 16);
}

}  // namespace
}  // namespace tro::tsepko
