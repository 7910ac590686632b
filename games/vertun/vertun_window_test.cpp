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
    QString text(const char* name) { return window->findChild<QLabel*>(name)->text(); }
    QWidget* dial() { return window->findChild<QWidget*>("Picture1"); }
    bool framesRun() { return window->findChild<QTimer*>("Timer1")->isActive(); }
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
    QColor pixelAt(double angle, double share) {
        const QImage image = dial()->grab().toImage();
        const double c = image.width() / 2.0, a = angle * 3.14159265358979 / 180.0;
        QColor darkest = Qt::white;
        for (int d = 0; d < 9; ++d) {
            const QColor here = image.pixelColor(int(c + share * c * std::cos(a)) + d % 3 - 1,
                                                 int(c - share * c * std::sin(a)) + d / 3 - 1);
            darkest = here.lightness() < darkest.lightness() ? here : darkest;
        }
        return darkest;
    }
    // The dark red arrow halfway along its length.
    bool arrowAt(double angle) {
        const QColor c = pixelAt(angle, 0.5);
        return c.red() > 90 && c.red() < 200 && c.green() < 60 && c.blue() < 60;
    }

    tro::testing::TempDir dir;
    tro::testing::FakeServices fake;
    std::unique_ptr<GameFrame> frame;
    std::unique_ptr<VertunWindow> window;
};

TEST_F(VertunWindowTest, ShowsItsVariantCalibratesAsksForAKeyAndHandsOffNothingWhenClosedEarly) {
    open(5);
    EXPECT_EQ(window->windowTitle(), "Останови стрелку:  от 0.5 до 2 секунд");
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(text("Label7"), "Подождите, идет настройка скорости...");
    EXPECT_EQ(text("Label6") + text("Label4") + text("Label5") + text("Label3"), "Попытки:0Очки:0");
    EXPECT_EQ(window->findChild<QCheckBox*>("Check1")->text(), "Показывать среднее значение");
    EXPECT_TRUE(framesRun());
    key();  // keys during the calibration do nothing
    wait(999);
    EXPECT_EQ(window->game().phase(), Phase::Calibrating);
    wait(1);
    EXPECT_EQ(text("Label7"),
              "Чтобы начать игру, нажмите любую клавишу. Останавливать стрелку тоже любой "
              "клавишей.");
    EXPECT_FALSE(framesRun());
    EXPECT_TRUE(arrowAt(90));
    key();
    EXPECT_TRUE(framesRun());
    EXPECT_EQ(window->game().phase(), Phase::Pause);
    wait(kPauseMs + 700);
    key();
    window->close();  // closing early hands off without a result
    EXPECT_TRUE(fake.dialogs.messages.empty());
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_EQ(fake.launcher.starts[0].arguments, QStringList{"vertun*5*-1"});
}

TEST_F(VertunWindowTest, AnyKeyStopsTheArrowOnceAndTheLabelsShowThePoints) {
    open(1);
    calibrateAndStart();
    wait(500);  // half a turn: the arrow points down
    EXPECT_TRUE(arrowAt(270));
    EXPECT_FALSE(arrowAt(90));
    wait(500);
    key(Qt::Key_Tab);  // even Tab, which would otherwise move the focus
    EXPECT_EQ(text("Label1") + " " + text("Label4") + " " + text("Label3"), "90 1 90");
    wait(60);
    key();  // a key during the pause does nothing
    EXPECT_EQ(text("Label4"), "1");
    wait(kPauseMs - 60 + 1750);  // 630 degrees: nine o'clock after passing three o'clock twice
    key(Qt::Key_A, true);        // a held key repeating while the arrow turns does not stop it
    EXPECT_EQ(text("Label4"), "1");
    key(Qt::Key_A);
    EXPECT_EQ(text("Label1") + " " + text("Label4") + " " + text("Label3"), "0 2 90");
    EXPECT_TRUE(arrowAt(180));
    wait(kPauseMs);
    fake.clock.advanceMs(252);  // the key comes between frames
    key(Qt::Key_Shift);         // 89.28 degrees before any pass: 1.01 * 89.28
    EXPECT_EQ(text("Label1") + " " + text("Label3"), "90.17 180.17");
}

TEST_F(VertunWindowTest, TheSwitchShowsAndHidesTheMarksOfTheAverage) {
    open(1);
    calibrateAndStart();
    wait(1125);
    key();  // 45 degrees: 45 points, so the marks stand at 45 and 135 degrees
    // The marks stand outside the arrow's reach, between the scale and the dial's edge.
    const double radius = (1668 + 150) / 1867.5;
    auto* box = window->findChild<QCheckBox*>("Check1");
    for (const bool shown : {false, true, false}) {
        EXPECT_EQ(box->isChecked(), shown);
        EXPECT_EQ(pixelAt(45, radius).lightness() < 80 && pixelAt(135, radius).lightness() < 80,
                  shown);
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_EQ(window->focusWidget(), dial());
    }
}

TEST_F(VertunWindowTest, TheHundredthStopShowsTheRoundedTotalAndHandsOffItsWholePart) {
    open(1);
    calibrateAndStart();
    for (int stop = 1; stop <= kStopsPerGame; ++stop) {
        fake.clock.advanceMs(stop == 1 ? 1002 : stop == 2 ? 999 : 1000);
        ASSERT_TRUE(fake.dialogs.messages.empty()) << stop;
        key();
        wait(kPauseMs);
    }
    EXPECT_FALSE(framesRun());
    EXPECT_EQ(text("Label4") + " " + text("Label3"), "100 8963.64");
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].title, "Останови стрелку");
    EXPECT_EQ(fake.dialogs.messages[0].text, "Игра закончена. Ваши очки:8964");
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    const QString handOff = fake.launcher.starts[0].arguments.value(0);
    ASSERT_TRUE(handOff.startsWith("vertun*1*"));
    EXPECT_EQ(Rascodirovka("vertun", 1, handOff.mid(9).toStdString(), fake.clock.now().date), 8963);
    window->close();
    EXPECT_EQ(fake.launcher.starts.size(), 1u);
}

}  // namespace
}  // namespace tro::vertun
