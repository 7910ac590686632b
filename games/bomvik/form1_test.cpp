#include "form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>

#include "handoff.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace bomvik {
namespace {

using tro::testing::FakeServices;
using tro::testing::ScriptedRandom;
using tro::testing::TempDir;

// The draws that lay these mines on a field of `columns` x `rows`.
std::vector<double> drawsFor(const std::vector<Cell>& mines, int columns, int rows) {
    std::vector<double> draws;
    for (const Cell& mine : mines) {
        draws.push_back((mine.column - 0.5) / columns);
        draws.push_back((mine.row - 0.5) / rows);
    }
    return draws;
}

// The ten mines of the beginner's field used below: column 5 is a wall of mines that parts
// the field in two, and (9, 9) is the tenth.
const std::vector<Cell> kBeginnerMines{{5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 5},
                                       {5, 6}, {5, 7}, {5, 8}, {5, 9}, {9, 9}};

// Elsewhere the mines fill the last cells, row by row.
std::vector<Cell> minesOf(int variant) {
    if (variant == 1) {
        return kBeginnerMines;
    }
    const Variant& v = variantOf(variant);
    std::vector<Cell> mines;
    for (int i = 0; i < v.mines; ++i) {
        const int index = v.columns * v.rows - 1 - i;
        mines.push_back({index % v.columns + 1, index / v.columns + 1});
    }
    return mines;
}

struct Game {
    explicit Game(int variant = 1) : frame({kGameId, 3, -1}, fake.services, dir.path()) {
        const Variant& v = variantOf(variant);
        fake.random = ScriptedRandom(drawsFor(minesOf(variant), v.columns, v.rows));
        if (!frame.start({QString::number(variant)})) {
            ADD_FAILURE() << "no start";
        }
        window = std::make_unique<Form1>(frame);
        window->show();
        field = window->findChild<QWidget*>("Picture1");
        face = window->findChild<FaceButton*>("Picture2");
        label1 = window->findChild<QLabel*>("Label1");
        label2 = window->findChild<QLabel*>("Label2");
        timer1 = window->findChild<QTimer*>("Timer1");
    }

    static QPoint centreOf(Cell cell) {
        return {(cell.column - 1) * kCellPixels + 8, (cell.row - 1) * kCellPixels + 8};
    }
    static void send(QWidget* widget, QEvent::Type type, Qt::MouseButton button,
                     Qt::MouseButtons held, QPoint at) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    void press(Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
        send(field, QEvent::MouseButtonPress, button, held, at);
    }
    void move(Qt::MouseButtons held, QPoint at) {
        send(field, QEvent::MouseMove, Qt::NoButton, held, at);
    }
    void release(Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
        send(field, QEvent::MouseButtonRelease, button, held, at);
    }
    void click(Qt::MouseButton button, Cell cell) {
        press(button, button, centreOf(cell));
        release(button, Qt::NoButton, centreOf(cell));
    }
    void tickAt(int hour, int minute, int second) {
        fake.clock.setTime({hour, minute, second});
        ASSERT_TRUE(QMetaObject::invokeMethod(timer1, "timeout", Qt::DirectConnection));
    }

    // The name of the picture a cell shows on the screen.
    std::string look(Cell cell) const {
        const QImage shot = field->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage seen = shot.copy((cell.column - 1) * kCellPixels, (cell.row - 1) * kCellPixels,
                                      kCellPixels, kCellPixels);
        const std::pair<Tile, std::string> known[] = {
            {{TileKind::KLETKA, 0}, "KLETKA"},  {{TileKind::FLAG, 0}, "FLAG"},
            {{TileKind::BOMBA, 0}, "BOMBA"},    {{TileKind::HANA, 0}, "HANA"},
            {{TileKind::CHISLO, 0}, "CHISLO0"}, {{TileKind::CHISLO, 1}, "CHISLO1"},
            {{TileKind::CHISLO, 2}, "CHISLO2"}, {{TileKind::CHISLO, 3}, "CHISLO3"},
        };
        for (const auto& [tile, name] : known) {
            if (cellPicture(tile) == seen) {
                return name;
            }
        }
        return "unknown";
    }
    std::string faceShown() const { return face->property("face").toString().toStdString(); }
    QStringList handOffs() const {
        QStringList out;
        for (const auto& start : fake.launcher.starts) {
            out << start.arguments.join(' ');
        }
        return out;
    }

