#include "bomvik_game.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <sstream>

#include "testing/fakes.h"

namespace tro::bomvik {
namespace {

// A field as a picture, rows split by '/': '.' a safe cell, '*' a mine. `newgame` lays the
// mines from scripted draws; the first mine is drawn twice, as a draw on a mined cell must be
// drawn again.
struct Board {
    explicit Board(std::string_view picture)
        : field(int(picture.find('/')), int(std::count(picture.begin(), picture.end(), '/')) + 1,
                int(std::count(picture.begin(), picture.end(), '*')), random) {
        Cell at{1, 1};
        for (const char mark : picture) {
            for (int twice = draws.empty() ? 2 : 1; mark == '*' && twice > 0; --twice) {
                draws.push_back((at.column - 0.5) / field.columns());
                draws.push_back((at.row - 0.5) / field.rows());
            }
            at = mark == '/' ? Cell{1, at.row + 1} : Cell{at.column + 1, at.row};
        }
        random = tro::testing::ScriptedRandom(draws);
        field.newgame(letThrough);
    }

    // Plays `steps`, split by blanks:
    //   "L3,2" / "l3,2"  press / release the left button over a cell; "R3,2" / "r3,2" the right
    //   "m3,2" moves there with the left button held; "c3,2" / "x3,2" a left / a right click
    //   "Lf", "mf", "lf" press, move, release inside the face button; "mo", "lo" outside it
    //   "t5" / "t5,9"    a tick of the timer at second 5 / at every second from 5 to 9; "T5"
    //                    and "T5,9" the same while the window is minimised
    void play(const std::string& steps) {
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            Cell cell;
            std::sscanf(step.c_str() + 1, "%d,%d", &cell.column, &cell.row);
            const char kind = step[0];
            const auto button = std::strchr("Rrx", kind) ? Button::Right : Button::Left;
            if (kind == 't' || kind == 'T') {
                for (int s = cell.column; s <= cell.row || s == cell.column; ++s)
                    note(field.tick(s * 1000, kind == 'T').outcome);
            } else if (step.back() == 'f' || step.back() == 'o') {
                kind == 'L'   ? field.pressFace()
                : kind == 'm' ? field.moveFace(step.back() == 'f')
                              : field.releaseFace(step.back() == 'f', letThrough);
            } else if (kind == 'm') {
                field.move(cell, true, false);
            } else {
                if (kind != 'l' && kind != 'r')
                    field.press(button, cell);
                if (kind > 'a')
                    note(field.release(button, cell));
            }
        }
    }
    void note(Outcome o) { ended += std::array{"", " lost", " won", " time over"}[int(o)]; }

    // What the player sees: '#' closed (or '0' pressed), the digit of an opened cell, 'P' a flag,
    // '*' a mine shown, '!' the mine hit; or with `counts` every cell's value.
    std::string seen(bool counts = false) const {
        std::string out;
        for (int r = 1; r <= field.rows(); ++r) {
            out += r > 1 ? "/" : "";
            for (int c = 1; c <= field.columns(); ++c) {
                const Tile tile = field.tile({c, r});
                out += counts
                           ? "0123456789*"[field.polevalue({c, r})]
                           : static_cast<char>("#0P*!"[static_cast<int>(tile.kind)] + tile.number);
            }
        }
        return out;
    }
    // After `steps`: the field, the mine and seconds counters, the face unless cheerful and how
    // rounds ended. Steps after a '|' are played while the next new game lays its mines.
    std::string after(const std::string& steps) {
        if (const auto bar = steps.find('|'); bar != std::string::npos)
            during = [this, rest = steps.substr(bar + 1)] { ended += " (" + after(rest) + ")"; };
        play(steps.substr(0, steps.find('|')));
        return seen() + ' ' + std::to_string(field.minesLeft()) + ' ' +
               std::to_string(field.shownSeconds()) +
               std::array{"", " PRESS", " STRAH", " GORE", " POBEDA"}[int(field.face())] + ended;
    }

