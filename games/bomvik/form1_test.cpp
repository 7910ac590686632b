#include "form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "result_code.h"
#include "steps_test.h"
#include "testing/fake_services.h"
#include "testing/rendering.h"
#include "testing/temp_dir.h"

namespace bomvik {
namespace {

// The window of a started game. The mines fill the columns from the fifth on: the beginner's
// field has a wall of mines in column 5 and its tenth mine at (6, 1).
struct Game {
    explicit Game(int variant) : frame({kGameId, 3, -1}, fake.services, dir.path()) {
        const Variant& v = variantOf(variant);
        std::vector<double> draws;
        for (int i = 0; i < v.mines; ++i) {
            draws.push_back((5 + i / v.rows - 0.5) / v.columns);
            draws.push_back((i % v.rows + 0.5) / v.rows);
        }
        fake.random = tro::testing::ScriptedRandom(draws);
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<Form1>(frame);
        window->show();
    }

    static QPoint corner(Cell c) { return QPoint(c.column - 1, c.row - 1) * kCellPixels; }
    QWidget* child(const char* name) const { return window->findChild<QWidget*>(name); }
    void mouse(char action, Button button, Cell cell, char place, unsigned held) {
        QWidget* widget = child(place != 0 ? "Picture2" : "Picture1");
        const QPointF at =
            place != 0 ? QPoint(place == 'f' ? 15 : 60, 12) : corner(cell) + QPoint(8, 8);
        QMouseEvent event(action == 'p'   ? QEvent::MouseButtonPress
                          : action == 'm' ? QEvent::MouseMove
                                          : QEvent::MouseButtonRelease,
                          at, widget->mapToGlobal(at),
                          action == 'm' ? Qt::NoButton : Qt::MouseButton(button),
                          Qt::MouseButtons::fromInt(int(held)), Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    void tick(int second) {
        fake.clock.setTime({12, second / 60, second % 60});
        EXPECT_TRUE(QMetaObject::invokeMethod(window->findChild<QTimer*>("Timer1"), "timeout"));
    }
    void minimise(bool on) { window->setWindowState(on ? Qt::WindowMinimized : Qt::WindowNoState); }
    void close() { window->close(); }

    // What the player sees: the pictures of `cells` ('#' closed, the digit of an opened or
    // pressed cell, 'P' a flag, '*' a mine, '!' the mine hit), the face, both counters, whether
    // the clock runs and the field is shut; then the end messages and the hand-offs, a result
    // code read back as its number.
    std::string seen(const std::vector<Cell>& cells) const {
        const QImage shot = child("Picture1")->grab().toImage();
        QString out;
        for (const Cell& cell : cells) {
            const QImage picture = shot.copy(QRect(corner(cell), QSize(kCellPixels, kCellPixels)));
            QChar mark = '?';
            for (int i = 0; i < 13; ++i) {
                const Tile tile = i == 0   ? Tile{}
                                  : i < 10 ? Tile{TileKind::CHISLO, i - 1}
                                           : Tile{static_cast<TileKind>(i - 8), 0};
                mark = cellPicture(tile) == picture ? QChar("#012345678P*!"[i]) : mark;
            }
            out += mark;
        }
        for (const auto& [name, property] :
             {std::pair{"Picture2", "face"}, {"Label1", "text"}, {"Label2", "text"}}) {
            out += ' ' + child(name)->property(property).toString();
        }
        out += QString(window->findChild<QTimer*>("Timer1")->isActive() ? " running" : "") +
               (child("Picture1")->isEnabled() ? "" : " shut");
        for (const auto& message : fake.dialogs.messages) {
            out += ' ' + message.title + '|' + message.text;
        }
        for (const auto& start : fake.launcher.starts) {
            const QStringList parts = start.arguments.join(' ').split('*');
            const int result =
                tro::Rascodirovka(parts.value(0).toStdString(), parts.value(1).toInt(),
                                  parts.value(2).toStdString(), fake.clock.now().date);
            out += ' ' + parts.mid(0, 2).join('*') + '*' + QString::number(result);
        }
        return out.toStdString();
    }

    tro::testing::TempDir dir;
    tro::testing::FakeServices fake;
    tro::GameFrame frame;
    std::unique_ptr<Form1> window;
};

TEST(Form1, WhatThePlayerSeesAndWhatIsHandedOff) {
    struct Case {
        const char* steps;
        std::vector<Cell> cells;
        const char* seen;
        int variant = 1;
    };
    const Case cases[] = {
        // A left press shows the pressed cell; the release opens it and starts the clock.
        {"L9,8", {{9, 8}}, "0 STRAH 10 0"},
        {"c7,1", {{7, 1}, {8, 1}}, "1# VESEL 10 0 running"},
        // The pressed look moves with the pointer and stays when it leaves the field.
        {"L2,2 m3,2 m0,2", {{2, 2}, {3, 2}}, "#0 STRAH 10 0"},
        // The right button flags at once; the counter goes below zero.
        {"R5,5", {{5, 5}}, "P VESEL 9 0"},
        {"x5,5 x1,1 x2,1 x3,1 x4,1 x5,1 x6,1 x7,1 x8,1 x9,1 x1,2", {}, " VESEL -1 0"},
        // The chord in both press orders.
        {"c4,1 x5,1 x5,2 L4,1 R4,1", {{3, 2}, {5, 1}, {2, 2}}, "0P# STRAH 8 0 running"},
        {"c4,1 x5,1 x5,2 L4,1 R4,1 r4,1 l4,1", {{4, 2}, {1, 1}, {4, 9}}, "302 VESEL 8 0 running"},
        {"c4,1 x5,1 x5,2 R4,1 L4,1 l4,1 r4,1", {{4, 2}, {1, 1}, {4, 9}}, "302 VESEL 8 0 running"},
        // A loss shows the mines and shuts the field until a release on the face button.
        {"x5,1 x1,1 c5,9", {{5, 9}, {5, 1}, {6, 1}, {1, 1}}, "!**P GORE 8 0 shut"},
        {"x5,1 x1,1 c5,9 Lf mo", {}, " GORE 8 0 shut"},
        {"x5,1 x1,1 c5,9 Lf mo lo", {{5, 9}}, "! GORE 8 0 shut"},
        {"x5,1 x1,1 c5,9 Lf mo mf lf", {{5, 9}, {5, 1}}, "## VESEL 10 0"},
        // The shown seconds, counted while not minimised, are handed off with the win.
        {"c1,1 t0,1 z1 t2,3 z0 t3 c9,9",
         {},
         " POBEDA 10 2 shut Сапер|Вы победили! Ваше время: 2 bomvik*1*2"},
        {"c9,8 t0,1001",
         {},
         " VESEL 10 1001 shut Bomvik|Игра закончена. Затрачено слишком много времени. "
         "bomvik*1*-1"},
        // Closing hands off without a result.
        {"x2,2 q", {}, " VESEL 9 0 bomvik*1*-1"},
        {"x2,2 q", {}, " VESEL 39 0 bomvik*2*-1", 2},
        {"x2,2 q", {}, " VESEL 98 0 bomvik*3*-1", 3},
    };
    for (const Case& test : cases) {
        Game game(test.variant);
        play(game, test.steps);
        EXPECT_EQ(game.seen(test.cells), test.seen) << test.steps;
    }
}

TEST(Form1, TheFaceIsWholeAtItsSizeAndTheCountersKeepRoomAroundTheWidestNumbers) {
    Game game(3);
    using tro::testing::inkBounds;
    using tro::testing::renderAt;
    const QImage face = renderAt(*game.child("Picture2"), 1);
    const QRect yellow =
        inkBounds(face, face.rect(), [](const QColor& c) { return c == QColor(kFaceYellow); });
    const QRect outline =
        inkBounds(face, face.rect(), [](const QColor& c) { return c.lightness() < 64; });
    // The face fills its 26 x 26 pixels, all of it inside the button's edge.
    EXPECT_GE(yellow.width(), kFacePixels - 4);
    EXPECT_GE(yellow.height(), kFacePixels - 4);
    EXPECT_GE(outline.width(), kFacePixels - 1);
    EXPECT_TRUE(face.rect().adjusted(1, 1, -1, -1).contains(outline));
    for (const double scale : {1.0, 1.5, 2.0}) {
        const int room = static_cast<int>(2 * scale);
        for (const auto& [name, text] : {std::pair{"Label1", "-381"}, {"Label2", "1000"}}) {
            auto* counter = static_cast<QLabel*>(game.child(name));
            counter->setText(text);
            const QImage image = renderAt(*counter, scale);
            const QRect ink =
                inkBounds(image, image.rect(), [](const QColor& c) { return c.red() > 64; });
            EXPECT_TRUE(image.rect().adjusted(room, room, -room, -room).contains(ink))
                << text << " at " << scale << ": " << ink.left() << ".." << ink.right() << " of "
                << image.width();
        }
    }
}

}  // namespace
}  // namespace bomvik
