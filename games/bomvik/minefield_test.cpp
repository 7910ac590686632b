#include "minefield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testing/fakes.h"

namespace bomvik {
namespace {

// A field as a picture, rows split by '/': '.' a safe cell, '*' a mine, 'f' a flag on a safe
// cell, 'F' a flag on a mine. `newgame` lays the mines from scripted draws.
struct Board {
    explicit Board(std::string_view picture)
        : field(static_cast<int>(picture.find('/')),
                static_cast<int>(std::count(picture.begin(), picture.end(), '/')) + 1,
                static_cast<int>(cellsOf(picture, "*F").size()), clock, random) {
        for (const Cell& mine : cellsOf(picture, "*F")) {
            draws.push_back((mine.column - 0.5) / field.columns());
            draws.push_back((mine.row - 0.5) / field.rows());
        }
        random = tro::testing::ScriptedRandom(draws);
        field.newgame();
        for (const Cell& cell : cellsOf(picture, "fF")) {
            flag(cell);
        }
    }
    static std::vector<Cell> cellsOf(std::string_view picture, std::string_view marks) {
        std::vector<Cell> cells;
        Cell at{1, 1};
        for (const char mark : picture) {
            if (mark == '/') {
                at = {1, at.row + 1};
                continue;
            }
            if (marks.find(mark) != std::string_view::npos) {
                cells.push_back(at);
            }
            ++at.column;
        }
        return cells;
    }

    void flag(Cell cell) {
        field.press(Button::Right, cell);
        field.release(Button::Right, cell);
    }
    Outcome click(Cell cell) {
        field.press(Button::Left, cell);
        return field.release(Button::Left, cell);
    }
    // What the player sees: '#' closed (or '0' pressed), the digit of an opened cell, 'P' a flag,
    // '*' a mine shown, '!' the mine hit; or with `counts` every cell's value.
    std::string seen(bool counts = false) const {
        std::string out;
        for (int r = 1; r <= field.rows(); ++r) {
            out += r > 1 ? "/" : "";
            for (int c = 1; c <= field.columns(); ++c) {
                const Tile tile = field.tile({c, r});
                const int value = field.polevalue({c, r});
                out += counts
                           ? (value == kMine ? '*' : static_cast<char>('0' + value))
                           : static_cast<char>("#0P*!"[static_cast<int>(tile.kind)] + tile.number);
            }
        }
        return out;
    }

    std::vector<double> draws;
    tro::testing::FixedClock clock{{2026, 12, 6}, {12, 0, 0}};
    tro::testing::ScriptedRandom random;
    Minefield field;
};

TEST(Placement, EveryCellCountsTheMinesAroundIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"*../.../...", "*10/110/000"},
        {"***/*.*/***", "***/*8*/***"},
        {"*.*./..../.**.", "*2*1/2432/1**1"},
    };
    for (const auto& [mines, counts] : cases) {
        Board board(mines);
        EXPECT_EQ(board.seen(true), counts) << mines;
        EXPECT_EQ(board.field.minesLeft(), static_cast<int>(board.draws.size() / 2)) << mines;
    }
}

TEST(Placement, ADrawOnAMinedCellIsDrawnAgainAndEveryDrawLetsEventsThrough) {
    tro::testing::FixedClock clock;
    // (2, 2), then (2, 2) again, drawn anew as (1, 1); then (3, 1).
    tro::testing::ScriptedRandom random({0.5, 0.5, 0.5, 0.5, 0.1, 0.1, 0.9, 0.1});
    Minefield field(3, 3, 3, clock, random);
    int betweenDraws = 0;
    field.newgame([&] { ++betweenDraws; });
    EXPECT_EQ(betweenDraws, 4);
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(field.polevalue({1, 1}) + field.polevalue({2, 2}) + field.polevalue({3, 1}),
              3 * kMine);
    EXPECT_EQ(field.polevalue({2, 1}), 3);
}

TEST(Opening, AnEmptyCellOpensItsRegionAndBorderAndTakesItsFlagsAway) {
    Board board("....*/.f..*/...**/*....");
    EXPECT_EQ(board.click({1, 1}), Outcome::None);
    EXPECT_EQ(board.seen(), "0002#/0014#/111##/#####");
    EXPECT_EQ(board.field.minesLeft(), 4);          // the flag's decrement stays
    EXPECT_EQ(board.click({5, 4}), Outcome::None);  // a numbered cell opens alone
    EXPECT_EQ(board.seen(), "0002#/0014#/111##/####2");
}

TEST(Opening, AFirstClickOnAMineLosesAndShowsEveryMine) {
    Board board("*../..f/F.*");
    EXPECT_EQ(board.click({1, 1}), Outcome::Lost);
    EXPECT_EQ(board.seen(), "!##/##P/*#*");
    EXPECT_EQ(board.field.face(), Face::GORE);
    EXPECT_FALSE(board.field.clockRunning());
    board.field.press(Button::Right, {2, 1});  // the field takes nothing more
    EXPECT_EQ(board.click({2, 2}), Outcome::None);
    EXPECT_EQ(board.seen(), "!##/##P/*#*");
}

TEST(Flags, TheRightButtonFlagsClosedCellsAndTheCounterMayGoBelowZero) {
    Board board("*ff./....");
    board.field.press(Button::Right, {4, 1});  // at once, before the release
    EXPECT_EQ(board.field.minesLeft(), -2);
    board.field.release(Button::Right, {4, 1});
    EXPECT_EQ(board.click({2, 1}), Outcome::None);  // a left click on a flag does nothing
    board.flag({3, 1});
    board.click({2, 2});
    board.flag({2, 2});  // nor does the right button on an opened cell
    EXPECT_EQ(board.seen(), "#P#P/#1##");
    EXPECT_EQ(board.field.minesLeft(), -1);
}

