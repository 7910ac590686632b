#include "korvat_window.h"

#include <gtest/gtest.h>

#include "testing/maze_way.h"
#include "testing/window_harness.h"

namespace tro::korvat {
namespace {

// The player chooses maze 2 by its thumbnail and walks it, a tick a step: the clock shows the
// ticks, the question tells the seconds, and Yes hands the time of the run off for maze 2.
TEST(KorvatWindow, ARunThroughAChosenMazeIsHandedOffOnYes) {
    tro::testing::WindowHarness<KorvatWindow> w(1);
    w.fake.dialogs.yesNoAnswers = {true};
    QTest::mouseDClick(w.child("Picture2_1"), Qt::LeftButton);
    const auto way = testing::boxWay(2);
    for (std::size_t i = 0; i < way.size(); ++i) {
        w.advanceMs(i > 0 ? kTickMs : 0);
        w.window->Timer1_Timer();
        QTest::mouseMove(w.child("Picture1"), {way[i].x, way[i].y});
    }
    const int ticks = static_cast<int>(way.size()) - 1;
    ASSERT_EQ(w.handedOff(), ticks);
    EXPECT_EQ(w.text("Label4"), QString::number(ticks));
    ASSERT_EQ(w.fake.dialogs.questions.size(), 1u);
    EXPECT_TRUE(w.fake.dialogs.questions[0].text.startsWith(
        "Вы прошли лабиринт за" + QString::fromStdString(secondsText(ticks)) + " секунды."));
    EXPECT_TRUE(w.fake.launcher.starts.back().arguments.value(0).startsWith("korvat*2*"));
}

}  // namespace
}  // namespace tro::korvat
