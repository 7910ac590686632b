#include "klavon_window.h"

#include <gtest/gtest.h>

#include <QTest>

#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::klavon {
namespace {

using tro::testing::FakeServices;
using tro::testing::ScriptedRandom;
using tro::testing::TempDir;
using tro::testing::writeBytes;

double drawFor(int code) {
    return (code - 1 + 0.5) / 255.0;
}

// Layouts that remember, for every switch, how many programs had been started by then.
class WatchedLayouts final : public KeyboardLayouts {
  public:
    explicit WatchedLayouts(const testing::RecordingLauncher& launcher) : launcher_(launcher) {}
    [[nodiscard]] bool available() const override { return switchable; }
    [[nodiscard]] QString current() const override { return active; }
    bool activate(const QString& id) override {
        switches.push_back({id, launcher_.starts.size()});
        if (!switchable) {
            return false;
        }
        active = id;
        return true;
    }
    struct Switch {
        QString id;
        std::size_t startsBefore;
    };
    QString active = QStringLiteral("00000409");
    bool switchable = true;
    std::vector<Switch> switches;

  private:
    const testing::RecordingLauncher& launcher_;
};

struct Play {
    Play(int variant, std::vector<double> draws, QString startLayout = "00000409",
         bool switchable = true)
        : random(std::move(draws)),
          layouts(fake.launcher),
          services{fake.launcher, fake.sound,   fake.dialogs, fake.urls, fake.clipboard,
                   layouts,       fake.process, fake.clock,   random},
          frame({"klavon", kVariants, 1}, services, dir.path()) {
        layouts.active = std::move(startLayout);
        layouts.switchable = switchable;
        std::filesystem::create_directories(dir / "sound");
        writeBytes(dir / "sound" / "mistake1.wav", "RIFF");
        started = frame.start({QString::number(variant)});
        window = std::make_unique<KlavonWindow>(frame);
        window->show();
    }
    template <typename T = QLabel>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* name) { return find(name)->text(); }
    void type(const QString& characters) {
        for (const QChar c : characters) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(find<QWidget>("Text1"), &press);
        }
    }
    void seconds(int count) {
        fake.clock.advanceMs(1000 * count);
        window->countdownTick();
    }
    QStringList switchedTo() const {
        QStringList ids;
        for (const auto& s : layouts.switches) {
            ids << s.id;
        }
        return ids;
    }

    TempDir dir;
    FakeServices fake;
    ScriptedRandom random;
    WatchedLayouts layouts;
    Services services;
    GameFrame frame;
    bool started = false;
    std::unique_ptr<KlavonWindow> window;
};

TEST(KlavonWindow, ShowsTheCaptionStripsAndCounters) {
    struct Case {
        int variant;
        QString caption;
    };
    const Case cases[] = {
        {1, "Быстрая печать   0-9"},
        {2, "Быстрая печать   а-я"},
        {5, "Быстрая печать   А-Я + а-я + 0-9 + зн. преп."},
        {9, "Быстрая печать   A-Z + a-z + 0-9 + зн. преп."},
    };
    for (const Case& c : cases) {
        Play play(c.variant, {drawFor(' ')});
        ASSERT_TRUE(play.started);
        EXPECT_EQ(play.window->windowTitle(), c.caption);
        EXPECT_EQ(play.text("Label5"), "Время:");
        EXPECT_EQ(play.text("Label6"), "60");
        EXPECT_EQ(play.text("Label3"), "Набрано символов:");
        EXPECT_EQ(play.text("Label4"), "0");
        EXPECT_EQ(play.find<QCheckBox>("Check1")->text(), "SOUND");
        EXPECT_EQ(play.text("Label1"), "");
        EXPECT_EQ(play.text("Label2"), QString(30, ' '));
    }
}

