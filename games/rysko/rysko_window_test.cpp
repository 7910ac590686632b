#include "rysko_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::rysko {
namespace {

using tro::testing::FakeServices;
using tro::testing::TempDir;

class RyskoWindowTest : public ::testing::Test {
  protected:
    RyskoWindow& open(int variant) {
        frame = std::make_unique<GameFrame>(GameInfo{kGameId, kVariantCount, 1}, fake.services,
                                            dir.path());
        EXPECT_TRUE(frame->start({QString::number(variant)}));
        window = std::make_unique<RyskoWindow>(*frame);
        window->show();
        return *window;
    }
    QLabel* label(const char* name) {
        auto* found = window->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QWidget* target() { return label("Label2"); }
    void activate(RyskoWindow& w) {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&w, &deactivate);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activate);
    }
    void clickTarget() { QTest::mouseClick(target(), Qt::LeftButton, {}, QPoint(1, 1)); }
    void waitSeconds(int seconds) {
        for (int s = 0; s < seconds; ++s) {
            fake.clock.advanceMs(1000);
            window->tick();
        }
    }

    TempDir dir;
    FakeServices fake;
    std::unique_ptr<GameFrame> frame;
    std::unique_ptr<RyskoWindow> window;
};

TEST_F(RyskoWindowTest, OpensWithTitleCountersAndARunningClock) {
    open(1);
    EXPECT_EQ(window->windowTitle(), "Скорость мыши");
    EXPECT_EQ(label("Label3")->text(), "0");
    EXPECT_EQ(label("Label4")->text(), "60");
    EXPECT_TRUE(target()->isEnabled());
    auto* clock = window->findChild<QTimer*>("Timer1");
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(clock->isActive());
    EXPECT_EQ(clock->interval(), 1000);
}

TEST_F(RyskoWindowTest, LaysTheFieldTargetAndLabelsOutFromTheWindowsSize) {
    struct Case {
        int variant;
        QRect field;
        int side;
    };
    // The window is 800 x 600 pixels with its frame: 12000 x 9000 twips.
    const Case cases[] = {
        {4, {58, 28, 684, 450}, 4},
        {3, {248, 153, 304, 200}, 64},
        {6, {58, 28, 684, 450}, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        open(c.variant);
        const QSize frameSize = window->frameGeometry().size() - window->size();
        window->resize(QSize(800, 600) - frameSize);
        ASSERT_EQ(window->frameGeometry().size(), QSize(800, 600));
        activate(*window);
        const QRect field = label("Label1")->geometry();
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(target()->size(), QSize(c.side, c.side));
        EXPECT_TRUE(field.contains(target()->geometry()));
        const QRect points = label("Label3")->geometry();
        const QRect seconds = label("Label4")->geometry();
        EXPECT_EQ(points.left(), field.left());
        EXPECT_EQ(seconds.right(), field.right());
        EXPECT_EQ(points.bottom() + 1, std::max(field.top(), points.height()));
        EXPECT_EQ(seconds.bottom() + 1, std::max(field.top(), seconds.height()));
        window->close();
    }
}

TEST_F(RyskoWindowTest, AHitScoresAndMovesTheTarget) {
    open(6);
    for (int hit = 1; hit <= 5; ++hit) {
        const QRect before = target()->geometry();
        clickTarget();
        EXPECT_EQ(label("Label3")->text(), QString::number(hit));
        EXPECT_NE(target()->geometry(), before);
        EXPECT_TRUE(label("Label1")->geometry().contains(target()->geometry()));
    }
    // The right button does not count.
    QTest::mouseClick(target(), Qt::RightButton, {}, QPoint(1, 1));
    EXPECT_EQ(label("Label3")->text(), "5");
}

TEST_F(RyskoWindowTest, ActivationMovesTheTargetAndKeepsPointsAndClock) {
    RyskoWindow& w = open(5);
    clickTarget();
    waitSeconds(3);
    const QRect before = target()->geometry();
    activate(w);
    EXPECT_NE(target()->geometry(), before);
    EXPECT_EQ(label("Label3")->text(), "1");
    EXPECT_EQ(label("Label4")->text(), "57");
    // A bigger window gets a bigger field at once.
    const QRect field = label("Label1")->geometry();
    w.resize(1000, 700);
    EXPECT_GT(label("Label1")->width(), field.width());
    EXPECT_TRUE(label("Label1")->geometry().contains(target()->geometry()));
}

TEST_F(RyskoWindowTest, EveryRunShowsTheSameSpots) {
    const auto spots = [this] {
        open(2);
        std::vector<QRect> seen{target()->geometry()};
        for (int hit = 0; hit < 10; ++hit) {
            clickTarget();
            seen.push_back(target()->geometry());
        }
        window->close();
        return seen;
    };
    const auto first = spots();
    fake.random = tro::testing::ScriptedRandom({0.9, 0.1});  // the process's other draws differ
    EXPECT_EQ(spots(), first);
}

TEST_F(RyskoWindowTest, AGameWithoutAHitEndsAfterAMinuteAndHandsOffNought) {
    open(1);
    waitSeconds(59);
    EXPECT_EQ(label("Label4")->text(), "1");
    EXPECT_TRUE(fake.dialogs.messages.empty());
    waitSeconds(1);
    EXPECT_EQ(label("Label4")->text(), "0");
    EXPECT_FALSE(window->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_FALSE(target()->isEnabled());
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].title, "Скорость мыши");
    EXPECT_EQ(fake.dialogs.messages[0].text, "Игра закончилась. Вы набрали очков: 0");
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    const QString handOff = fake.launcher.starts[0].arguments.value(0);
    ASSERT_TRUE(handOff.startsWith("rysko*1*"));
    EXPECT_NE(handOff, "rysko*1*-1");
    EXPECT_EQ(Rascodirovka("rysko", 1, handOff.mid(8).toStdString(), fake.clock.now().date), 0);
}

TEST_F(RyskoWindowTest, TheEndHandsOffThePointsAndTheTargetTakesNoMoreHits) {
    open(3);
    for (int hit = 0; hit < 17; ++hit) {
        clickTarget();
    }
    waitSeconds(60);
    clickTarget();
    EXPECT_EQ(label("Label3")->text(), "17");
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text, "Игра закончилась. Вы набрали очков: 17");
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    const QString handOff = fake.launcher.starts[0].arguments.value(0);
    EXPECT_EQ(Rascodirovka("rysko", 3, handOff.mid(8).toStdString(), fake.clock.now().date), 17);
}

TEST_F(RyskoWindowTest, ClosingEarlyHandsOffWithoutAResult) {
    open(1);
    clickTarget();
    waitSeconds(10);
    window->close();
    EXPECT_TRUE(fake.dialogs.messages.empty());
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_EQ(fake.launcher.starts[0].arguments, QStringList{"rysko*1*-1"});
}

}  // namespace
}  // namespace tro::rysko
