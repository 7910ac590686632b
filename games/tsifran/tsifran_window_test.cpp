#include "tsifran_window.h"

#include <gtest/gtest.h>

#include <QTest>

#include "handoff.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::tsifran {
namespace {

using testing::FakeServices;
using testing::TempDir;

struct Fixture {
    explicit Fixture(int variant) : frame({"tsifran", 3, -1}, fake.services, dir.path()) {
        fake.random = testing::ScriptedRandom({0.2441, 0.089, 0.7, 0.3, 0.55, 0.9, 0.1, 0.45});
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<TsifranWindow>(frame);
        window->show();
    }
    QLabel* label(const char* name) { return window->findChild<QLabel*>(name); }
    QLineEdit* answer() { return window->findChild<QLineEdit*>("Text1"); }
    QListWidget* log() { return window->findChild<QListWidget*>("List1"); }
    void type(const QString& text) {
        QTest::keyClicks(answer(), text);
        QTest::keyClick(answer(), Qt::Key_Return);
    }

    TempDir dir;
    FakeServices fake;
    GameFrame frame;
    std::unique_ptr<TsifranWindow> window;
};

TEST(TsifranWindow, AnswersAreLoggedCountedAndFlashForOneTick) {
    Fixture f(1);
    EXPECT_EQ(f.window->windowTitle(), "Арифметика");
    EXPECT_EQ(f.label("Label1")->text(), "123 + 45");
    f.type("170");
    ASSERT_EQ(f.log()->count(), 1);
    EXPECT_EQ(f.log()->item(0)->text(), "123 + 45 = 168   170  неправильно");
    EXPECT_EQ(f.label("Label5")->text(), "1");
    EXPECT_EQ(f.label("Label6")->text(), "30");
    EXPECT_EQ(f.answer()->text(), "");
    EXPECT_EQ(f.answer()->palette().color(QPalette::Base), QColor(255, 0, 0));
    f.window->Timer1_Timer();
    EXPECT_EQ(f.answer()->palette().color(QPalette::Base), QColor(Qt::white));

    f.type(QString::number(f.window->game().expected()));
    EXPECT_EQ(f.label("Label4")->text(), "1");
    EXPECT_EQ(f.answer()->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_TRUE(f.log()->item(1)->text().endsWith("  правильно"));
}

TEST(TsifranWindow, TenRightAnswersHandOffTheClock) {
    Fixture f(3);
    f.type("x");
    f.type("x");
    f.fake.clock.advanceMs(25'300);
    f.window->Timer1_Timer();
    for (int i = 0; i < 10; ++i) {
        f.type(QString::number(f.window->game().expected()));
    }
    ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.messages[0].title, "Арифметика");
    EXPECT_EQ(f.fake.dialogs.messages[0].text,
              "Игра закончена. Ваш результат: 313 десятых секунды.");
    ASSERT_EQ(f.fake.launcher.starts.size(), 1u);
    const auto text = parseHandoffText(f.fake.launcher.starts[0].arguments[0].toStdString());
    EXPECT_EQ(Rascodirovka("tsifran", 3, text.code, f.fake.clock.now().date), 313);
}

TEST(TsifranWindow, EarlyEndingsHandOffNothing) {
    {
        Fixture f(2);
        for (int i = 0; i < 31; ++i) {
            f.type("x");
        }
        ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.fake.dialogs.messages[0].text,
                  "Игра закончена. Вы даете слишком много неправильных ответов.");
        EXPECT_EQ(f.fake.launcher.starts.at(0).arguments, QStringList{"tsifran*2*-1"});
    }
    {
        Fixture f(1);
        f.fake.clock.advanceMs(1'000'100);
        f.window->Timer1_Timer();
        ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.fake.dialogs.messages[0].text,
                  "Игра закончена. Затрачено слишком много времени.");
        EXPECT_EQ(f.fake.launcher.starts.at(0).arguments, QStringList{"tsifran*1*-1"});
    }
}

}  // namespace
}  // namespace tro::tsifran
