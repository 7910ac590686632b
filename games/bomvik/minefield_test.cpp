#include "minefield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>

#include "steps_test.h"
#include "testing/fakes.h"

namespace bomvik {
namespace {

// A field as a picture, rows split by '/': '.' a safe cell, '*' a mine. `newgame` lays the
// mines from scripted draws; the first mine is drawn twice, as a draw on a mined cell must be
// drawn again.
struct Board {
    explicit Board(std::string_view picture)
        : field(static_cast<int>(picture.find('/')),
                static_cast<int>(std::count(picture.begin(), picture.end(), '/')) + 1,
                static_cast<int>(std::count(picture.begin(), picture.end(), '*')), clock, random) {
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

    void mouse(char action, Button button, Cell cell, char place, unsigned held) {
        if (place != 0) {
            action == 'p'   ? field.pressFace()
            : action == 'm' ? field.moveFace(place == 'f')
                            : field.releaseFace(place == 'f', letThrough);
        } else if (action == 'p') {
            field.press(button, cell);
        } else if (action == 'm') {
            field.move(cell, (held & 1) != 0, (held & 2) != 0);
        } else {
            note(field.release(button, cell));
        }
    }
    void tick(int second) {
        clock.setTime({12, second / 60, second % 60});
        note(field.tick(minimised));
    }
    void minimise(bool on) { minimised = on; }
    void close() {}
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
    // After `steps`: the field, the mine and seconds counters and how rounds ended.
    // Steps after a '|' are played while the next new game lays its mines.
    std::string after(const std::string& steps) {
        if (const auto bar = steps.find('|'); bar != std::string::npos) {
            during = [this, rest = steps.substr(bar + 1)] { ended += " (" + after(rest) + ")"; };
        }
        play(*this, steps.substr(0, steps.find('|')));
        return seen() + ' ' + std::to_string(field.minesLeft()) + ' ' +
               std::to_string(field.shownSeconds()) + ended;
    }

    std::vector<double> draws;
    tro::testing::FixedClock clock{{2026, 12, 6}, {12, 0, 0}};
    tro::testing::ScriptedRandom random;
    Minefield field;
    bool minimised = false;
    int betweenDraws = 0;
    std::function<void()> during;
    // Counts the draws; the first one runs `during`.
    std::function<void()> letThrough = [this] {
        ++betweenDraws;
        if (during) {
            std::exchange(during, nullptr)();
        }
    };
    std::string ended;
};

TEST(Minefield, PlacementOpeningFlagsChordsAndTheClock) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // Without steps, the counts of every cell after placement.
        {"*../.../...", "", "*10/110/000"},
        {"***/*.*/***", "", "***/*8*/***"},
        {"*.*./..../.**.", "", "*2*1/2432/1**1"},
        // An empty cell opens its region and border and takes its flags away; the counter keeps
        // what they took. A numbered cell opens alone.
        {"....*/....*/...**/*....", "x2,2 c1,1 c5,4", "0002#/0014#/111##/####2 4 0"},
        // A first click on a mine: every mine shows, a wrong flag stays; nothing more is taken.
        {"*../.../*.*", "x3,2 x1,3 c1,1 x2,1 c2,2", "!##/##P/*#* 1 0 lost"},
        // Flags on closed cells only; the counter may go below zero.
        {"*.../....", "x2,1 x3,1 x4,1 c2,1 x3,1 c2,2 x2,2", "#P#P/#1## -1 0"},
        // The chord opens the rest when the flags match the number.
        {"*../.../.*./...", "x1,1 x2,3 c2,2 L2,2 R2,2 r2,2 l2,2", "P10/221/1P1/### 0 0"},
        // A wrong flag: the mine is hit and nothing after it opens.
        {"*../.../.*./...", "x1,3 x2,3 c2,2 L2,2 R2,2 r2,2 l2,2", "!##/#2#/P*#/### 0 0 lost"},
        // The flood of the first cell opened wins before the mine further on.
        {".../.../..*", "x1,2 c2,2 R2,2 L2,2 l2,2 r2,2", "000/011/01# 0 0 won"},
        // Too few or too many flags, or a closed centre: nothing opens.
        {"*../.../.*./...", "x1,1 c2,2 L2,2 R2,2 r2,2 l2,2", "P##/#2#/###/### 1 0"},
        {"*../.../.*./...", "x1,1 x2,1 x2,3 c2,2 L2,2 R2,2 r2,2 l2,2", "PP#/#2#/#P#/### -1 0"},
        {"*../.../.*./...", "x1,1 x2,3 c3,4 L2,2 R2,2 r2,2 l2,2", "P##/###/#P#/##1 0 0"},
        // The win comes inside the flood, before the first tick: 0 seconds.
        {"....../....../....**", "c1,1", "000000/000122/0001## 2 0 won"},
        // The clock stands until the first opening, counts changes of the wall-clock second
        // and none while minimised, starts afresh with a new round and ends after 1000.
        {"*../.../...", "t50 c2,1 t0 t0 t1 t9 z1 t10 t11 z0 t11", "#1#/###/### 1 3"},
        {"*../.../...", "c2,1 t0 t1 Lf lf c2,1 t1 t2", "#1#/###/### 1 1"},
        {"*../.../...", "c2,1 t0,1001 c3,3", "#1#/###/### 1 1001 time over"},
        // While the mines are laid, a new game, the field and the clock take nothing.
        {"*../.../...", "c2,1 t1 Lf lf l3,3 | Lf lf c3,3 x3,1 t5",
         "###/###/### 1 0 (###/###/### 1 0)"},
    };
    for (const auto& [field, steps, after] : cases) {
        Board board(field);
        // One reseed, and every draw lets pending events through.
        EXPECT_EQ(board.random.reseeds, 1) << field;
        EXPECT_EQ(2 * board.betweenDraws, board.random.draws) << field;
        EXPECT_EQ(*steps != 0 ? board.after(steps) : board.seen(true), after)
            << field << " " << steps;
    }
}

// The flood beside a simple reference on random fields with random flags: a region grows
// until every empty cell in it has its neighbours in it. The seed is in the failure message.
TEST(Minefield, TheFloodAgreesWithASimpleReferenceOnRandomFields) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const int columns = 1 + static_cast<int>(rng() % 30);
        const int rows = 1 + static_cast<int>(rng() % 16);
        const int cells = columns * rows;
        const int mines = static_cast<int>(rng() % static_cast<unsigned>(cells / 4 + 1));
        std::vector<Cell> all;
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= columns; ++c) {
                all.push_back({c, r});
            }
        }
        std::shuffle(all.begin(), all.end(), rng);
        std::vector<double> draws{0.0};
        for (int m = 0; m < mines; ++m) {
            draws.push_back((all[m].column - 0.5) / columns);
            draws.push_back((all[m].row - 0.5) / rows);
        }
        draws.erase(draws.begin(), draws.begin() + (mines > 0 ? 1 : 0));
        tro::testing::FixedClock clock;
        tro::testing::ScriptedRandom random(draws);
        Minefield field(columns, rows, mines, clock, random);
        field.newgame();
        for (int i = 0; i < cells / 10; ++i) {
            field.toggleFlag(all[rng() % all.size()]);
        }
        const int minesLeft = field.minesLeft();
        std::set<std::pair<int, int>> opened;
        for (int click = 0; click < 6 && mines < cells && field.phase() == Phase::Playing;
             ++click) {
            const Cell start =
                all[static_cast<std::size_t>(mines) + rng() % static_cast<unsigned>(cells - mines)];
            if (field.polestate(start) != CellState::Closed) {
                continue;
            }
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
            std::vector<CellState> before;
            for (const Cell& cell : all) {
                before.push_back(field.polestate(cell));
            }
            field.press(Button::Left, start);
            const Outcome outcome = field.release(Button::Left, start);
            opened.insert(region.begin(), region.end());
            ASSERT_EQ(field.openedCount(), static_cast<int>(opened.size()));
            for (std::size_t i = 0; i < all.size(); ++i) {
                const bool inRegion = opened.count({all[i].column, all[i].row}) > 0;
                ASSERT_EQ(field.polestate(all[i]), inRegion ? CellState::Opened : before[i]);
            }
            const bool cleared = static_cast<int>(opened.size()) == cells - mines;
            ASSERT_EQ(outcome, cleared ? Outcome::Won : Outcome::None);
            ASSERT_EQ(field.minesLeft(), minesLeft);
        }
    }
}

}  // namespace
}  // namespace bomvik
