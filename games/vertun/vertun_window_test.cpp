#include "vertun_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTest>

#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::vertun {
namespace {

using tro::testing::FakeServices;
using tro::testing::TempDir;

class VertunWindowTest : public ::testing::Test {
  protected:
    void open(int variant, std::vector<double> draws = {0.0}) {
        fake.random = tro::testing::ScriptedRandom(std::move(draws));
        frame = std::make_unique<GameFrame>(GameInfo{kGameId, kVariantCount, 1}, fake.services,
                                            dir.path());
        ASSERT_TRUE(frame->start({QString::number(variant)}));
        window = std::make_unique<VertunWindow>(*frame);
        window->show();
    }
    template <typename T = QWidget>
    T* child(const char* name) {
        auto* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) { return child<QLabel>(name)->text(); }
    QWidget* dial() { return child("Picture1"); }
    QTimer* frames() { return child<QTimer>("Timer1"); }

    // Steps the test clock and draws a frame, as the frame timer does.
    void wait(std::int64_t ms) {
        fake.clock.advanceMs(ms);
        window->advanceFrame();
    }
    void key(Qt::Key k = Qt::Key_Space, bool autoRepeat = false) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QStringLiteral(" "), autoRepeat);
        QApplication::sendEvent(dial(), &press);
    }
    void calibrateAndStart() {
        wait(1000);
        key();
        wait(kPauseMs);
    }
    // The darkest pixel around a point of the dial, at a share of the dial's half side.
    QColor pixelAt(double angle, double radiusShare) {
        const QImage image = dial()->grab().toImage();
        const double c = image.width() / 2.0;
        const double a = angle * 3.14159265358979 / 180.0;
        const double r = radiusShare * c;
        const int x = int(c + r * std::cos(a));
        const int y = int(c - r * std::sin(a));
        QColor darkest = Qt::white;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const QColor here = image.pixelColor(x + dx, y + dy);
                if (here.lightness() < darkest.lightness()) {
                    darkest = here;
                }
            }
        }
        return darkest;
    }

    TempDir dir;
    FakeServices fake;
    std::unique_ptr<GameFrame> frame;
    std::unique_ptr<VertunWindow> window;
};

bool isArrow(const QColor& colour) {
    return colour.red() > 90 && colour.red() < 200 && colour.green() < 60 && colour.blue() < 60;
}

TEST_F(VertunWindowTest, ShowsTheVariantsCaptionAndStaysAboveOtherWindows) {
    const std::pair<int, QString> cases[] = {
        {1, "Останови стрелку:  всегда 1 секунда"},
        {5, "Останови стрелку:  от 0.5 до 2 секунд"},
        {6, "Останови стрелку:  от 0.5 до 1 секунды"},
    };
    for (const auto& [variant, caption] : cases) {
        open(variant);
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(window->size(), QSize(393, 350));
        EXPECT_EQ(dial()->geometry(), QRect(72, 64, 249, 249));
        window->close();
    }
}

TEST_F(VertunWindowTest, StartsCalibratingThenAsksForAKey) {
    open(2);
    EXPECT_EQ(text("Label7"), "Подождите, идет настройка скорости...");
    EXPECT_EQ(text("Label6"), "Попытки:");
    EXPECT_EQ(text("Label5"), "Очки:");
    EXPECT_EQ(text("Label4"), "0");
    EXPECT_EQ(text("Label3"), "0");
    EXPECT_EQ(text("Label1"), "");
    EXPECT_EQ(child<QCheckBox>("Check1")->text(), "Показывать среднее значение");
    EXPECT_TRUE(frames()->isActive());
    key();  // keys during the calibration do nothing
    wait(500);
    EXPECT_EQ(window->game().phase(), Phase::Calibrating);
    wait(500);
    EXPECT_EQ(text("Label7"),
              "Чтобы начать игру, нажмите любую клавишу. Останавливать стрелку тоже любой "
              "клавишей.");
    EXPECT_FALSE(frames()->isActive());
    EXPECT_TRUE(isArrow(pixelAt(90, 0.5)));
    key();
    EXPECT_TRUE(frames()->isActive());
    EXPECT_EQ(window->game().phase(), Phase::Pause);
}

