#include "klavon_window.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "testing/window_harness.h"

namespace tro::klavon {
namespace {

double drawFor(int code) {
    return (code - 1 + 0.5) / 255.0;
}

TEST(KlavonWindow, AMinuteOfTypingByTheCodePageHandsOffTheCountAndRestoresTheLayout) {
    // ф Й in turn; the player starts under US English, and Russian cannot be loaded.
    testing::WindowHarness<KlavonWindow> w({"klavon", kVariants, 1}, 4,
                                           {drawFor(0xF4), drawFor(0xC9)});
    std::filesystem::create_directories(w.dir / "sound");
    testing::writeBytes(w.dir / "sound" / "mistake1.wav", "RIFF");
    const auto type = [&](const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(w.child("Text1"), &press);
    };
    w.fake.keyboard.installed = {"00000409"};
    w.window->Timer2_Timer();
    EXPECT_EQ(w.text("LayoutHint"), "Включите русскую раскладку клавиатуры");
    EXPECT_TRUE(w.child("LayoutHint")->isVisible()) << "typing goes on under the hint";
    ASSERT_TRUE(w.text("Label2").startsWith("фЙфЙ"));
    type("ф");
    type("й");  // a mistake: Й is due
    for (const char* outside : {"😀", "ā", "€"}) {
        type(QString::fromUtf8(
            outside));  // no Windows-1251 form: never a question mark or anything typed
    }
    w.click("Check1");
    EXPECT_EQ(w.window->focusWidget(), w.child("Text1"));
    type("ф");                                         // a mistake, now sounded
    QTest::keyClick(w.child("Text1"), Qt::Key_Shift);  // no character
    type("Й");
    EXPECT_EQ(w.text("Label1") + w.text("Label4"), "фЙ2");
    EXPECT_EQ(w.text("Label2").left(3) + QString::number(w.text("Label2").size()), "фЙф30");
    EXPECT_EQ(w.fake.sound.played.size(), 1);
    w.advanceMs(59'999);
    w.window->Timer1_Timer();
    EXPECT_EQ(w.text("Label6") + ' ' + w.lastMessage(), "1 ");
    w.advanceMs(1);
    w.window->Timer1_Timer();
    EXPECT_FALSE(w.child("Text1")->isEnabled());
    EXPECT_EQ(w.lastMessage(), "Игра закончена. Набрано символов:2");
    EXPECT_EQ(w.handedOff(), 2);
    EXPECT_EQ(w.fake.keyboard.activations, (QStringList{"00000419", "00000409"}));
}

}  // namespace
}  // namespace tro::klavon