TEST(Chord, OpensTheRestOnlyWhenTheFlagsMatchTheNumber) {
    struct Case {
        const char* field;
        Cell open;
        Cell centre;
        Button first;
        Outcome outcome;
        const char* seen;
    };
    const Case cases[] = {
        {"F../.../.F./...", {2, 2}, {2, 2}, Button::Left, Outcome::None, "P10/221/1P1/###"},
        {"F../.../.F./...", {2, 2}, {2, 2}, Button::Right, Outcome::None, "P10/221/1P1/###"},
        // A wrong flag: the mine is hit and nothing after it opens.
        {"*../.../fF./...", {2, 2}, {2, 2}, Button::Left, Outcome::Lost, "!##/#2#/P*#/###"},
        // The flood of the first cell opened wins before the mine further on.
        {".../f../..*", {2, 2}, {2, 2}, Button::Right, Outcome::Won, "000/011/01#"},
        {"F../.../.*./...", {2, 2}, {2, 2}, Button::Left, Outcome::None, "P##/#2#/###/###"},
        {"Ff./.../.F./...", {2, 2}, {2, 2}, Button::Left, Outcome::None, "PP#/#2#/#P#/###"},
        {"F../.../.F./...", {3, 4}, {2, 2}, Button::Left, Outcome::None, "P##/###/#P#/##1"},
        {"*../f../...", {2, 1}, {1, 2}, Button::Left, Outcome::None, "#1#/P##/###"},
    };
    for (const Case& test : cases) {
        Board board(test.field);
        board.click(test.open);
        const Button second = test.first == Button::Left ? Button::Right : Button::Left;
        board.field.press(test.first, test.centre);
        board.field.press(second, test.centre);
        EXPECT_EQ(board.field.release(second, test.centre), test.outcome) << test.field;
        EXPECT_EQ(board.field.release(test.first, test.centre), Outcome::None) << test.field;
        EXPECT_EQ(board.seen(), test.seen) << test.field;
    }
}

TEST(Winning, TheFloodWinsAtTheLastSafeCellBeforeTheFirstTick) {
    Board board("....../....../....**");
    EXPECT_EQ(board.click({1, 1}), Outcome::Won);
    EXPECT_EQ(board.seen(), "000000/000122/0001##");
    EXPECT_EQ(board.field.shownSeconds(), 0);
    EXPECT_EQ(board.field.face(), Face::POBEDA);
}

TEST(Clock, CountsChangesOfTheWallClockSecondWhileNotMinimised) {
    struct Tick {
        tro::TimeOfDay time;
        bool minimised;
        int shown;
    };
    const Tick ticks[] = {
        {{12, 0, 0}, false, 0},  {{12, 0, 0}, false, 0},  {{12, 0, 1}, false, 1},
        {{12, 0, 9}, false, 2},  {{12, 0, 10}, true, 2},  {{12, 0, 11}, true, 2},
        {{12, 0, 11}, false, 3}, {{12, 0, 11}, false, 3}, {{23, 59, 59}, false, 4},
        {{0, 0, 0}, false, 5},
    };
    Board board("*../.../...");
    board.clock.setTime({11, 0, 0});
    board.field.tick(false);  // the clock stands still until the first opening
    board.click({2, 1});
    for (const Tick& tick : ticks) {
        board.clock.setTime(tick.time);
        EXPECT_EQ(board.field.tick(tick.minimised), Outcome::None);
        EXPECT_EQ(board.field.shownSeconds(), tick.shown) << tick.time.second;
    }
    board.field.pressFace();
    board.field.releaseFace(true);
    board.click({2, 1});
    board.field.tick(false);  // a new round's first tick shows 0, even in the same second
    EXPECT_EQ(board.field.shownSeconds(), 0);
}

TEST(Clock, EndsWithoutAResultAt1001Seconds) {
    Board board("*../.../...");
    board.click({2, 1});
    for (int second = 0; second <= 1000; ++second) {
        board.clock.setTime({12, second / 60, second % 60});
        ASSERT_EQ(board.field.tick(false), Outcome::None) << second;
    }
    EXPECT_EQ(board.field.shownSeconds(), 1000);
    board.clock.setTime({13, 0, 0});
    EXPECT_EQ(board.field.tick(false), Outcome::TimeOver);
    EXPECT_EQ(board.field.phase(), Phase::TimeOver);
    EXPECT_FALSE(board.field.fieldEnabled());
}

TEST(Placement, InputWhileTheMinesAreLaidIsRefused) {
    Board board("*../.../...");
    board.click({2, 1});
    int draws = 0;
    board.field.pressFace();
    board.field.releaseFace(true, [&] {
        ++draws;
        board.field.pressFace();
        board.field.releaseFace(true, [] { ADD_FAILURE() << "a second new game started"; });
        board.field.press(Button::Left, {3, 3});
        EXPECT_EQ(board.field.release(Button::Left, {3, 3}), Outcome::None);
        board.field.press(Button::Right, {3, 1});
        EXPECT_EQ(board.field.tick(false), Outcome::None);
    });
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(board.seen(), "###/###/###");
    EXPECT_EQ(board.field.elapsedSeconds(), -1);
    EXPECT_EQ(board.field.release(Button::Left, {3, 3}), Outcome::None);  // its press was refused
    EXPECT_EQ(board.seen(), "###/###/###");
}

}  // namespace
}  // namespace bomvik