TEST_F(VertunWindowTest, AnyKeyStopsTheArrowAndTheLabelsShowThePoints) {
    open(1);
    calibrateAndStart();
    wait(500);  // half a turn: the arrow points down
    EXPECT_TRUE(isArrow(pixelAt(270, 0.5)));
    EXPECT_FALSE(isArrow(pixelAt(90, 0.5)));
    wait(500);
    key(Qt::Key_Tab);  // even Tab, which would otherwise move the focus
    EXPECT_EQ(text("Label1"), "90");
    EXPECT_EQ(text("Label4"), "1");
    EXPECT_EQ(text("Label3"), "90");

    wait(kPauseMs);
    wait(1750);  // 630 degrees: nine o'clock after passing three o'clock twice
    key(Qt::Key_A);
    EXPECT_EQ(text("Label1"), "0");
    EXPECT_EQ(text("Label4"), "2");
    EXPECT_EQ(text("Label3"), "90");
    EXPECT_TRUE(isArrow(pixelAt(180, 0.5)));

    wait(kPauseMs);
    fake.clock.advanceMs(252);  // the key comes between frames
    key(Qt::Key_Shift);
    EXPECT_EQ(text("Label1"), "90.17");  // 89.28 degrees before any pass: 1.01 * 89.28
    EXPECT_EQ(text("Label3"), "180.17");
}

TEST_F(VertunWindowTest, AHeldKeyCountsOnce) {
    open(1);
    calibrateAndStart();
    wait(1000);
    key();
    key(Qt::Key_Space, true);  // the held key repeats during the pause...
    wait(kPauseMs);
    wait(300);
    key(Qt::Key_Space, true);  // ...and while the arrow turns: neither stops it
    EXPECT_EQ(window->game().phase(), Phase::Turning);
    EXPECT_EQ(text("Label4"), "1");
}

TEST_F(VertunWindowTest, TheSwitchShowsAndHidesTheMarksOfTheAverage) {
    open(1);
    calibrateAndStart();
    wait(1125);
    key();  // 45 degrees: 45 points, so the marks stand at 45 and 135 degrees
    auto* box = child<QCheckBox>("Check1");
    EXPECT_FALSE(box->isChecked());
    // The marks stand outside the arrow's reach, between the scale and the dial's edge.
    const auto markShown = [this] {
        const double radius = (1668 + 150) / 1867.5;
        const QColor right = pixelAt(45, radius);
        const QColor left = pixelAt(135, radius);
        return right.lightness() < 80 && left.lightness() < 80;
    };
    EXPECT_FALSE(markShown());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(markShown());
    EXPECT_EQ(window->focusWidget(), dial());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(markShown());
}

TEST_F(VertunWindowTest, TheHundredthStopShowsTheRoundedTotalAndHandsOffItsWholePart) {
    open(1);
    calibrateAndStart();
    const std::int64_t turns[] = {1002, 999};
    for (int stop = 1; stop <= kStopsPerGame; ++stop) {
        fake.clock.advanceMs(stop <= 2 ? turns[stop - 1] : 1000);
        ASSERT_TRUE(fake.dialogs.messages.empty()) << stop;
        key();
        if (stop < kStopsPerGame) {
            wait(kPauseMs);
        }
    }
    EXPECT_FALSE(frames()->isActive());
    EXPECT_EQ(text("Label4"), "100");
    EXPECT_EQ(text("Label3"), "8963.64");
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].title, "Останови стрелку");
    EXPECT_EQ(fake.dialogs.messages[0].text, "Игра закончена. Ваши очки:8964");
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    const QString handOff = fake.launcher.starts[0].arguments.value(0);
    ASSERT_TRUE(handOff.startsWith("vertun*1*"));
    EXPECT_EQ(Rascodirovka("vertun", 1, handOff.mid(9).toStdString(), fake.clock.now().date), 8963);
    EXPECT_EQ(fake.process.exits, std::vector<int>{0});
    window->close();
    EXPECT_EQ(fake.launcher.starts.size(), 1u);
}

TEST_F(VertunWindowTest, ClosingEarlyHandsOffWithoutAResult) {
    open(6, {0.5});
    calibrateAndStart();
    wait(700);
    key();
    window->close();
    EXPECT_TRUE(fake.dialogs.messages.empty());
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_EQ(fake.launcher.starts[0].arguments, QStringList{"vertun*6*-1"});
}

}  // namespace
}  // namespace tro::vertun
