#include "bolmen_window.h"

#include <gtest/gtest.h>

#include "testing/window_harness.h"

namespace tro::bolmen {
namespace {

using Harness = testing::WindowHarness<BolmenWindow>;
// Twelve draws in turn: enough different numbers for every set.
const std::vector<double> kDraws{0.13, 0.71, 0.42, 0.95, 0.27, 0.58,
                                 0.04, 0.86, 0.33, 0.66, 0.19, 0.5};

QByteArray square(int i) {
    return QStringLiteral("Label2_%1").arg(i).toLatin1();
}

TEST(BolmenWindow, ARoundOfClicksHandsOffTheClockWithItsPenalties) {
    Harness w(1, kDraws);
    std::filesystem::create_directory(w.dir / "sound");
    testing::writeBytes(w.dir / "sound" / "mistake1.wav", "RIFF");
    ASSERT_TRUE(w.frame.setSwitch(kSoundSwitchSlot, true));
    const BolmenGame& game = w.window->game();
    w.click(square(game.target()), Qt::RightButton);  // only the left button answers
    w.click(square(game.target() == 1 ? 2 : 1));
    w.click(square(0));  // the heading is always wrong
    w.advanceMs(45'000);
    w.window->Timer1_Timer();
    ASSERT_TRUE(w.frame.setSwitch(kSoundSwitchSlot, false));
    w.click(square(game.target() == 9 ? 8 : 9));
    EXPECT_EQ(w.text("Label8") + ' ' + w.text("Label1"), "3 510");
    EXPECT_EQ(w.fake.sound.played.size(), 2) << "a mistake sounds while the switch is on";
    for (int right = 0; right < 30; ++right) {
        for (int i = 1; i <= 9; ++i) {
            ASSERT_EQ(w.text(square(i)), QString::number(game.number(i))) << i;
        }
        EXPECT_EQ(w.text("Label7"), QString::number(right));
        w.click(square(game.target()));
    }
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Ваш результат: 510");
    EXPECT_EQ(w.handedOff(), 510);
}

}  // namespace
}  // namespace tro::bolmen
