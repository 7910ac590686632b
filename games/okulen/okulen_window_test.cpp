#include "okulen_window.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "handoff.h"
#include "result_code.h"
#include "slot_file.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"
#include "twips.h"

namespace tro::okulen {
namespace {

using testing::FakeServices;
using testing::ScriptedRandom;
using testing::TempDir;

// Draws that give the segment length 4000 and, in type 1, the exact answer 500.
const std::vector<double> kSegment4000 = {0.4001, 0.5};

struct Table {
    TempDir dir;
    FakeServices fake;
    GameFrame frame;
    std::unique_ptr<OkulenWindow> window;

    Table(int variant, std::vector<double> draws)
        : frame({kGameId, kVariantCount, 1}, fake.services, dir.path()) {
        fake.random = ScriptedRandom(std::move(draws));
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<OkulenWindow>(frame);
        window->show();
    }

    template <typename T = QWidget>
    T* find(const char* name) {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
    bool shown(const char* name) { return find(name)->isVisible(); }
    QWidget* picture() { return find("Picture1"); }
    bool counting() { return find<QTimer>("Timer1")->isActive(); }

    // Starts, and waits out the moment after the start in which clicks are no answers.
    void start() {
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        fake.clock.advanceMs(kStartGuardMs);
    }
    void enter(const QString& typed = {}) {
        QTest::keyClicks(find<QLineEdit>("Text1"), typed);
        QTest::keyClick(find<QLineEdit>("Text1"), Qt::Key_Return);
    }
    static QPoint pixelOf(Point twips) {
        return {static_cast<int>(std::lround(twips.x / kTwipsPerPixel)),
                static_cast<int>(std::lround(twips.y / kTwipsPerPixel))};
    }
    void press(QPoint at) { QTest::mousePress(picture(), Qt::LeftButton, {}, at); }
    void release(QPoint at) { QTest::mouseRelease(picture(), Qt::LeftButton, {}, at); }
    void seconds(int count) {
        for (int i = 0; i < count; ++i) {
            fake.clock.advanceMs(1000);
            window->tick();
        }
    }
    // Whether the picture shows dark cyan (or its smoothed edge) within 2 pixels of `at`.
    bool cyanNear(QPoint at) {
        const QImage image = picture()->grab().toImage();
        for (int dx = -2; dx <= 2; ++dx) {
            for (int dy = -2; dy <= 2; ++dy) {
                const QColor c = image.pixelColor(at + QPoint(dx, dy));
                if (c.green() == c.blue() && c.green() >= 100 && c.green() < 200 &&
                    c.red() < c.green() / 2) {
                    return true;
                }
            }
        }
        return false;
    }
    bool focused(const char* name) { return window->focusWidget() == find(name); }
    // The end message shows the total, and the very same number is handed off.
    void expectEnd(int variant, int total) {
        ASSERT_EQ(fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(fake.dialogs.messages[0].title, "Глазомер");
        EXPECT_EQ(fake.dialogs.messages[0].text,
                  "Игра закончена. Ваш результат:" + QString::number(total));
        ASSERT_EQ(fake.launcher.starts.size(), 1u);
        const HandoffText handed =
            parseHandoffText(fake.launcher.starts[0].arguments.value(0).toStdString());
        EXPECT_EQ(handed.gameId, "okulen");
        EXPECT_EQ(handed.variant, variant);
        EXPECT_EQ(Rascodirovka("okulen", variant, handed.code, fake.clock.now().date), total);
        EXPECT_FALSE(counting());
    }
};

TEST(OkulenWindow, TypeOneIsAnsweredWithEnterAndMovedOnWithTheSecondEnter) {
    Table t(1, kSegment4000);
    t.start();
    EXPECT_FALSE(t.shown("Command1") || t.shown("Frame1") || t.shown("Metka2"));
    EXPECT_EQ(t.text("Label3"),
              "Наберите число, соответствующее, на ваш взгляд, положению черточки, и нажмите "
              "ENTER");
    EXPECT_TRUE(t.shown("Label3") && t.shown("Metka0") && t.shown("Metka1"));
    EXPECT_EQ(t.text("Label2"), "15");
    EXPECT_EQ(t.text("Metka1"), "1000");
    // "0" and "1000" stand over the ends of the segment (x 1000 and 5000 twips).
    EXPECT_NEAR(t.find("Metka0")->geometry().center().x(), 1000.0 / 15, 1.5);
    EXPECT_NEAR(t.find("Metka1")->geometry().center().x(), 5000.0 / 15, 1.5);
    EXPECT_LE(t.find("Metka0")->geometry().bottom(), 900 / 15);

    // Clicks on the picture are no answers here, and keep the focus in the answer box.
    t.press(Table::pixelOf({3000, 1000}));
    t.release(Table::pixelOf({3000, 1000}));
    EXPECT_EQ(t.text("Tekoch"), "0");
    EXPECT_TRUE(t.focused("Text1"));

    t.enter("650");
    EXPECT_EQ(t.text("Tekoch"), "50");
    EXPECT_EQ(t.text("Ochki"), "50");
    EXPECT_EQ(t.text("Otvet"), "0");
    EXPECT_TRUE(t.shown("Metka3"));
    EXPECT_EQ(t.text("Metka3"), "500");
    EXPECT_NEAR(t.find("Metka3")->geometry().center().x(), 3000.0 / 15, 1.5);
    EXPECT_FALSE(t.counting());

    t.enter();
    EXPECT_EQ(t.text("Otvet"), "1");
    EXPECT_EQ(t.text("Ochki"), "50");
    EXPECT_EQ(t.text("Label2"), "15");
    EXPECT_EQ(t.find<QLineEdit>("Text1")->text(), "");
    EXPECT_FALSE(t.shown("Metka3"));
    EXPECT_TRUE(t.counting());
}

TEST(OkulenWindow, TypesTwoToFourScoreOnPressAndMoveOnOnRelease) {
    // Type 4 with these draws: centre (4267, 2767).
    for (const int variant : {2, 3, 4}) {
        Table t(variant, {0.4001, 0.5, 0.3, 0.7, 0.2, 0.6, 0.1, 0.9, 0.8});
        t.start();
        EXPECT_FALSE(t.shown("Text1") || t.shown("Label3"));
        EXPECT_EQ(t.shown("Metka2"), variant == 3);
        EXPECT_EQ(t.text("Label2"), variant == 3 ? "15" : "10");
        const Game& game = t.window->game();
        const QPoint at = Table::pixelOf(game.target());
        if (variant != 4) {
            // 15 pixels are 225 twips: too far off the line.
            t.press(at - QPoint(0, 15));
            t.release(at - QPoint(0, 15));
            EXPECT_EQ(t.text("Ochki"), "0") << variant;
            EXPECT_TRUE(t.counting());
        }
        t.press(at);
        const QString points = t.text("Tekoch");
        EXPECT_GE(points.toInt(), 99) << variant;
        EXPECT_EQ(t.text("Ochki"), points);
        EXPECT_EQ(t.text("Otvet"), "0");
        EXPECT_FALSE(t.counting());
        // The truth is drawn in dark cyan: the middle, the way of the ray, the centre.
        QPoint probe = at + QPoint(0, variant == 4 ? 3 : 0);
        if (variant == 3) {
            probe = Table::pixelOf({(game.reflectionPoint().x + game.target().x) / 2,
                                    (game.reflectionPoint().y + game.target().y) / 2});
        }
        EXPECT_TRUE(t.cyanNear(probe)) << variant;

        t.release(at);
        EXPECT_EQ(t.text("Otvet"), "1");
        EXPECT_EQ(t.text("Ochki"), points);
        EXPECT_FALSE(t.cyanNear(probe)) << variant;
        EXPECT_TRUE(t.counting());
    }
}

TEST(OkulenWindow, TheCountdownTicksAudiblyOnlyWithTheSoundSwitchOnKeptInSlot50) {
    for (const bool sound : {false, true}) {
        Table t(2, kSegment4000);
        std::filesystem::create_directories(t.dir.path() / "sound");
        testing::writeBytes(t.dir.path() / "sound" / "timertick1.wav", "RIFF");
        testing::writeBytes(t.dir.path() / "sound" / "timeout1.wav", "RIFF");
        t.start();
        if (sound) {
            QTest::mouseClick(t.find<QCheckBox>("Check1"), Qt::LeftButton);
            SlotFile settings(t.dir / "okulen.dat", kGameSettingsSlotLength);
            ASSERT_EQ(settings.openExisting(), SlotStatus::Ok);
            EXPECT_EQ(settings.integer(kSoundSwitchSlot), 1);
        }
        t.seconds(4);
        EXPECT_EQ(t.text("Label2"), "6");
        EXPECT_TRUE(t.fake.sound.played.isEmpty());
        t.seconds(6);
        EXPECT_EQ(t.text("Label2"), "10");
        EXPECT_EQ(t.text("Otvet"), "1");
        ASSERT_EQ(t.fake.sound.played.size(), sound ? 6 : 0);
        if (sound) {
            EXPECT_TRUE(t.fake.sound.played.front().endsWith("timertick1.wav"));
            EXPECT_TRUE(t.fake.sound.played.back().endsWith("timeout1.wav"));
        }
    }
}

TEST(OkulenWindow, TwentyTimeOutsEndTheFirstVariantWithZero) {
    Table t(1, {0.3, 0.6, 0.9});
    t.start();
    t.find<QLineEdit>("Text1")->setText("123");
    t.seconds(15);
    // A new task starts with an empty answer box.
    EXPECT_EQ(t.find<QLineEdit>("Text1")->text(), "");
    t.seconds(19 * 15);
    EXPECT_EQ(t.text("Otvet"), "20");
    t.expectEnd(1, 0);
    t.window->close();
    EXPECT_EQ(t.fake.launcher.starts.size(), 1u);
}

TEST(OkulenWindow, TheEndMessageAndTheHandedOffResultAreTheSameNumber) {
    Table t(4, {0.5, 0.5, 0.0, 350.5 / 360, 5.5 / 360, 10.5 / 360, 90.5 / 360, 200.5 / 360});
    t.start();
    for (int task = 0; task < 30; ++task) {
        // Every task of these draws has its centre at (4267, 2767): 10 pixels off it.
        const QPoint at = Table::pixelOf(t.window->game().target()) + QPoint(10, 0);
        t.press(at);
        t.release(at);
    }
    const int total = t.text("Ochki").toInt();
    EXPECT_EQ(total, 30 * t.text("Tekoch").toInt());
    EXPECT_GT(total, 0);
    t.expectEnd(4, total);
    EXPECT_EQ(t.fake.process.exits, std::vector<int>{0});
}

}  // namespace
}  // namespace tro::okulen
