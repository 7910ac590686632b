#include "klavon_window.h"

#include <gtest/gtest.h>

#include <QTest>

#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/rendering.h"
#include "testing/temp_dir.h"

namespace tro::klavon {
namespace {

using tro::testing::FakeServices;
using tro::testing::ScriptedRandom;
using tro::testing::TempDir;

double drawFor(int code) {
    return (code - 1 + 0.5) / 255.0;
}

struct Play {
    Play(int variant, std::vector<double> draws, QString startLayout = "00000409",
         bool switchable = true)
        : frame({"klavon", kVariants, 1}, fake.services, dir.path()) {
        fake.random = ScriptedRandom(std::move(draws));
        fake.keyboard.active = std::move(startLayout);
        fake.keyboard.isAvailable = switchable;
        std::filesystem::create_directories(dir / "sound");
        testing::writeBytes(dir / "sound" / "mistake1.wav", "RIFF");
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<KlavonWindow>(frame);
        window->show();
    }
    template <typename T = QLabel>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* name) { return find(name)->text(); }
    void type(const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(find<QWidget>("Text1"), &press);
    }
    void seconds(int count) {
        fake.clock.advanceMs(1000 * count);
        window->countdownTick();
    }

    TempDir dir;
    FakeServices fake;
    GameFrame frame;
    std::unique_ptr<KlavonWindow> window;
};

TEST(KlavonWindow, ShowsTheCaptionStripsAndCounters) {
    const std::pair<int, QString> captions[] = {
        {1, "Быстрая печать   0-9"},
        {2, "Быстрая печать   а-я"},
        {9, "Быстрая печать   A-Z + a-z + 0-9 + зн. преп."}};
    for (const auto& [variant, caption] : captions) {
        EXPECT_EQ(Play(variant, {drawFor(' ')}).window->windowTitle(), caption);
    }
    Play play(5, {drawFor(' ')});
    EXPECT_EQ(play.window->windowTitle(), "Быстрая печать   А-Я + а-я + 0-9 + зн. преп.");
    EXPECT_EQ(play.text("Label5") + play.text("Label6"), "Время:60");
    EXPECT_EQ(play.text("Label3") + play.text("Label4"), "Набрано символов:0");
    EXPECT_EQ(play.find<QCheckBox>("Check1")->text(), "SOUND");
    EXPECT_EQ(play.text("Label1"), "");
    EXPECT_EQ(play.text("Label2"), QString(30, ' '));
    auto* typed = play.find("Label1");
    auto* toType = play.find("Label2");
    EXPECT_EQ(typed->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(typed->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(toType->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(typed->alignment() & Qt::AlignRight);
    EXPECT_EQ(typed->geometry().right() + 1, 305) << "right-aligned against the white strip";
    EXPECT_EQ(toType->x(), 304);
    for (QLabel* strip : {typed, toType}) {
        EXPECT_TRUE(QFontInfo(strip->font()).fixedPitch());
        EXPECT_EQ(strip->font().pointSize(), 20);
    }
    // Caption and number alike, in plain letters.
    for (const auto& [caption, number, colour] : {std::tuple{"Label5", "Label6", QColor(0, 0, 255)},
                                                  {"Label3", "Label4", QColor(128, 0, 0)}}) {
        for (const char* name : {caption, number}) {
            EXPECT_EQ(play.find(name)->palette().color(QPalette::WindowText), colour) << name;
            EXPECT_FALSE(play.find(name)->font().bold()) << name;
        }
    }
    // Two white pixels stand between the blue strip and the first character to type.
    Play letters(8, {drawFor('W')});
    const QImage shot = letters.window->grab().toImage();
    const QRect ink = testing::inkBounds(
        shot, letters.find("Label2")->geometry().intersected(shot.rect()),
        [](const QColor& c) { return c.blue() < 128; });  // black letters on white and blue
    EXPECT_GE(ink.left(), letters.find("Label1")->geometry().right() + 3);
}

TEST(KlavonWindow, TypesByTheCodePageAndAMistakeSoundsOnlyWhenTheSwitchIsOn) {
    for (const bool soundOn : {false, true}) {
        Play play(4, {drawFor(0xF4), drawFor(0xC9)});  // ф Й
        if (soundOn) {
            QTest::mouseClick(play.find<QCheckBox>("Check1"), Qt::LeftButton);
            EXPECT_EQ(play.window->focusWidget(), play.find<QWidget>("Text1"));
        }
        ASSERT_TRUE(play.text("Label2").startsWith("фЙфЙ"));
        play.type("ф");
        EXPECT_EQ(play.text("Label2").left(3), "ЙфЙ");
        EXPECT_EQ(play.text("Label2").size(), 30);
        play.type("й");  // a mistake: Й is due
        EXPECT_EQ(play.text("Label1") + play.text("Label4"), "ф1");
        QTest::keyClick(play.find<QWidget>("Text1"), Qt::Key_Shift);  // no character
        play.type("Й");
        EXPECT_EQ(play.text("Label1") + play.text("Label4"), "фЙ2");
        EXPECT_EQ(play.fake.sound.played.size(), soundOn ? 1 : 0);
        EXPECT_TRUE(!soundOn || play.fake.sound.played[0].endsWith("mistake1.wav"));
        EXPECT_EQ(play.frame.switchValue(kSoundSwitchSlot), soundOn);
    }
}

TEST(KlavonWindow, ACharacterOutsideTheCodePageNeverPassesForAQuestionMark) {
    Play play(9, {drawFor('?')});
    for (const QString& typed : {QString("😀"), QString("ā"), QString("中"), QString("€")}) {
        play.type(typed);
    }
    EXPECT_EQ(play.text("Label4"), "0");
    play.type("?");
    EXPECT_EQ(play.text("Label4"), "1");
}

TEST(KlavonWindow, TheCountdownRunsWithoutAFirstKeyAndEndsWithTheCount) {
    Play play(9, {drawFor('x')}, "00000419");
    play.seconds(1);
    EXPECT_EQ(play.text("Label6"), "59");
    play.type("xxx");
    play.seconds(58);
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

// Restoring runs after the hand-off, as the frame runs its after-hand-off action.
TEST(KlavonWindow, SwitchesTheLayoutSoonAfterOpeningAndRestoresItAtTheEnd) {
    const QString us = "00000409", ru = "00000419", ua = "00000422";
    const std::tuple<int, QString, bool, bool, QStringList> cases[] = {
        // variant, the start-up layout, the delayed switch made, the time up, layouts loaded
        {2, us, true, true, {ru, us}}, {6, ru, true, false, {us, ru}},
        {2, us, false, false, {us}},   {1, ru, true, true, {ru}},
        {9, ua, true, true, {us}},     {5, "00010409", true, false, {ru}},
        {5, "", true, true, {ru}}};
    for (const auto& [variant, start, waitForSwitch, timeUp, loaded] : cases) {
        Play play(variant, {drawFor(' ')}, start);
        auto* delay = play.find<QTimer>("Timer2");
        EXPECT_TRUE(delay->isActive() && delay->isSingleShot() && delay->interval() == 100);
        EXPECT_TRUE(play.fake.keyboard.activations.empty());
        if (waitForSwitch) {
            play.window->switchLayout();
        }
        if (timeUp) {
            play.seconds(60);
        } else {
            play.window->close();
        }
        EXPECT_EQ(play.fake.keyboard.activations, loaded) << variant << " " << start.toStdString();
        ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
        EXPECT_EQ(
            play.fake.launcher.starts[0].arguments.at(0) == QString("klavon*%1*-1").arg(variant),
            !timeUp);
    }
}

TEST(KlavonWindow, ALayoutThatCannotBeSwitchedNeverBlocksTyping) {
    for (const bool switchable : {false, true}) {
        Play play(3, {drawFor(0xE0)}, "00000409", switchable);
        play.window->switchLayout();
        EXPECT_EQ(play.fake.keyboard.activations, QStringList{"00000419"});
        EXPECT_EQ(play.find("LayoutHint")->isVisible(), !switchable);
        EXPECT_EQ(play.text("LayoutHint"),
                  switchable ? "" : "Включите русскую раскладку клавиатуры");
        play.type("а");
        EXPECT_EQ(play.text("Label4"), "1");
    }
}

}  // namespace
}  // namespace tro::klavon
