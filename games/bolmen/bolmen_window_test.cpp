#include "bolmen_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <cmath>

#include "handoff.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/rendering.h"
#include "testing/temp_dir.h"

namespace tro::bolmen {
namespace {

using testing::FakeServices;
using testing::TempDir;

struct Fixture {
    explicit Fixture(int variant) : frame({"bolmen", 3, -1}, fake.services, dir.path()) {
        fake.random = testing::ScriptedRandom(
            {0.13, 0.71, 0.42, 0.95, 0.27, 0.58, 0.04, 0.86, 0.33, 0.66, 0.19, 0.5});
        std::filesystem::create_directory(dir / "sound");
        testing::writeBytes(dir.path() / "sound" / "mistake1.wav", "RIFF");
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<BolmenWindow>(frame);
    }
    QLabel* label(const QString& name) { return window->findChild<QLabel*>(name); }
    void clickSquare(int i) {
        QTest::mouseClick(label(QStringLiteral("Label2_%1").arg(i)), Qt::LeftButton);
    }
    int wrongSquare() { return window->game().target() == 1 ? 2 : 1; }

    TempDir dir;
    FakeServices fake;
    GameFrame frame;
    std::unique_ptr<BolmenWindow> window;
};

TEST(BolmenWindow, EveryNumberStandsWhollyInsideItsSquareAtEveryScale) {
    Fixture f(3);
    QLabel* square = f.label("Label2_5");
    const auto dark = [](const QColor& c) { return c.lightness() < 160; };
    for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
        // Inside the one-pixel border, a pixel of room stays clear around the digits.
        const int border = static_cast<int>(std::ceil(scale));
        const int room = border + static_cast<int>(scale);
        for (int n = BolmenGame::kLowestNumber; n <= BolmenGame::kHighestNumber; ++n) {
            square->setText(QString::number(n));
            const QImage image = testing::renderAt(*square, scale);
            const QRect all(QPoint(), image.size());
            const QRect ink =
                testing::inkBounds(image, all.adjusted(border, border, -border, -border), dark);
            EXPECT_FALSE(ink.isEmpty()) << n;
            EXPECT_TRUE(all.adjusted(room, room, -room, -room).contains(ink))
                << n << " at " << scale << ": ink " << ink.x() << "," << ink.y() << " "
                << ink.width() << "x" << ink.height() << " in " << all.width();
        }
    }
}

TEST(BolmenWindow, ClicksCountAndAWrongOnePlaysMistakeWhenTheSoundIsOn) {
    Fixture f(1);
    ASSERT_TRUE(f.frame.setSwitch(kSoundSwitchSlot, true));
    f.clickSquare(f.window->game().target());
    EXPECT_EQ(f.label("Label7")->text(), "1");
    EXPECT_TRUE(f.fake.sound.played.isEmpty());
    f.clickSquare(f.wrongSquare());
    f.clickSquare(0);
    EXPECT_EQ(f.label("Label8")->text(), "2");
    EXPECT_EQ(f.label("Label1")->text(), "40");
    EXPECT_EQ(f.fake.sound.played.size(), 2);
}

TEST(BolmenWindow, ThirtyRightClicksHandOffTheClock) {
    Fixture f(2);
    for (int i = 0; i < 3; ++i) {
        f.clickSquare(f.wrongSquare());
    }
    f.fake.clock.advanceMs(45'000);
    f.window->Timer1_Timer();
    for (int i = 0; i < 30; ++i) {
        f.clickSquare(f.window->game().target());
    }
    ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.messages[0].title, "Минимум или максимум");
    EXPECT_EQ(f.fake.dialogs.messages[0].text, "Игра закончена. Ваш результат: 510");
    ASSERT_EQ(f.fake.launcher.starts.size(), 1u);
    const auto text = parseHandoffText(f.fake.launcher.starts[0].arguments[0].toStdString());
    EXPECT_EQ(text.gameId, "bolmen");
    EXPECT_EQ(text.variant, 2);
    EXPECT_EQ(Rascodirovka("bolmen", 2, text.code, f.fake.clock.now().date), 510);
}

TEST(BolmenWindow, EarlyEndingsHandOffNothing) {
    {
        Fixture f(3);
        f.fake.clock.advanceMs(1'000'100);
        f.window->Timer1_Timer();
        ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.fake.dialogs.messages[0].text,
                  "Игра закончена досрочно, так как прошло слишком много времени");
        EXPECT_EQ(f.fake.launcher.starts.at(0).arguments, QStringList{"bolmen*3*-1"});
    }
    {
        Fixture f(1);
        for (int i = 0; i <= BolmenGame::kMostWrong; ++i) {
            f.window->Label2_Click(0);
        }
        ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.fake.dialogs.messages[0].text,
                  "Игра закончена досрочно, так как слишком много неправильных нажатий");
        EXPECT_EQ(f.fake.launcher.starts.at(0).arguments, QStringList{"bolmen*1*-1"});
    }
}

}  // namespace
}  // namespace tro::bolmen