    TempDir dir;
    FakeServices fake;
    tro::GameFrame frame;
    std::unique_ptr<Form1> window;
    QWidget* field = nullptr;
    FaceButton* face = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QTimer* timer1 = nullptr;
};

TEST(Form1, EachVariantHasItsCaptionAndAWindowSizedToItsField) {
    struct Case {
        int variant;
        const char* caption;
        int columns, rows;
        const char* mines;
    };
    for (const Case& test : std::vector<Case>{{1, "Сапер - новичок", 9, 9, "10"},
                                              {2, "Сапер - любитель", 16, 16, "40"},
                                              {3, "Сапер - профессионал", 30, 16, "99"}}) {
        Game game(test.variant);
        ASSERT_NE(game.field, nullptr);
        EXPECT_EQ(game.window->windowTitle(), QString::fromUtf8(test.caption));
        EXPECT_EQ(game.field->size(), QSize(test.columns * 16, test.rows * 16));
        EXPECT_EQ(game.field->pos(), QPoint(8, 40));
        EXPECT_EQ(game.window->size(), QSize(8 + test.columns * 16 + 8, 40 + test.rows * 16 + 8));
        EXPECT_EQ(game.label1->text(), test.mines);
        EXPECT_EQ(game.label2->text(), "0");
        EXPECT_EQ(game.label1->geometry().left(), game.field->geometry().left());
        EXPECT_EQ(game.label2->geometry().right(), game.field->geometry().right());
        EXPECT_NEAR(game.face->geometry().center().x(), game.field->geometry().center().x(), 1);
        EXPECT_EQ(game.faceShown(), "VESEL");
        EXPECT_EQ(game.look({1, 1}), "KLETKA");
        EXPECT_EQ(game.look({test.columns, test.rows}), "KLETKA");
        const QRect screen = game.window->screen()->availableGeometry();
        EXPECT_NEAR(game.window->geometry().center().x(), screen.center().x(), 1);
        EXPECT_NEAR(game.window->geometry().center().y(), screen.center().y(), 1);
    }
}

TEST(Form1, ALeftPressShowsThePressedCellAndTheReleaseOpensIt) {
    Game game;
    game.press(Qt::LeftButton, Qt::LeftButton, Game::centreOf({9, 8}));
    EXPECT_EQ(game.look({9, 8}), "CHISLO0");
    EXPECT_EQ(game.faceShown(), "STRAH");
    EXPECT_FALSE(game.timer1->isActive());
    game.release(Qt::LeftButton, Qt::NoButton, Game::centreOf({9, 8}));
    EXPECT_EQ(game.look({9, 8}), "CHISLO1");
    EXPECT_EQ(game.look({8, 8}), "KLETKA");
    EXPECT_EQ(game.faceShown(), "VESEL");
    EXPECT_TRUE(game.timer1->isActive());
    EXPECT_EQ(game.timer1->interval(), 200);
}

TEST(Form1, ThePressedLookMovesWithThePointer) {
    Game game;
    game.press(Qt::LeftButton, Qt::LeftButton, Game::centreOf({2, 2}));
    game.move(Qt::LeftButton, Game::centreOf({3, 2}));
    EXPECT_EQ(game.look({2, 2}), "KLETKA");
    EXPECT_EQ(game.look({3, 2}), "CHISLO0");
    // Off the field the look stays; the release there opens nothing.
    game.move(Qt::LeftButton, QPoint(-20, 30));
    EXPECT_EQ(game.look({3, 2}), "CHISLO0");
    game.release(Qt::LeftButton, Qt::NoButton, QPoint(-20, 30));
    EXPECT_EQ(game.look({3, 2}), "KLETKA");
    EXPECT_EQ(game.faceShown(), "VESEL");
    EXPECT_FALSE(game.timer1->isActive());
}

TEST(Form1, TheRightButtonFlagsAtOnce) {
    Game game;
    game.press(Qt::RightButton, Qt::RightButton, Game::centreOf({5, 5}));
    EXPECT_EQ(game.look({5, 5}), "FLAG");
    EXPECT_EQ(game.label1->text(), "9");
    game.release(Qt::RightButton, Qt::NoButton, Game::centreOf({5, 5}));
    EXPECT_EQ(game.look({5, 5}), "FLAG");
    for (int c = 1; c <= 9; ++c) {
        game.click(Qt::RightButton, {c, 1});
    }
    EXPECT_EQ(game.label1->text(), "0");
    game.click(Qt::RightButton, {1, 2});
    game.click(Qt::RightButton, {2, 2});
    EXPECT_EQ(game.label1->text(), "-2");
    game.click(Qt::RightButton, {5, 5});
    EXPECT_EQ(game.look({5, 5}), "KLETKA");
    EXPECT_EQ(game.label1->text(), "-1");
    EXPECT_FALSE(game.timer1->isActive());
}

TEST(Form1, TheChordOpensTheRestInBothPressOrders) {
    struct Case {
        const char* name;
        Qt::MouseButton first;
    };
    for (const Case& test : std::vector<Case>{{"left then right", Qt::LeftButton},
                                              {"right then left", Qt::RightButton}}) {
        Game game;
        game.click(Qt::LeftButton, {4, 1});
        ASSERT_EQ(game.look({4, 1}), "CHISLO2");
        game.click(Qt::RightButton, {5, 1});
        game.click(Qt::RightButton, {5, 2});
        const Qt::MouseButton second =
            test.first == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
        const QPoint at = Game::centreOf({4, 1});
        game.press(test.first, test.first, at);
        game.press(second, Qt::LeftButton | Qt::RightButton, at);
        EXPECT_EQ(game.look({3, 2}), "CHISLO0") << test.name;
        EXPECT_EQ(game.look({5, 1}), "FLAG") << test.name;
        EXPECT_EQ(game.look({2, 2}), "KLETKA") << test.name;
        EXPECT_EQ(game.faceShown(), "STRAH") << test.name;
        game.release(second, test.first, at);
        game.release(test.first, Qt::NoButton, at);
        EXPECT_EQ(game.look({4, 2}), "CHISLO3") << test.name;
        EXPECT_EQ(game.look({1, 1}), "CHISLO0") << test.name;
        EXPECT_EQ(game.look({4, 9}), "CHISLO2") << test.name;
        EXPECT_EQ(game.look({6, 1}), "KLETKA") << test.name;
        EXPECT_EQ(game.faceShown(), "VESEL") << test.name;
        EXPECT_TRUE(game.fake.launcher.starts.empty()) << test.name;
        EXPECT_EQ(game.label1->text(), "8") << test.name;
    }
}

TEST(Form1, TheFaceButtonStartsAgainOnlyWhenReleasedOnIt) {
    Game game;
    game.click(Qt::LeftButton, {9, 8});
    const int reseeds = game.fake.random.reseeds;
    const QPoint inside(15, 12);
    Game::send(game.face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, inside);
    EXPECT_EQ(game.faceShown(), "PRESS");
    Game::send(game.face, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(60, 12));
    EXPECT_EQ(game.faceShown(), "VESEL");
    Game::send(game.face, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(60, 12));
    EXPECT_EQ(game.fake.random.reseeds, reseeds);
    EXPECT_EQ(game.look({9, 8}), "CHISLO1");
    EXPECT_TRUE(game.timer1->isActive());

    Game::send(game.face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, inside);
    Game::send(game.face, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(60, 12));
    Game::send(game.face, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, inside);
    EXPECT_EQ(game.faceShown(), "PRESS");
    Game::send(game.face, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, inside);
    EXPECT_EQ(game.fake.random.reseeds, reseeds + 1);
    EXPECT_EQ(game.look({9, 8}), "KLETKA");
    EXPECT_EQ(game.faceShown(), "VESEL");
    EXPECT_EQ(game.label2->text(), "0");
    EXPECT_FALSE(game.timer1->isActive());
}

TEST(Form1, ALossShowsTheMinesAndWaitsForTheFaceButton) {
    Game game;
    game.click(Qt::RightButton, {5, 1});  // a right flag on a mine
    game.click(Qt::RightButton, {1, 1});  // a wrong flag
    game.click(Qt::LeftButton, {5, 9});
    EXPECT_EQ(game.look({5, 9}), "HANA");
    EXPECT_EQ(game.look({5, 1}), "BOMBA");
    EXPECT_EQ(game.look({9, 9}), "BOMBA");
    EXPECT_EQ(game.look({1, 1}), "FLAG");
    EXPECT_EQ(game.faceShown(), "GORE");
    EXPECT_FALSE(game.field->isEnabled());
    EXPECT_FALSE(game.timer1->isActive());
    EXPECT_TRUE(game.fake.dialogs.messages.empty());
    EXPECT_TRUE(game.fake.launcher.starts.empty());

    Game::send(game.face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(15, 12));
    Game::send(game.face, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(15, 40));
    EXPECT_EQ(game.faceShown(), "GORE");
    Game::send(game.face, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(15, 12));
    Game::send(game.face, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(15, 12));
    EXPECT_TRUE(game.field->isEnabled());
    EXPECT_EQ(game.look({5, 9}), "KLETKA");
    EXPECT_EQ(game.label1->text(), "10");
}

TEST(Form1, AWinHandsOffTheShownSeconds) {
    Game game;
    game.click(Qt::LeftButton, {1, 1});  // the flood opens the left of the wall
    ASSERT_TRUE(game.timer1->isActive());
    game.tickAt(12, 0, 0);
    game.tickAt(12, 0, 1);
    game.tickAt(12, 0, 1);
    game.tickAt(12, 0, 2);
    EXPECT_EQ(game.label2->text(), "2");
    EXPECT_TRUE(game.fake.launcher.starts.empty());
    game.click(Qt::LeftButton, {9, 1});  // the flood opens the right and wins
    EXPECT_EQ(game.faceShown(), "POBEDA");
    EXPECT_FALSE(game.timer1->isActive());
    ASSERT_EQ(game.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(game.fake.dialogs.messages[0].title, "Сапер");
    EXPECT_EQ(game.fake.dialogs.messages[0].text, "Вы победили! Ваше время: 2");
    ASSERT_EQ(game.fake.launcher.starts.size(), 1u);
    EXPECT_TRUE(game.fake.launcher.starts[0].program.endsWith("tropheon"));
    const tro::HandoffText text =
        tro::parseHandoffText(game.fake.launcher.starts[0].arguments.join(' ').toStdString());
    EXPECT_EQ(text.gameId, "bomvik");
    EXPECT_EQ(text.variant, 1);
    EXPECT_EQ(tro::Rascodirovka("bomvik", 1, text.code, game.fake.clock.now().date), 2);
    EXPECT_EQ(game.fake.process.exits, std::vector<int>{0});
}

TEST(Form1, TimeOverEndsWithoutAResult) {
    Game game;
    game.click(Qt::LeftButton, {9, 8});
    for (int s = 0; s <= 1000; ++s) {
        game.tickAt(12, s / 60, s % 60);
    }
    EXPECT_EQ(game.label2->text(), "1000");
    EXPECT_TRUE(game.fake.launcher.starts.empty());
    game.tickAt(12, 1001 / 60, 1001 % 60);
    ASSERT_EQ(game.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(game.fake.dialogs.messages[0].title, "Bomvik");
    EXPECT_EQ(game.fake.dialogs.messages[0].text,
              "Игра закончена. Затрачено слишком много времени.");
    EXPECT_EQ(game.handOffs(), QStringList{"bomvik*1*-1"});
}

TEST(Form1, AMinimisedWindowCountsNoSeconds) {
    Game game;
    game.click(Qt::LeftButton, {9, 8});
    game.tickAt(12, 0, 0);
    game.tickAt(12, 0, 1);
    game.window->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(game.window->isMinimized());
    game.tickAt(12, 0, 2);
    game.tickAt(12, 0, 30);
    EXPECT_EQ(game.label2->text(), "1");
    game.window->setWindowState(Qt::WindowNoState);
    game.tickAt(12, 0, 31);
    game.tickAt(12, 0, 32);
    EXPECT_EQ(game.label2->text(), "3");
}

TEST(Form1, ClosingHandsOffWithoutAResult) {
    for (int variant = 1; variant <= 3; ++variant) {
        Game game(variant);
        game.click(Qt::RightButton, {2, 2});
        game.window->close();
        EXPECT_EQ(game.handOffs(), QStringList{QString("bomvik*%1*-1").arg(variant)});
        EXPECT_TRUE(game.fake.dialogs.messages.empty());
    }
}

}  // namespace
}  // namespace bomvik