TEST(KlavonWindow, DrawsTheStripsInTheirColoursAndPlaces) {
    Play play(8, {drawFor('Q')});
    auto* typed = play.find("Label1");
    auto* toType = play.find("Label2");
    EXPECT_EQ(typed->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(typed->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(toType->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(typed->alignment() & Qt::AlignRight);
    EXPECT_TRUE(toType->alignment() & Qt::AlignLeft);
    EXPECT_EQ(typed->geometry().right() + 1, 305);
    EXPECT_EQ(toType->x(), 304);
    EXPECT_LT(typed->x(), -600) << "long typed text runs out on the left";
    EXPECT_GT(toType->geometry().right(), play.window->width() + 600);
    for (QLabel* strip : {typed, toType}) {
        EXPECT_TRUE(QFontInfo(strip->font()).fixedPitch());
        EXPECT_EQ(strip->font().pointSize(), 20);
    }
    EXPECT_EQ(play.find("Label4")->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(play.find("Label6")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST(KlavonWindow, ARightCharacterMovesTheStripsAndCounts) {
    Play play(8, {drawFor('Q'), drawFor('w'), drawFor('1'), drawFor(' ')});
    ASSERT_TRUE(play.text("Label2").startsWith("Qw1 Qw1 "));
    play.type("Q");
    EXPECT_EQ(play.text("Label1"), "Q");
    EXPECT_EQ(play.text("Label2").left(4), "w1 Q");
    EXPECT_EQ(play.text("Label2").size(), 30);
    EXPECT_EQ(play.text("Label4"), "1");
    play.type("w1 ");
    EXPECT_EQ(play.text("Label1"), "Qw1 ");
    EXPECT_EQ(play.text("Label4"), "4");
    EXPECT_TRUE(play.fake.sound.played.isEmpty());
}

TEST(KlavonWindow, AMistakeSoundsWhenTheSwitchIsOnAndChangesNothing) {
    for (const bool soundOn : {false, true}) {
        Play play(8, {drawFor('A')});
        if (soundOn) {
            QTest::mouseClick(play.find<QCheckBox>("Check1"), Qt::LeftButton);
        }
        const QString before = play.text("Label2");
        play.type("a");
        EXPECT_EQ(play.text("Label2"), before);
        EXPECT_EQ(play.text("Label1"), "");
        EXPECT_EQ(play.text("Label4"), "0");
        EXPECT_EQ(play.fake.sound.played.size(), soundOn ? 1 : 0);
        if (soundOn) {
            EXPECT_TRUE(play.fake.sound.played[0].endsWith("mistake1.wav"));
        }
    }
}

TEST(KlavonWindow, TypesCyrillicCharactersByTheirCodePage) {
    Play play(4, {drawFor(0xF4), drawFor(0xC9)});  // ф Й
    ASSERT_TRUE(play.text("Label2").startsWith("фЙфЙ"));
    play.type("ф");
    play.type("й");  // a mistake: Й is due
    play.type("Й");
    EXPECT_EQ(play.text("Label1"), "фЙ");
    EXPECT_EQ(play.text("Label4"), "2");
}

TEST(KlavonWindow, KeysWithoutACharacterAreNoMistakes) {
    Play play(8, {drawFor('A')});
    QTest::mouseClick(play.find<QCheckBox>("Check1"), Qt::LeftButton);
    QTest::keyClick(play.find<QWidget>("Text1"), Qt::Key_Shift);
    QTest::keyClick(play.find<QWidget>("Text1"), Qt::Key_Left);
    EXPECT_TRUE(play.fake.sound.played.isEmpty());
    play.type("€");  // has a code page form, but is not due
    play.type("😀");
    EXPECT_EQ(play.text("Label4"), "0");
}

TEST(KlavonWindow, ACharacterOutsideTheCodePageNeverPassesForAQuestionMark) {
    Play play(9, {drawFor('?')});
    for (const QString& typed : {QString("😀"), QString("ā"), QString("ⅳ"), QString("中")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QApplication::sendEvent(play.find<QWidget>("Text1"), &press);
    }
    EXPECT_EQ(play.text("Label4"), "0");
    play.type("?");
    EXPECT_EQ(play.text("Label4"), "1");
}

TEST(KlavonWindow, TheSoundSwitchIsKeptAndTheFocusGoesBackToTheKeys) {
    TempDir keep;
    {
        Play play(1, {drawFor('1')});
        QTest::mouseClick(play.find<QCheckBox>("Check1"), Qt::LeftButton);
        EXPECT_TRUE(play.frame.switchValue(kSoundSwitchSlot));
        EXPECT_EQ(play.window->focusWidget(), play.find<QWidget>("Text1"));
        GameFrame again({"klavon", kVariants, 1}, play.services, play.dir.path());
        ASSERT_TRUE(again.start({"1"}));
        KlavonWindow second(again);
        EXPECT_TRUE(second.findChild<QCheckBox*>("Check1")->isChecked());
    }
}

TEST(KlavonWindow, TheCountdownRunsWithoutAFirstKeyAndEndsWithTheCount) {
    Play play(9, {drawFor('x')}, "00000419");
    EXPECT_TRUE(play.find<QTimer>("Timer1")->isActive());
    play.seconds(1);
    EXPECT_EQ(play.text("Label6"), "59");
    play.type("xxx");
    play.seconds(58);
    EXPECT_EQ(play.text("Label6"), "1");
    EXPECT_TRUE(play.fake.dialogs.messages.empty());
    play.seconds(1);
    EXPECT_EQ(play.text("Label6"), "0");
    EXPECT_FALSE(play.find<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(play.find<QWidget>("Text1")->isEnabled());
    ASSERT_EQ(play.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(play.fake.dialogs.messages[0].title, "Быстрая печать");
    EXPECT_EQ(play.fake.dialogs.messages[0].text, "Игра закончена. Набрано символов:3");
    ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
    const QString handOff = play.fake.launcher.starts[0].arguments.at(0);
    ASSERT_TRUE(handOff.startsWith("klavon*9*"));
    EXPECT_EQ(Rascodirovka("klavon", 9, handOff.mid(9).toStdString(), play.fake.clock.now().date),
              3);
    play.window->close();
    EXPECT_EQ(play.fake.launcher.starts.size(), 1u);
}

TEST(KlavonWindow, SwitchesTheLayoutSoonAfterOpeningAndRestoresItAfterTheHandOff) {
    struct Case {
        int variant;
        QString start;         // the layout active at start-up
        bool waitForSwitch;    // false: closed before the delayed switch
        bool timeUp;           // false: closed early
        QStringList switched;  // every layout loaded, in order
    };
    const QString us = "00000409", ru = "00000419", ua = "00000422";
    const Case cases[] = {
        {2, us, true, true, {ru, us}},  {6, ru, true, true, {us, ru}},
        {6, ru, true, false, {us, ru}}, {2, us, false, false, {us}},
        {1, us, true, true, {us}},      {1, ru, true, false, {ru}},
        {9, ua, true, true, {us}},      {5, "00010409", true, false, {ru}},
        {5, "", true, true, {ru}},
    };
    for (const Case& c : cases) {
        Play play(c.variant, {drawFor(' ')}, c.start);
        const QString what = QString("variant %1 from %2").arg(c.variant).arg(c.start);
        EXPECT_TRUE(play.layouts.switches.empty()) << what.toStdString();
        auto* delay = play.find<QTimer>("Timer2");
        EXPECT_TRUE(delay->isActive());
        EXPECT_EQ(delay->interval(), 100);
        EXPECT_TRUE(delay->isSingleShot());
        if (c.waitForSwitch) {
            play.window->switchLayout();
        }
        const std::size_t beforeEnd = play.layouts.switches.size();
        if (c.timeUp) {
            play.seconds(60);
        } else {
            play.window->close();
        }
        EXPECT_EQ(play.switchedTo(), c.switched) << what.toStdString();
        ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
        for (std::size_t i = 0; i < play.layouts.switches.size(); ++i) {
            // Switches before the end come before the hand-off, restoring comes after it.
            EXPECT_EQ(play.layouts.switches[i].startsBefore, i < beforeEnd ? 0u : 1u)
                << what.toStdString() << " switch " << i;
        }
    }
}

TEST(KlavonWindow, ALayoutThatCannotBeSwitchedNeverBlocksTyping) {
    Play play(3, {drawFor(0xE0)}, "00000409", false);
    play.window->switchLayout();
    EXPECT_EQ(play.switchedTo(), QStringList{"00000419"});
    EXPECT_TRUE(play.find("LayoutHint")->isVisible());
    EXPECT_EQ(play.text("LayoutHint"), "Включите русскую раскладку клавиатуры");
    play.type("а");
    EXPECT_EQ(play.text("Label4"), "1");
}

TEST(KlavonWindow, ASwitchedLayoutShowsNoHint) {
    Play play(7, {drawFor('a')}, "00000419");
    play.window->switchLayout();
    EXPECT_FALSE(play.find("LayoutHint")->isVisible());
}

}  // namespace
}  // namespace tro::klavon
