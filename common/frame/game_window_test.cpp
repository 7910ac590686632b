#include "game_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>

#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

// The end message comes before the hand-off of the result; closing the window after it, or
// closing it at all, hands off only once.
TEST(GameWindow, FinishOrCloseHandsOffOnce) {
    for (const bool finish : {true, false}) {
        testing::TempDir dir;
        testing::FakeServices fake;
        GameFrame frame({"vertun", 6, 1}, fake.services, dir.path());
        ASSERT_TRUE(frame.start({"4"}));
        GameWindow window(frame);
        window.show();
        if (finish) {
            window.finish("Конец", "Ваш результат: 12", 12);
            ASSERT_EQ(fake.dialogs.messages.size(), 1u);
            EXPECT_EQ(fake.dialogs.messages[0].text, "Ваш результат: 12");
        }
        window.close();
        window.show();
        window.close();
        ASSERT_EQ(fake.launcher.starts.size(), 1u);
        EXPECT_EQ(fake.launcher.starts[0].arguments[0] == "vertun*4*-1", !finish);
    }
}

// A switch box shows its slot and writes it on every click; a box whose value could not be
// saved goes back.
TEST(GameWindow, ASwitchBoxShowsItsSlotAndWritesItOnClick) {
    testing::TempDir dir;
    testing::FakeServices fake;
    GameFrame frame({"okulen", 5, 1}, fake.services, dir.path());
    for (const bool saved : {true, false}) {
        GameWindow window(frame);
        auto* box = new QCheckBox("SOUND", &window);
        window.bindSwitch(box, 50);
        EXPECT_EQ(box->isChecked(), !saved);
        if (!saved) {
            std::filesystem::remove(dir / "okulen.dat");
            std::filesystem::create_directory(dir / "okulen.dat");
        }
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(frame.switchValue(50), saved);
    }
}

}  // namespace
}  // namespace tro
