#include "form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "handoff.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace bomvik {
namespace {

constexpr auto kPress = QEvent::MouseButtonPress;
constexpr auto kMove = QEvent::MouseMove;
constexpr auto kRelease = QEvent::MouseButtonRelease;
constexpr auto kLeft = Qt::LeftButton;
constexpr auto kRight = Qt::RightButton;

QPoint at(Cell cell) {
    return {(cell.column - 1) * kCellPixels + 8, (cell.row - 1) * kCellPixels + 8};
}

// The window of a started game. The beginner's field has a wall of mines in column 5 and its
// tenth mine at (9, 9); the other fields have theirs in the first cells.
struct Game {
    explicit Game(int variant = 1) : frame({kGameId, 3, -1}, fake.services, dir.path()) {
        const Variant& v = variantOf(variant);
        std::vector<double> draws;
        for (int i = 0; i < v.mines; ++i) {
            const Cell mine = variant == 1 ? Cell{i < 9 ? 5 : 9, i < 9 ? i + 1 : 9}
                                           : Cell{i % v.columns + 1, i / v.columns + 1};
            draws.push_back((mine.column - 0.5) / v.columns);
            draws.push_back((mine.row - 0.5) / v.rows);
        }
        fake.random = tro::testing::ScriptedRandom(draws);
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<Form1>(frame);
        window->show();
        field = window->findChild<QWidget*>("Picture1");
        face = window->findChild<QWidget*>("Picture2");
        timer = window->findChild<QTimer*>("Timer1");
    }

