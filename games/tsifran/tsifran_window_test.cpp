#include "tsifran_window.h"

#include <gtest/gtest.h>

#include "testing/window_harness.h"

namespace tro::tsifran {
namespace {

TEST(TsifranWindow, ARoundOfAnswersIsLoggedAndHandsOffTheClockWithItsPenalties) {
    // 123 + 45 first.
    testing::WindowHarness<TsifranWindow> w(3, {0.2441, 0.089, 0.2, 0.7, 0.3, 0.55, 0.9, 0.1});
    auto* log = w.child<QListWidget>("List1");
    const auto answerColour = [&] {
        return w.child<QLineEdit>("Text1")->palette().color(QPalette::Base);
    };
    w.enter("Text1", "170");
    EXPECT_EQ(log->item(0)->text(), "123 + 45 = 168   170  неправильно");
    EXPECT_EQ(answerColour(), QColor(255, 0, 0));
    w.window->Timer1_Timer();
    EXPECT_EQ(answerColour(), QColor(Qt::white)) << "the verdict shows for one tick";
    w.enter("Text1", "x");
    w.advanceMs(25'300);
    w.window->Timer1_Timer();
    for (int right = 0; right < 10; ++right) {
        EXPECT_EQ(w.text("Label1"), QString::fromStdString(w.window->game().question()));
        EXPECT_EQ(w.text("Label4") + ' ' + w.text("Label5"), QString("%1 2").arg(right));
        w.enter("Text1", QString::number(w.window->game().expected()));
        EXPECT_EQ(w.text("Text1"), "");
    }
    EXPECT_EQ(answerColour(), QColor(0, 255, 0));
    EXPECT_EQ(log->count(), 12);
    EXPECT_EQ(w.text("Label6"), "313");
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Ваш результат: 313 десятых секунды.");
    EXPECT_EQ(w.handedOff(), 313);
}

}  // namespace
}  // namespace tro::tsifran