    std::vector<double> draws;
    tro::testing::ScriptedRandom random;
    BomvikGame field;
    std::function<void()> during;
    // The first draw runs `during`.
    std::function<void()> letThrough = [this] {
        if (during)
            std::exchange(during, nullptr)();
    };
    std::string ended;
};

TEST(BomvikGame, PlacementOpeningFlagsChordsAndTheClock) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // Without steps, the counts of every cell after placement.
        {"*../.../...", "", "*10/110/000"},
        {"***/*.*/***", "", "***/*8*/***"},
        {"*.*./..../.**.", "", "*2*1/2432/1**1"},
        // An empty cell opens its region and border and takes its flags away; the counter keeps
        // what they took. A numbered cell opens alone.
        {"....*/....*/...**/*....", "x2,2 c1,1 c5,4", "0002#/0014#/111##/####2 4 0"},
        // A first click on a mine: every mine shows, a wrong flag stays; nothing more is taken.
        {"*../.../*.*", "x3,2 x1,3 c1,1 x2,1 c2,2", "!##/##P/*#* 1 0 GORE lost"},
        // Flags on closed cells only; the counter may go below zero.
        {"*.../....", "x2,1 x3,1 x4,1 c2,1 x3,1 c2,2 x2,2", "#P#P/#1## -1 0"},
        // A held cell looks pressed and scares the face; the look follows the pointer.
        {"*.../....", "L2,2 m3,2 m0,2", "####/##0# 1 0 STRAH"},
        // The chord opens the rest when the flags match the number.
        {"*../.../.*./...", "x1,1 x2,3 c2,2 L2,2 R2,2 r2,2 l2,2", "P10/221/1P1/### 0 0"},
        // A wrong flag: the mine is hit and nothing after it opens.
        {"*../.../.*./...", "x1,3 x2,3 c2,2 L2,2 R2,2 r2,2 l2,2", "!##/#2#/P*#/### 0 0 GORE lost"},
        // The flood of the first cell opened wins before the mine further on.
        {".../.../..*", "x1,2 c2,2 R2,2 L2,2 l2,2 r2,2", "000/011/01# 0 0 POBEDA won"},
        // Too few or too many flags, or a closed centre: nothing opens; while held, the block
        // looks pressed.
        {"*../.../.*./...", "x1,1 c2,2 L2,2 R2,2 r2,2 l2,2", "P##/#2#/###/### 1 0"},
        {"*../.../.*./...", "x1,1 x2,1 x2,3 c2,2 L2,2 R2,2 r2,2 l2,2", "PP#/#2#/#P#/### -1 0"},
        {"*../.../.*./...", "x1,1 x2,3 c3,4 L2,2 R2,2", "P00/000/0P0/##1 0 0 STRAH"},
        // The win comes inside the flood, before the first tick: 0 seconds.
        {"....../....../....**", "c1,1", "000000/000122/0001## 2 0 POBEDA won"},
        // The clock stands until the first opening, counts changes of the clock's second and
        // none while minimised, starts afresh with a new round and ends after 1000.
        {"*../.../...", "t50 c2,1 t0 t0 t1 t9 T10 T11 t11", "#1#/###/### 1 3"},
        {"*../.../...", "c2,1 t0 t1 Lf lf c2,1 t1 t2", "#1#/###/### 1 1"},
        {"*../.../...", "c2,1 t0,1001 c3,3", "#1#/###/### 1 1001 time over"},
        // The face button: held outside it shows the face noted at the press; a release outside
        // it does nothing, inside it a new game.
        {"*../.../...", "c1,1 Lf mo mf", "!##/###/### 1 0 PRESS lost"},
        {"*../.../...", "c1,1 Lf mo lo", "!##/###/### 1 0 GORE lost"},
        {"*../.../...", "c1,1 x2,2 Lf lf", "###/###/### 1 0 lost"},
        // While the mines are laid, a new game, the field and the clock take nothing.
        {"*../.../...", "c2,1 t1 Lf lf l3,3 | Lf lf c3,3 x3,1 t5",
         "###/###/### 1 0 (###/###/### 1 0)"},
    };
    for (const auto& [field, steps, after] : cases) {
        Board board(field);
        EXPECT_EQ(board.random.reseeds, 1) << field;
        EXPECT_EQ(*steps != 0 ? board.after(steps) : board.seen(true), after)
            << field << " " << steps;
    }
}

// The flood beside a simple reference on random fields with random flags: a region grows
// until every empty cell in it has its neighbours in it. The seed is in the failure message.
TEST(BomvikGame, TheFloodAgreesWithASimpleReferenceOnRandomFields) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const int columns = 1 + int(rng() % 30), rows = 1 + int(rng() % 16);
        SequenceRandom random(seed);
        BomvikGame field(columns, rows, int(rng() % unsigned(columns * rows / 4 + 1)), random);
        field.newgame();
        const auto any = [&] { return Cell{1 + int(rng() % columns), 1 + int(rng() % rows)}; };
        for (int i = 0; i < columns * rows / 10; ++i)
            field.toggleFlag(any());
        std::set<std::pair<int, int>> opened;
        for (int click = 0; click < 12 && field.phase() == Phase::Playing; ++click) {
            const Cell start = any();
            if (field.polestate(start) != CellState::Closed || field.polevalue(start) == kMine)
                continue;
            std::set<std::pair<int, int>> region{{start.column, start.row}};
            for (bool grown = true; grown;) {
                grown = false;
                for (const auto& [c, r] : std::set(region)) {
                    for (int dc = -1; dc <= 1 && field.polevalue({c, r}) == 0; ++dc) {
                        for (int dr = -1; dr <= 1; ++dr) {
                            grown |= field.inField({c + dc, r + dr}) &&
                                     region.insert({c + dc, r + dr}).second;
                        }
                    }
                }
            }
            field.press(Button::Left, start);
            const Outcome outcome = field.release(Button::Left, start);
            opened.insert(region.begin(), region.end());
            for (int i = 0; i < columns * rows; ++i) {
                const Cell cell{i % columns + 1, i / columns + 1};
                ASSERT_EQ(field.polestate(cell) == CellState::Opened,
                          opened.count({cell.column, cell.row}) > 0);
            }
            const bool cleared = int(opened.size()) == columns * rows - field.mines();
            ASSERT_EQ(outcome, cleared ? Outcome::Won : Outcome::None);
        }
    }
}

}  // namespace
}  // namespace tro::bomvik