    // A mouse event on the field, or on `widget`.
    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint point,
               QWidget* widget = nullptr) {
        widget = widget ? widget : field;
        QMouseEvent event(type, QPointF(point), widget->mapToGlobal(QPointF(point)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    void click(Qt::MouseButton button, Cell cell) {
        mouse(kPress, button, button, at(cell));
        mouse(kRelease, button, Qt::NoButton, at(cell));
    }
    void tickAt(int minute, int second) {
        fake.clock.setTime({12, minute, second});
        ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
    }

    // What the cells show on the screen: '#' closed, the digit of an opened (or pressed) cell,
    // 'P' a flag, '*' a mine, '!' the mine hit, '?' no cell picture at all.
    std::string looks(std::initializer_list<Cell> cells) const {
        const QImage shot = field->grab().toImage().convertToFormat(QImage::Format_RGB32);
        std::string out;
        for (const Cell& cell : cells) {
            const QImage seen = shot.copy((cell.column - 1) * kCellPixels,
                                          (cell.row - 1) * kCellPixels, kCellPixels, kCellPixels);
            out += '?';
            for (int i = 0; i < 13; ++i) {
                const Tile tile = i == 0   ? Tile{}
                                  : i < 10 ? Tile{TileKind::CHISLO, i - 1}
                                           : Tile{static_cast<TileKind>(i - 8), 0};
                if (cellPicture(tile) == seen) {
                    out.back() = "#012345678P*!"[i];
                }
            }
        }
        return out;
    }
    std::string faceShown() const { return face->property("face").toString().toStdString(); }
    QString label(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    // The end messages as "title|text", then the hand-offs.
    QString said() const {
        QStringList out;
        for (const auto& message : fake.dialogs.messages) {
            out << message.title + '|' + message.text;
        }
        for (const auto& start : fake.launcher.starts) {
            out << start.arguments.join(' ');
        }
        return out.join(';');
    }

    tro::testing::TempDir dir;
    tro::testing::FakeServices fake;
    tro::GameFrame frame;
    std::unique_ptr<Form1> window;
    QWidget* field = nullptr;
    QWidget* face = nullptr;
    QTimer* timer = nullptr;
};

TEST(Form1, ALeftPressShowsThePressedCellAndTheReleaseOpensIt) {
    Game game;
    game.mouse(kPress, kLeft, kLeft, at({9, 8}));
    EXPECT_EQ(game.looks({{9, 8}}), "0");
    EXPECT_EQ(game.faceShown(), "STRAH");
    EXPECT_FALSE(game.timer->isActive());
    game.mouse(kRelease, kLeft, Qt::NoButton, at({9, 8}));
    EXPECT_EQ(game.looks({{9, 8}, {8, 8}}), "1#");
    EXPECT_EQ(game.faceShown(), "VESEL");
    EXPECT_TRUE(game.timer->isActive());
}

TEST(Form1, ThePressedLookMovesWithThePointer) {
    Game game;
    game.mouse(kPress, kLeft, kLeft, at({2, 2}));
    game.mouse(kMove, Qt::NoButton, kLeft, at({3, 2}));
    EXPECT_EQ(game.looks({{2, 2}, {3, 2}}), "#0");
    game.mouse(kMove, Qt::NoButton, kLeft, QPoint(-20, 30));  // off the field the look stays
    EXPECT_EQ(game.looks({{3, 2}}), "0");
    game.mouse(kRelease, kLeft, Qt::NoButton, QPoint(-20, 30));  // and nothing opens
    EXPECT_EQ(game.looks({{3, 2}}), "#");
    EXPECT_FALSE(game.timer->isActive());
}

TEST(Form1, TheRightButtonFlagsAtOnceAndTheCounterGoesBelowZero) {
    Game game;
    game.mouse(kPress, kRight, kRight, at({5, 5}));
    EXPECT_EQ(game.looks({{5, 5}}), "P");
    EXPECT_EQ(game.label("Label1"), "9");
    game.mouse(kRelease, kRight, Qt::NoButton, at({5, 5}));
    for (int column = 1; column <= 9; ++column) {
        game.click(kRight, {column, 1});
    }
    game.click(kRight, {1, 2});
    EXPECT_EQ(game.label("Label1"), "-1");
    EXPECT_FALSE(game.timer->isActive());
}

TEST(Form1, TheChordOpensTheRestInBothPressOrders) {
    for (const Qt::MouseButton first : {kLeft, kRight}) {
        const Qt::MouseButton second = first == kLeft ? kRight : kLeft;
        Game game;
        game.click(kLeft, {4, 1});
        game.click(kRight, {5, 1});
        game.click(kRight, {5, 2});
        game.mouse(kPress, first, first, at({4, 1}));
        game.mouse(kPress, second, kLeft | kRight, at({4, 1}));
        EXPECT_EQ(game.looks({{3, 2}, {5, 1}, {2, 2}}), "0P#") << first;
        EXPECT_EQ(game.faceShown(), "STRAH") << first;
        game.mouse(kRelease, second, first, at({4, 1}));
        game.mouse(kRelease, first, Qt::NoButton, at({4, 1}));
        EXPECT_EQ(game.looks({{4, 2}, {1, 1}, {4, 9}, {6, 1}}), "302#") << first;
        EXPECT_EQ(game.label("Label1"), "8") << first;
    }
}

TEST(Form1, ALossShowsTheMinesAndOnlyAReleaseOnTheFaceStartsAgain) {
    Game game;
    game.click(kRight, {5, 1});
    game.click(kRight, {1, 1});  // a wrong flag
    game.click(kLeft, {5, 9});
    EXPECT_EQ(game.looks({{5, 9}, {5, 1}, {9, 9}, {1, 1}}), "!**P");
    EXPECT_EQ(game.faceShown(), "GORE");
    EXPECT_FALSE(game.field->isEnabled());
    EXPECT_EQ(game.said(), "");
    const QPoint inside(15, 12);
    const QPoint outside(60, 12);
    game.mouse(kPress, kLeft, kLeft, inside, game.face);
    EXPECT_EQ(game.faceShown(), "PRESS");
    game.mouse(kMove, Qt::NoButton, kLeft, outside, game.face);
    EXPECT_EQ(game.faceShown(), "GORE");
    game.mouse(kRelease, kLeft, Qt::NoButton, outside, game.face);
    EXPECT_EQ(game.looks({{5, 9}}), "!");
    game.mouse(kPress, kLeft, kLeft, inside, game.face);
    game.mouse(kMove, Qt::NoButton, kLeft, outside, game.face);
    game.mouse(kMove, Qt::NoButton, kLeft, inside, game.face);
    EXPECT_EQ(game.faceShown(), "PRESS");
    game.mouse(kRelease, kLeft, Qt::NoButton, inside, game.face);
    EXPECT_EQ(game.looks({{5, 9}, {5, 1}}), "##");
    EXPECT_EQ(game.faceShown(), "VESEL");
    EXPECT_EQ(game.label("Label1"), "10");
    EXPECT_TRUE(game.field->isEnabled());
}

TEST(Form1, AWinHandsOffTheSecondsCountedWhileNotMinimised) {
    Game game;
    game.click(kLeft, {1, 1});  // the flood opens the left of the wall
    game.tickAt(0, 0);
    game.tickAt(0, 1);
    game.window->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(game.window->isMinimized());
    game.tickAt(0, 2);
    game.tickAt(0, 3);
    game.window->setWindowState(Qt::WindowNoState);
    game.tickAt(0, 3);
    EXPECT_EQ(game.label("Label2"), "2");
    game.click(kLeft, {9, 1});  // the flood opens the right and wins
    EXPECT_EQ(game.faceShown(), "POBEDA");
    EXPECT_FALSE(game.timer->isActive());
    EXPECT_TRUE(game.said().startsWith("Сапер|Вы победили! Ваше время: 2;"));
    ASSERT_EQ(game.fake.launcher.starts.size(), 1u);
    const tro::HandoffText text =
        tro::parseHandoffText(game.fake.launcher.starts[0].arguments.join(' ').toStdString());
    EXPECT_EQ(text.gameId, "bomvik");
    EXPECT_EQ(text.variant, 1);
    EXPECT_EQ(tro::Rascodirovka("bomvik", 1, text.code, game.fake.clock.now().date), 2);
}

TEST(Form1, TimeOverEndsWithoutAResult) {
    Game game;
    game.click(kLeft, {9, 8});
    for (int s = 0; s <= 1000; ++s) {
        game.tickAt(s / 60, s % 60);
    }
    EXPECT_EQ(game.label("Label2"), "1000");
    EXPECT_EQ(game.said(), "");
    game.tickAt(30, 0);
    EXPECT_EQ(game.said(), "Bomvik|Игра закончена. Затрачено слишком много времени.;bomvik*1*-1");
}

TEST(Form1, ClosingHandsOffWithoutAResult) {
    const char* captions[] = {"Сапер - новичок", "Сапер - любитель", "Сапер - профессионал"};
    for (int variant = 1; variant <= 3; ++variant) {
        Game game(variant);
        EXPECT_EQ(game.window->windowTitle(), QString::fromUtf8(captions[variant - 1]));
        game.click(kRight, {2, 2});
        game.window->close();
        EXPECT_EQ(game.said(), QString("bomvik*%1*-1").arg(variant));
    }
}

}  // namespace
}  // namespace bomvik
