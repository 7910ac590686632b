#include "rysko_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::rysko {
namespace {

struct Table {
    testing::TempDir dir;
    testing::FakeServices fake;
    GameFrame frame{{kGameId, kVariantCount, 1}, fake.services, dir.path()};
    std::unique_ptr<RyskoWindow> window;

    explicit Table(int variant, std::vector<double> otherDraws = {0.0}) {
        fake.random = testing::ScriptedRandom(std::move(otherDraws));
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<RyskoWindow>(frame);
        window->show();
    }
    QRect at(const char* name) { return window->findChild<QWidget*>(name)->geometry(); }
    QString text(const char* name) { return window->findChild<QLabel*>(name)->text(); }
    QRect click(Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window->findChild<QWidget*>("Label2"), button, {}, QPoint(1, 1));
        return at("Label2");
    }
    void activate() {
        for (const QEvent::Type type : {QEvent::WindowDeactivate, QEvent::WindowActivate}) {
            QEvent event(type);
            QApplication::sendEvent(window.get(), &event);
        }
    }
    void seconds(int count) {
        for (int s = 0; s < count; ++s) {
            fake.clock.advanceMs(1000);
            window->tick();
        }
    }
};

TEST(RyskoWindow, EveryActivationLaysOutAfreshAndKeepsPointsAndClock) {
    Table t(4);
    // The window with its frame is 800 x 600 pixels: 12000 x 9000 twips.
    t.window->resize(QSize(800, 600) - (t.window->frameGeometry().size() - t.window->size()));
    const QRect hit = t.click();
    t.click(Qt::RightButton);  // only the left button counts
    t.seconds(3);
    t.activate();
    const QRect field = t.at("Label1");
    EXPECT_EQ(field, QRect(58, 28, 684, 450));
    EXPECT_EQ(t.at("Label2").size(), QSize(4, 4));
    EXPECT_NE(t.at("Label2"), hit);
    EXPECT_TRUE(field.contains(t.at("Label2")));
    EXPECT_EQ(t.at("Label3").left(), field.left());
    EXPECT_EQ(t.at("Label4").right(), field.right());
    EXPECT_EQ(t.at("Label3").bottom() + 1, field.top());
    EXPECT_EQ(t.text("Label3"), "1");
    EXPECT_EQ(t.text("Label4"), "57");
    t.window->resize(1000, 700);  // a bigger window gets a bigger field at once
    EXPECT_GT(t.at("Label1").width(), field.width());
    EXPECT_TRUE(t.at("Label1").contains(t.at("Label2")));
}

TEST(RyskoWindow, TheCountersStandWhollyAboveTheFieldInTheSmallestWindow) {
    for (int variant = 1; variant <= kVariantCount; ++variant) {
        Table t(variant);
        t.window->resize(t.window->minimumSize());
        for (const char* name : {"Label3", "Label4"}) {
            auto* label = t.window->findChild<QLabel*>(name);
            EXPECT_GE(label->y(), 0) << variant << name;
            EXPECT_FALSE(label->geometry().intersects(t.at("Label1"))) << variant << name;
            EXPECT_EQ(label->size(), label->sizeHint()) << variant << name;
        }
    }
}

TEST(RyskoWindow, EveryRunShowsTheSameSpotsWhateverTheProcessesOtherDraws) {
    std::vector<QRect> runs[2];
    for (const double draw : {0.0, 0.9}) {
        Table t(2, {draw, 0.5});
        std::vector<QRect>& seen = runs[draw > 0];
        seen.push_back(t.at("Label2"));
        for (int hit = 0; hit < 10; ++hit) {
            seen.push_back(t.click());
        }
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_NE(runs[0][1], runs[0][2]);
}

TEST(RyskoWindow, TheEndAfterAMinuteHandsOffThePointsAndAnEarlyCloseNone) {
    for (const auto& [hits, closed] : {std::pair{0, false}, {17, false}, {1, true}}) {
        Table t(3);
        for (int hit = 0; hit < hits; ++hit) {
            t.click();
        }
        t.seconds(59);
        EXPECT_TRUE(t.fake.dialogs.messages.empty());
        if (closed) {
            t.window->close();
        } else {
            t.seconds(1);
            t.click();  // the target is disabled: no more points
            EXPECT_EQ(t.text("Label4"), "0");
        }
        EXPECT_EQ(t.text("Label3"), QString::number(hits));
        ASSERT_EQ(t.fake.launcher.starts.size(), 1u);
        const QString code = t.fake.launcher.starts[0].arguments.value(0);
        ASSERT_TRUE(code.startsWith("rysko*3*"));
        if (closed) {
            EXPECT_EQ(code, "rysko*3*-1");
            EXPECT_TRUE(t.fake.dialogs.messages.empty());
            continue;
        }
        ASSERT_EQ(t.fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(t.fake.dialogs.messages[0].title, "Скорость мыши");
        EXPECT_EQ(t.window->windowTitle(), "Скорость мыши");
        EXPECT_EQ(t.fake.dialogs.messages[0].text,
                  "Игра закончилась. Вы набрали очков: " + QString::number(hits));
        EXPECT_EQ(Rascodirovka("rysko", 3, code.mid(8).toStdString(), t.fake.clock.now().date),
                  hits);
    }
}

}  // namespace
}  // namespace tro::rysko
