// The Lines window, driven as a player drives it, on the offscreen platform.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "lines_window.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::lines {
namespace {

using testing::FakeServices;
using testing::TempDir;

Board parse(const char* picture) {
    const auto board = Board::fromPicture(picture);
    EXPECT_TRUE(board.has_value()) << picture;
    return board.value_or(Board{});
}

const std::vector<double> kDraws = {0.05, 0.62, 0.33, 0.91, 0.18, 0.47,
                                    0.76, 0.29, 0.84, 0.11, 0.55};

// A game window in a scratch folder, with recording services.
struct Game {
    explicit Game(int variant) : frame({"lines", 2, 1}, fake.services, dir.path()) {
        // Enough different draws for the five starting balls to find five cells.
        fake.random = testing::ScriptedRandom(kDraws);
        EXPECT_TRUE(frame.start({QString::number(variant)}));
    }
    std::unique_ptr<Form1> open() {
        auto window = std::make_unique<Form1>(frame);
        window->show();
        return window;
    }

    TempDir dir;
    FakeServices fake;
    GameFrame frame;
};

BallPicture* picture(Form1& window, int index) {
    auto* found = window.findChild<BallPicture*>(QStringLiteral("Picture1_%1").arg(index));
    EXPECT_NE(found, nullptr) << index;
    return found;
}

QString caption(Form1& window, const char* name) {
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label != nullptr ? label->text() : QString();
}

bool visible(Form1& window, const char* name) {
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
    return widget != nullptr && widget->isVisible();
}

QTimer* timer(Form1& window, const char* name) {
    auto* found = window.findChild<QTimer*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(Form1& window, int index, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(picture(window, index), button);
}

void setPosition(Form1& window, const char* board, std::array<int, 3> next, int score = 0) {
    window.game().setPosition(parse(board), next, score);
    window.showState();
}

const char* kCorner =
    "1.3......"
    "3.3......"
    "3...3...."
    "33333...."
    "........."
    "........."
    "........."
    "........."
    "........4";

TEST(LinesWindow, ShowsTheCaptionsAndLabelsOfEachVariant) {
    struct Case {
        int variant;
        const char* title;
        bool clock;
    };
    for (const Case& c : {Case{1, "ЛАЙНС - игра на очки", false},
                          Case{2, "ЛАЙНС - игра на время - 10 мин", true}}) {
        Game game(c.variant);
        auto window = game.open();
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(visible(*window, "Label9"), c.clock);
        EXPECT_EQ(visible(*window, "Label8"), c.clock);
        EXPECT_EQ(timer(*window, "Timer2")->isActive(), c.clock);
        EXPECT_EQ(caption(*window, "Label8"), "600");
        EXPECT_EQ(caption(*window, "Label9"), "Время:");
        EXPECT_EQ(caption(*window, "Label7"), "След. шары:");
        EXPECT_EQ(caption(*window, "Label1"), "Очки:");
        EXPECT_EQ(caption(*window, "Label2"), "0");
        EXPECT_EQ(window->findChild<QPushButton*>("Command1")->text(), "Начать заново");
        EXPECT_EQ(window->findChild<QCheckBox*>("Check1")->text(), "Показывать траекторию шарика");
        int balls = 0;
        for (int n = 1; n <= kCells; ++n) {
            balls += picture(*window, n)->colour() != 0 ? 1 : 0;
        }
        EXPECT_EQ(balls, kStartBalls);
        for (int i = 0; i < kNextCount; ++i) {
            EXPECT_EQ(picture(*window, kFirstPreview + i)->colour(),
                      window->game().nextballs()[static_cast<std::size_t>(i)]);
        }
        EXPECT_FALSE(visible(*window, "Label3"));
        EXPECT_FALSE(visible(*window, "Label6"));
    }
}

TEST(LinesWindow, CellsSitOnTheBoardGridAndBallsAreDrawnInTheirColours) {
    Game game(1);
    auto window = game.open();
    EXPECT_EQ(window->size(), QSize(491, 423));
    EXPECT_EQ(picture(*window, 1)->geometry(), QRect(64, 56, 41, 41));
    EXPECT_EQ(picture(*window, 81)->geometry(), QRect(384, 376, 41, 41));
    EXPECT_EQ(picture(*window, 84)->geometry(), QRect(304, 8, 41, 41));
    setPosition(*window, kCorner, {1, 2, 6});
    const struct {
        int index;
        QColor centre;
    } cases[] = {{1, QColor(0, 255, 0)},  {3, QColor(255, 0, 0)},  {81, QColor(0, 0, 255)},
                 {2, QColor(Qt::white)},  {82, QColor(0, 255, 0)}, {83, QColor(255, 255, 0)},
                 {84, QColor(128, 64, 0)}};
    for (const auto& c : cases) {
        const QImage image = picture(*window, c.index)->grab().toImage();
        const QPoint centre(image.width() / 2, image.height() / 2);
        EXPECT_EQ(image.pixelColor(centre), c.centre) << c.index;
        // The outline of a ball, or the white of an empty cell, just inside the ellipse's edge.
        const QColor edge = image.pixelColor(centre.x() - 17, centre.y());
        if (c.centre == QColor(Qt::white)) {
            EXPECT_EQ(edge, QColor(Qt::white)) << c.index;
        } else {
            EXPECT_LT(edge.lightness(), c.centre.lightness()) << c.index;
        }
    }
}

TEST(LinesWindow, AChosenBallBlinksAndMovesAtOnceWithoutTheTrajectory) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        Game game(1);
        auto window = game.open();
        setPosition(*window, kCorner, {5, 6, 7});
        click(*window, 1, button);
        EXPECT_EQ(caption(*window, "Label3"), "1");
        EXPECT_EQ(caption(*window, "Label4"), "1");
        EXPECT_EQ(timer(*window, "Timer1")->interval(), kBlinkTickMs);
        window->Timer1_Timer();
        EXPECT_EQ(picture(*window, 1)->colour(), 0);
        window->Timer1_Timer();
        EXPECT_EQ(picture(*window, 1)->colour(), 1);
        window->Timer1_Timer();
        click(*window, 22, button);
        EXPECT_EQ(picture(*window, 22)->colour(), 1);
        EXPECT_EQ(window->game().board().cell(22), 1);
        EXPECT_EQ(caption(*window, "Label3"), "0");
        EXPECT_EQ(caption(*window, "Label4"), "0");
        EXPECT_EQ(caption(*window, "Label5"), "0");
        // No line: the three waiting balls are on the board and three new ones wait.
        EXPECT_EQ(window->game().board().occupied(), parse(kCorner).occupied() + 3);
        for (int n = 1; n <= kCells; ++n) {
            EXPECT_EQ(picture(*window, n)->colour(), window->game().board().cell(n)) << n;
        }
    }
}

