#include "bolmen_window.h"

#include <gtest/gtest.h>

#include <cmath>

#include "testing/rendering.h"
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
    Harness w({"bolmen", BolmenGame::kVariants, -1}, 1, kDraws);
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

TEST(BolmenWindow, EveryNumberStandsWhollyInsideItsSquareAtEveryScale) {
    Harness w({"bolmen", BolmenGame::kVariants, -1}, 3, kDraws);
    auto* label = w.child<QLabel>("Label2_5");
    const auto dark = [](const QColor& c) { return c.lightness() < 160; };
    for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
        // Inside the one-pixel border, a pixel of room stays clear around the digits.
        const int border = static_cast<int>(std::ceil(scale));
        const int room = border + static_cast<int>(scale);
        for (int n = BolmenGame::kLowestNumber; n <= BolmenGame::kHighestNumber; ++n) {
            label->setText(QString::number(n));
            const QImage image = testing::renderAt(*label, scale);
            const QRect all(QPoint(), image.size());
            const QRect ink =
                testing::inkBounds(image, all.adjusted(border, border, -border, -border), dark);
            EXPECT_FALSE(ink.isEmpty()) << n;
            EXPECT_TRUE(all.adjusted(room, room, -room, -room).contains(ink))
                << n << " at " << scale;
        }
    }
}

}  // namespace
}  // namespace tro::bolmen
