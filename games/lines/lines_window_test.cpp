// The Lines window, driven as a player drives it, on the offscreen platform.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>
#include <ranges>

#include "lines_boards_test.h"
#include "lines_window.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::lines {
namespace {

// Records the messages and can act while one is open.
class EndDialogs final : public Dialogs {
  public:
    void message(const QString&, const QString& text, MessageIcon) override {
        texts.push_back(text);
        whileOpen();
    }
    bool askYesNo(const QString&, const QString&, Answer) override { return false; }
    std::optional<QString> askText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QStringList texts;
    std::function<void()> whileOpen = [] {};
};

// A game window in a scratch folder, with recording services.
struct Game {
    explicit Game(int variant) {
        // The starting balls: the second draws the first one's cell again and draws anew.
        fake.random = testing::ScriptedRandom(
            {0.05, 0.62, 0.05, 0.33, 0.91, 0.18, 0.47, 0.76, 0.29, 0.84, 0.11, 0.55});
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        start();
    }
    void start() {
        window = std::make_unique<Form1>(frame);
        window->show();
    }
    BallPicture* cell(int n) {
        return window->findChild<BallPicture*>(QStringLiteral("Picture1_%1").arg(n));
    }
    void click(int n, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(cell(n), button);
    }
    QString text(const char* label) { return window->findChild<QLabel*>(label)->text(); }
    QTimer* timer(const char* name) { return window->findChild<QTimer*>(name); }
    void setPosition(const Board& board, int score = 0) {
        window->game().setPosition(board, {5, 6, 7}, score);
        window->showState();
    }
    int ballsShown() {
        return static_cast<int>(std::ranges::count_if(
            std::views::iota(1, kCells + 1), [this](int n) { return cell(n)->colour() != 0; }));
    }

    testing::TempDir dir;
    testing::FakeServices fake;
    EndDialogs dialogs;
    Services services{fake.launcher, fake.sound,   dialogs,    fake.urls,  fake.clipboard,
                      fake.keyboard, fake.process, fake.clock, fake.random};
    GameFrame frame{{"lines", 2, 1}, services, dir.path()};
    std::unique_ptr<Form1> window;
};

// The ball at 1 reaches 22 only through 2, 11, 20 and 21; the one at 9 is walled in.
const char* kCorner = "1.3....72/3.3.....7/3...3/33333";

TEST(LinesWindow, AChosenBallBlinksAndMovesAtOnceOrAlongItsTrajectory) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        for (const bool trajectory : {false, true}) {
            Game g(1);
            if (trajectory) {
                QTest::mouseClick(g.window->findChild<QCheckBox*>("Check1"), Qt::LeftButton);
            }
            g.setPosition(pictured(kCorner));
            g.click(9, button);
            EXPECT_EQ(g.timer("Timer1")->interval(), kBlinkTickMs);
            g.window->Timer1_Timer();
            EXPECT_EQ(g.cell(9)->colour(), 0);
            // Without a way there the ball stays chosen and goes on blinking.
            g.click(22, button);
            g.window->Timer1_Timer();
            EXPECT_EQ(g.cell(9)->colour(), 2);
            g.window->Timer1_Timer();
            // Choosing another ball in the blank phase brings the first one back; a click on a
            // preview never reaches the board.
            g.click(1, button);
            EXPECT_EQ(g.cell(9)->colour(), 2);
            for (int index = kFirstPreview; index < kFirstPreview + kNextCount; ++index) {
                g.click(index);
                g.window->Picture1_MouseDown(index);
            }
            g.window->Timer1_Timer();
            EXPECT_EQ(g.cell(1)->colour(), 0);
            g.click(22, button);
            if (trajectory) {
                EXPECT_EQ(g.text("Label6"), "  1  2 11 20 21 22");
                EXPECT_EQ(g.timer("Timer1")->interval(), kStepTickMs);
                for (const int step : {2, 11, 20, 21, 22}) {
                    // Clicks while the ball runs are ignored; the board changes at the end.
                    EXPECT_EQ(g.window->game().board(), pictured(kCorner));
                    g.click(4, button);
                    g.click(9, button);
                    g.window->Timer1_Timer();
                    EXPECT_EQ(g.cell(step)->colour(), 1) << step;
                    EXPECT_EQ(g.cell(1)->colour(), 0) << step;
                }
                EXPECT_EQ(g.timer("Timer1")->interval(), kBlinkTickMs);
            }
            EXPECT_EQ(g.window->game().board().cell(22), 1);
            EXPECT_EQ(g.window->game().selcell(), 0);
            // No line: the three waiting balls came, and every cell shows its ball.
            EXPECT_EQ(g.ballsShown(), pictured(kCorner).occupied() + 3);
            for (int n = 1; n <= kCells; ++n) {
                EXPECT_EQ(g.cell(n)->colour(), g.window->game().board().cell(n)) << n;
            }
        }
    }
}