TEST(LinesWindow, WithTheTrajectoryTheBallRunsAndClicksWaitUntilItArrives) {
    Game game(1);
    auto window = game.open();
    QTest::mouseClick(window->findChild<QCheckBox*>("Check1"), Qt::LeftButton);
    ASSERT_TRUE(window->game().trajectory());
    setPosition(*window, kCorner, {5, 6, 7});
    click(*window, 1);
    click(*window, 22);
    EXPECT_EQ(caption(*window, "Label6"), "  1  2 11 20 21 22");
    EXPECT_EQ(caption(*window, "Label5"), "4");
    EXPECT_EQ(timer(*window, "Timer1")->interval(), kStepTickMs);
    const int steps[] = {2, 11, 20, 21};
    for (const int cell : steps) {
        click(*window, 81);
        click(*window, 9);
        window->Timer1_Timer();
        EXPECT_EQ(picture(*window, cell)->colour(), 1) << cell;
        EXPECT_EQ(picture(*window, 1)->colour(), 0);
        EXPECT_EQ(window->game().board().cell(1), 1);
        EXPECT_EQ(caption(*window, "Label3"), "1");
    }
    window->Timer1_Timer();
    EXPECT_EQ(picture(*window, 22)->colour(), 1);
    EXPECT_EQ(picture(*window, 21)->colour(), window->game().board().cell(21));
    EXPECT_EQ(window->game().board().cell(22), 1);
    EXPECT_EQ(caption(*window, "Label5"), "0");
    EXPECT_EQ(timer(*window, "Timer1")->interval(), kBlinkTickMs);
    EXPECT_EQ(picture(*window, 81)->colour(), 4);
}

