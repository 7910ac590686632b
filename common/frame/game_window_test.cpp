#include "game_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>

#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

constexpr int kSwitchSlot = 50;

using testing::FakeServices;
using testing::TempDir;

TEST(GameWindow, ClosingHandsOffWithoutAResultOnce) {
    TempDir dir;
    FakeServices fake;
    GameFrame frame({"tsepko", 3, 1}, fake.services, dir.path());
    ASSERT_TRUE(frame.start({"1"}));
    GameWindow window(frame);
    window.show();
    window.close();
    window.show();
    window.close();
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_EQ(fake.launcher.starts[0].arguments, QStringList{"tsepko*1*-1"});
}

TEST(GameWindow, FinishShowsTheEndMessageBeforeTheHandOff) {
    TempDir dir;
    FakeServices fake;
    GameFrame frame({"vertun", 6, 1}, fake.services, dir.path());
    ASSERT_TRUE(frame.start({"4"}));
    GameWindow window(frame);
    window.finish("Конец", "Ваш результат: 12", 12);
    window.close();
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text, "Ваш результат: 12");
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_TRUE(fake.launcher.starts[0].arguments[0].startsWith("vertun*4*"));
    EXPECT_NE(fake.launcher.starts[0].arguments[0], "vertun*4*-1");
}

TEST(GameWindow, ASwitchBoxShowsItsSlotAndWritesItOnClick) {
    TempDir dir;
    FakeServices fake;
    GameFrame frame({"okulen", 5, 1}, fake.services, dir.path());
    {
        GameWindow window(frame);
        auto* box = new QCheckBox("SOUND", &window);
        window.bindSwitch(box, kSwitchSlot);
        EXPECT_FALSE(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_TRUE(box->isChecked());
    }
    GameWindow again(frame);
    auto* box = new QCheckBox("SOUND", &again);
    again.bindSwitch(box, kSwitchSlot);
    EXPECT_TRUE(box->isChecked());
}

}  // namespace
}  // namespace tro
