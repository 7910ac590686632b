#include "klavon_window.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "testing/window_harness.h"

namespace tro::klavon {
namespace {

constexpr auto drawFor = [](int code) { return (code - 1 + 0.5) / 255.0; };

TEST(KlavonWindow, AMinuteOfTypingByTheCodePageHandsOffTheCountAndRestoresTheLayout) {
    // ? W in turn; the player starts under US English, which cannot be loaded again.
    testing::WindowHarness<KlavonWindow> w(9, {drawFor('?'), drawFor('W')});
    std::filesystem::create_directories(w.dir / "sound");
    testing::writeBytes(w.dir / "sound" / "mistake1.wav", "RIFF");
    const auto type = [&](const char* text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(text));
        QApplication::sendEvent(w.child("Text1"), &press);
    };
    w.fake.keyboard.installed.clear();
    w.window->Timer2_Timer();
    EXPECT_EQ(w.text("LayoutHint"), "Включите английскую раскладку клавиатуры");
    EXPECT_TRUE(w.child("LayoutHint")->isVisible()) << "typing goes on under the hint";
    type("😀");  // no Windows-1251 form: never taken for the question mark
    EXPECT_EQ(w.text("Label4"), "0");
    type("?");
    type("w");  // a mistake: W is due
    w.click("Check1");
    EXPECT_EQ(w.window->focusWidget(), w.child("Text1"));
    type("w");                                         // a mistake, now sounded
    QTest::keyClick(w.child("Text1"), Qt::Key_Shift);  // no character
    type("W");
    EXPECT_EQ(w.text("Label1") + w.text("Label4"), "?W2");
    EXPECT_EQ(w.text("Label2").left(3) + QString::number(w.text("Label2").size()), "?W?30");
    EXPECT_EQ(w.fake.sound.played.size(), 1);
    w.advanceMs(59'999);
    w.window->Timer1_Timer();
    EXPECT_EQ(w.text("Label6") + ' ' + w.lastMessage(), "1 ");
    w.advanceMs(1);
    w.window->Timer1_Timer();
    EXPECT_FALSE(w.child("Text1")->isEnabled());
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Набрано символов:2");
    EXPECT_EQ(w.handedOff(), 2);
    EXPECT_EQ(w.fake.keyboard.activations, (QStringList{"00000409", "00000409"}));
}

}  // namespace
}  // namespace tro::klavon