TEST(LinesWindow, RestartStopsTheBallEmptiesTheBoardAndKeepsTheClockRunning) {
    Game game(2);
    auto window = game.open();
    window->game().setTrajectory(true);
    setPosition(*window, kCorner, {5, 6, 7});
    game.fake.clock.advanceMs(30'000);
    window->Timer2_Timer();
    EXPECT_EQ(caption(*window, "Label8"), "570");
    click(*window, 1);
    click(*window, 22);
    window->Timer1_Timer();
    QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(caption(*window, "Label5"), "0");
    EXPECT_EQ(caption(*window, "Label8"), "600");
    EXPECT_EQ(timer(*window, "Timer1")->interval(), kBlinkTickMs);
    EXPECT_TRUE(timer(*window, "Timer2")->isActive());
    int balls = 0;
    for (int n = 1; n <= kCells; ++n) {
        balls += picture(*window, n)->colour() != 0 ? 1 : 0;
    }
    EXPECT_EQ(balls, kStartBalls);
    game.fake.clock.advanceMs(1000);
    window->Timer2_Timer();
    EXPECT_EQ(caption(*window, "Label8"), "599");
}

TEST(LinesWindow, AClickOnAPreviewNeverReachesTheBoard) {
    Game game(1);
    auto window = game.open();
    setPosition(*window, kCorner, {5, 6, 7});
    click(*window, 1);
    for (int index = kFirstPreview; index < kFirstPreview + kNextCount; ++index) {
        click(*window, index);
        window->Picture1_MouseDown(index);
    }
    EXPECT_EQ(caption(*window, "Label3"), "1");
    EXPECT_EQ(window->game().board(), parse(kCorner));
    EXPECT_EQ(picture(*window, 82)->colour(), 5);
}

TEST(LinesWindow, TheTrajectorySwitchIsKeptAcrossTwoStarts) {
    Game game(1);
    {
        auto window = game.open();
        auto* box = window->findChild<QCheckBox*>("Check1");
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(window->game().trajectory());
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_TRUE(window->game().trajectory());
    }
    SlotFile settings(game.dir / "lines.dat", kGameSettingsSlot);
    ASSERT_EQ(settings.openExisting(), SlotStatus::Ok);
    EXPECT_EQ(settings.integer(kTrajectorySwitchSlot), 1);
    {
        auto window = game.open();
        auto* box = window->findChild<QCheckBox*>("Check1");
        EXPECT_TRUE(box->isChecked());
        EXPECT_TRUE(window->game().trajectory());
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_FALSE(window->game().trajectory());
    }
    auto window = game.open();
    EXPECT_FALSE(window->findChild<QCheckBox*>("Check1")->isChecked());
}

QString handedOff(const Game& game) {
    EXPECT_EQ(game.fake.launcher.starts.size(), 1u);
    if (game.fake.launcher.starts.empty()) {
        return {};
    }
    return game.fake.launcher.starts.front().arguments.value(0);
}

int decoded(const Game& game, int variant, const QString& text) {
    const QString prefix = QStringLiteral("lines*%1*").arg(variant);
    EXPECT_TRUE(text.startsWith(prefix)) << text.toStdString();
    const std::string code = text.mid(prefix.size()).toStdString();
    EXPECT_EQ(code.size(), static_cast<std::size_t>(kResultCodeLength)) << code;
    return Rascodirovka("lines", variant, code, game.fake.clock.now().date);
}

TEST(LinesWindow, TheTimeGameEndsAtZeroPointsHandingOffMinusOneEncoded) {
    Game game(2);
    auto window = game.open();
    game.fake.clock.advanceMs(599'000);
    window->Timer2_Timer();
    EXPECT_EQ(caption(*window, "Label8"), "1");
    EXPECT_TRUE(game.fake.launcher.starts.empty());
    game.fake.clock.advanceMs(1000);
    window->Timer2_Timer();
    ASSERT_EQ(game.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(game.fake.dialogs.messages[0].text, "Игра закончена. Ваши очки: 0");
    EXPECT_FALSE(timer(*window, "Timer1")->isActive());
    EXPECT_FALSE(timer(*window, "Timer2")->isActive());
    const QString text = handedOff(game);
    EXPECT_NE(text, "lines*2*-1");
    EXPECT_EQ(decoded(game, 2, text), -1);
    // Nothing that follows hands off again.
    game.fake.clock.advanceMs(5000);
    window->Timer2_Timer();
    window->Timer1_Timer();
    window->close();
    EXPECT_EQ(game.fake.launcher.starts.size(), 1u);
    EXPECT_EQ(game.fake.dialogs.messages.size(), 1u);
}

TEST(LinesWindow, TheTimeGameHandsOffItsPointsWhenTheTimeRunsOut) {
    Game game(2);
    auto window = game.open();
    setPosition(*window, kCorner, {5, 6, 7}, 52);
    game.fake.clock.advanceMs(600'000);
    window->Timer2_Timer();
    ASSERT_EQ(game.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(game.fake.dialogs.messages[0].text, "Игра закончена. Ваши очки: 52");
    EXPECT_EQ(decoded(game, 2, handedOff(game)), 52);
}

const char* kTwoFree =
    "123456712"
    "345671234"
    "567123456"
    "712345671"
    "234567123"
    "456712345"
    "671234567"
    "123456712"
    "3456712..";

TEST(LinesWindow, AFullBoardEndsTheGameAndHandsOffItsScore) {
    struct Case {
        int variant;
        int score;
    };
    for (const Case& c : {Case{1, 37}, Case{2, 0}, Case{1, 0}}) {
        SCOPED_TRACE("variant " + std::to_string(c.variant));
        Game game(c.variant);
        auto window = game.open();
        setPosition(*window, kTwoFree, {4, 5, 6}, c.score);
        click(*window, 79);
        click(*window, 81);
        ASSERT_EQ(game.fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(game.fake.dialogs.messages[0].text,
                  QStringLiteral("Игра закончена. Ваши очки: %1").arg(c.score));
        EXPECT_EQ(window->game().board().occupied(), kCells);
        EXPECT_EQ(picture(*window, 80)->colour(), window->game().board().cell(80));
        EXPECT_EQ(decoded(game, c.variant, handedOff(game)), c.score);
        window->close();
        EXPECT_EQ(game.fake.launcher.starts.size(), 1u);
    }
}

TEST(LinesWindow, ClosingTheWindowHandsOffWithoutAResultOnce) {
    for (const int variant : {1, 2}) {
        Game game(variant);
        auto window = game.open();
        window->close();
        window->show();
        window->close();
        EXPECT_EQ(handedOff(game), QStringLiteral("lines*%1*-1").arg(variant));
        EXPECT_TRUE(game.fake.dialogs.messages.empty());
        EXPECT_FALSE(timer(*window, "Timer1")->isActive());
    }
}

// Dialogs whose end message tries to close the game window while it is open.
class ClosingDialogs final : public Dialogs {
  public:
    void message(const QString&, const QString& text, MessageIcon) override {
        texts.push_back(text);
        if (onMessage) {
            onMessage();
        }
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> askText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::function<void()> onMessage;
    QStringList texts;
};

TEST(LinesWindow, ClosingWhileTheEndMessageIsOpenKeepsTheResult) {
    TempDir dir;
    FakeServices fake;
    fake.random = testing::ScriptedRandom(kDraws);
    ClosingDialogs dialogs;
    Services services{fake.launcher, fake.sound,   dialogs,    fake.urls,  fake.clipboard,
                      fake.keyboard, fake.process, fake.clock, fake.random};
    GameFrame frame({"lines", 2, 1}, services, dir.path());
    ASSERT_TRUE(frame.start({"1"}));
    Form1 window(frame);
    window.show();
    dialogs.onMessage = [&window] { window.close(); };
    window.game().setPosition(parse(kTwoFree), {4, 5, 6}, 21);
    window.showState();
    click(window, 79);
    click(window, 81);
    ASSERT_EQ(dialogs.texts.size(), 1);
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    const QString text = fake.launcher.starts[0].arguments.value(0);
    ASSERT_TRUE(text.startsWith("lines*1*"));
    EXPECT_EQ(Rascodirovka("lines", 1, text.mid(8).toStdString(), fake.clock.now().date), 21);
}

}  // namespace
}  // namespace tro::lines