TEST(LinesWindow, RestartStopsTheBallEmptiesTheBoardAndKeepsTheClockRunning) {
    Game g(2);
    g.window->game().setTrajectory(true);
    g.setPosition(pictured(kCorner));
    g.fake.clock.advanceMs(30'000);
    g.window->Timer2_Timer();
    EXPECT_EQ(g.text("Label8"), "570");
    g.click(1);
    g.click(22);
    g.window->Timer1_Timer();
    QTest::mouseClick(g.window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(g.text("Label8"), "600");
    EXPECT_EQ(g.timer("Timer1")->interval(), kBlinkTickMs);
    EXPECT_EQ(g.ballsShown(), kStartBalls);
    g.fake.clock.advanceMs(1000);
    g.window->Timer2_Timer();
    EXPECT_EQ(g.text("Label8"), "599");
}

TEST(LinesWindow, TheTrajectorySwitchIsKeptAcrossTwoStarts) {
    Game g(1);
    for (const bool on : {false, true, false}) {
        auto* box = g.window->findChild<QCheckBox*>("Check1");
        EXPECT_EQ(box->isChecked(), on);
        EXPECT_EQ(g.window->game().trajectory(), on);
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_EQ(g.window->game().trajectory(), !on);
        EXPECT_EQ(g.frame.switchValue(10), !on);
        g.start();
    }
}

enum class End { Close, FullBoard, TimeUp };

struct EndCase {
    const char* what;
    int variant;
    End end;
    int score;
    int result;  // handed off encoded after the end message; closing hands off a plain -1
    bool closeDuringMessage = false;
};

const EndCase kEnds[] = {
    {"closing the points game", 1, End::Close, 10, -1},
    {"a full board", 1, End::FullBoard, 37, 37},
    {"a full board at 0 points", 2, End::FullBoard, 0, 0},
    {"a full board closed during the message", 1, End::FullBoard, 21, 21, true},
    {"the time game at 0 points", 2, End::TimeUp, 0, -1},
    {"the time game with points", 2, End::TimeUp, 52, 52, true},
};

TEST(LinesWindow, EveryEndHandsOffOnceWhateverFollows) {
    for (const EndCase& c : kEnds) {
        SCOPED_TRACE(c.what);
        Game g(c.variant);
        if (c.closeDuringMessage) {
            g.dialogs.whileOpen = [&g] { g.window->close(); };
        }
        g.setPosition(c.end == End::FullBoard ? fullBut({80, 81}) : pictured(kCorner), c.score);
        if (c.end == End::FullBoard) {
            g.click(79);
            g.click(81);
            EXPECT_EQ(g.ballsShown(), kCells);
        } else if (c.end == End::TimeUp) {
            g.fake.clock.advanceMs(599'500);
            g.window->Timer2_Timer();
            EXPECT_EQ(g.text("Label8"), "1");
            EXPECT_TRUE(g.fake.launcher.starts.empty());
            g.fake.clock.advanceMs(500);
            g.window->Timer2_Timer();
        }
        g.fake.clock.advanceMs(5000);
        g.window->Timer2_Timer();
        g.window->Timer1_Timer();
        g.window->close();
        g.window->show();
        g.window->close();
        EXPECT_FALSE(g.timer("Timer1")->isActive());
        EXPECT_FALSE(g.timer("Timer2")->isActive());
        ASSERT_EQ(g.fake.launcher.starts.size(), 1u);
        const QString text = g.fake.launcher.starts[0].arguments.value(0);
        if (c.end == End::Close) {
            EXPECT_EQ(text, QStringLiteral("lines*%1*-1").arg(c.variant));
            EXPECT_TRUE(g.dialogs.texts.empty());
            continue;
        }
        EXPECT_EQ(g.dialogs.texts,
                  QStringList{QStringLiteral("Игра закончена. Ваши очки: %1").arg(c.score)});
        ASSERT_TRUE(text.startsWith(QStringLiteral("lines*%1*").arg(c.variant)))
            << text.toStdString();
        const std::string code = text.mid(8).toStdString();
        EXPECT_EQ(code.size(), static_cast<std::size_t>(kResultCodeLength));
        EXPECT_EQ(Rascodirovka("lines", c.variant, code, g.fake.clock.now().date), c.result);
    }
}

}  // namespace
}  // namespace tro::lines
