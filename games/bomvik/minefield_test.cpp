#include "minefield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "testing/fakes.h"

namespace bomvik {
namespace {

using tro::TimeOfDay;
using tro::testing::FixedClock;
using tro::testing::ScriptedRandom;

// A field written as a picture, one text row per field row:
//   '.' a cell without a mine   '*' a mine
//   'f' a flag on a safe cell   'F' a flag on a mine
struct Layout {
    int columns = 0;
    int rows = 0;
    std::vector<Cell> mines;
    std::vector<Cell> flags;
};

Layout parse(std::string_view picture) {
    Layout layout;
    std::istringstream in{std::string(picture)};
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        ++layout.rows;
        layout.columns = static_cast<int>(line.size());
        for (int c = 0; c < layout.columns; ++c) {
            const Cell cell{c + 1, layout.rows};
            const char mark = line[static_cast<std::size_t>(c)];
            if (mark == '*' || mark == 'F') {
                layout.mines.push_back(cell);
            }
            if (mark == 'f' || mark == 'F') {
                layout.flags.push_back(cell);
            }
        }
    }
    return layout;
}

// The draws that make `newgame` lay exactly these mines: column first, then row.
std::vector<double> drawsFor(const std::vector<Cell>& mines, int columns, int rows) {
    std::vector<double> draws;
    for (const Cell& mine : mines) {
        draws.push_back((mine.column - 0.5) / columns);
        draws.push_back((mine.row - 0.5) / rows);
    }
    if (draws.empty()) {
        draws.push_back(0.0);
    }
    return draws;
}

struct Board {
    explicit Board(std::string_view picture)
        : layout(parse(picture)),
          random(drawsFor(layout.mines, layout.columns, layout.rows)),
          field(layout.columns, layout.rows, static_cast<int>(layout.mines.size()), clock, random) {
        field.newgame();
        for (const Cell& flag : layout.flags) {
            field.press(Button::Right, flag);
            field.release(Button::Right, flag);
        }
    }

    Outcome click(Cell cell) {
        field.press(Button::Left, cell);
        return field.release(Button::Left, cell);
    }
    // Both buttons, left first, released right first.
    Outcome chord(Cell cell) {
        field.press(Button::Left, cell);
        field.press(Button::Right, cell);
        const Outcome outcome = field.release(Button::Right, cell);
        field.release(Button::Left, cell);
        return outcome;
    }

    // The counts as a picture: the digit of each cell, '*' for a mine.
    std::string counts() const {
        std::string out;
        for (int r = 1; r <= field.rows(); ++r) {
            for (int c = 1; c <= field.columns(); ++c) {
                const int value = field.polevalue({c, r});
                out += value == kMine ? '*' : static_cast<char>('0' + value);
            }
            out += '\n';
        }
        return out;
    }
    // What the player sees: '#' closed, 'P' a flag, the digit of an opened cell, '*' an
    // opened mine.
    std::string seen() const {
        std::string out;
        for (int r = 1; r <= field.rows(); ++r) {
            for (int c = 1; c <= field.columns(); ++c) {
                const Cell cell{c, r};
                switch (field.polestate(cell)) {
                    case CellState::Closed:
                        out += '#';
                        break;
                    case CellState::Flagged:
                        out += 'P';
                        break;
                    case CellState::Opened:
                        out += field.polevalue(cell) == kMine
                                   ? '*'
                                   : static_cast<char>('0' + field.polevalue(cell));
                        break;
                }
            }
            out += '\n';
        }
        return out;
    }

    Layout layout;
    FixedClock clock{{2026, 12, 6}, {12, 0, 0}};
    ScriptedRandom random;
    Minefield field;
};

std::string lines(std::initializer_list<const char*> rows) {
    std::string out;
    for (const char* row : rows) {
        out += row;
        out += '\n';
    }
    return out;
}

// --- Placement ------------------------------------------------------------------------------

TEST(Placement, EveryCellCountsTheMinesAroundIt) {
    struct Case {
        std::string mines;
        std::string counts;
    };
    const std::vector<Case> cases{
        {lines({"*..", "...", "..."}), lines({"*10", "110", "000"})},
        {lines({"...", ".*.", "..."}), lines({"111", "1*1", "111"})},
        {lines({"***", "*.*", "***"}), lines({"***", "*8*", "***"})},
        {lines({"*.*.", "....", ".**."}), lines({"*2*1", "2432", "1**1"})},
        {lines({".....", "..*..", ".....", "*...*"}), lines({".111.", ".1*1.", "12121", "*1.1*"})},
    };
    for (const Case& test : cases) {
        Board board(test.mines);
        std::string expected = test.counts;
        std::replace(expected.begin(), expected.end(), '.', '0');
        EXPECT_EQ(board.counts(), expected) << test.mines;
        EXPECT_EQ(board.field.minesLeft(), static_cast<int>(board.layout.mines.size()));
        EXPECT_EQ(board.field.openedCount(), 0);
    }
}

TEST(Placement, ADrawOnAMinedCellIsDrawnAgainAndEveryDrawLetsEventsThrough) {
    FixedClock clock;
    // (2, 2), then (2, 2) again, which is drawn anew as (1, 1); then (3, 1).
    ScriptedRandom random({0.5, 0.5, 0.5, 0.5, 0.1, 0.1, 0.9, 0.1});
    Minefield field(3, 3, 3, clock, random);
    int betweenDraws = 0;
    field.newgame([&] { ++betweenDraws; });
    EXPECT_EQ(betweenDraws, 4);
    EXPECT_EQ(random.draws, 8);
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(field.polevalue({2, 2}), kMine);
    EXPECT_EQ(field.polevalue({1, 1}), kMine);
    EXPECT_EQ(field.polevalue({3, 1}), kMine);
    // A cell that had counts and then received a mine stays a mine; the others count all.
    EXPECT_EQ(field.polevalue({2, 1}), 3);
    EXPECT_EQ(field.polevalue({1, 2}), 2);
    EXPECT_EQ(field.polevalue({3, 3}), 1);
    EXPECT_EQ(field.phase(), Phase::Playing);
}

TEST(Placement, AGeneratorLaysEveryMineOfEachVariantAndTheCountsAgree) {
    for (int number = 1; number <= 3; ++number) {
        const Variant& variant = variantOf(number);
        // A real generator lays exactly that many mines, and the counts agree with them.
        FixedClock clock;
        tro::SequenceRandom random(static_cast<unsigned>(number));
        Minefield field(variant, clock, random);
        field.newgame();
        int mines = 0;
        for (int r = 1; r <= field.rows(); ++r) {
            for (int c = 1; c <= field.columns(); ++c) {
                if (field.polevalue({c, r}) == kMine) {
                    ++mines;
                    continue;
                }
                int around = 0;
                for (int dc = -1; dc <= 1; ++dc) {
                    for (int dr = -1; dr <= 1; ++dr) {
                        const Cell n{c + dc, r + dr};
                        around += field.inField(n) && field.polevalue(n) == kMine ? 1 : 0;
                    }
                }
                EXPECT_EQ(field.polevalue({c, r}), around) << c << "," << r;
            }
        }
        EXPECT_EQ(mines, variant.mines);
    }
}

// --- Opening --------------------------------------------------------------------------------

TEST(Opening, AnEmptyCellOpensItsRegionAndBorderAndTakesItsFlagsAway) {
    Board board(lines({
        "....*",
        ".f..*",
        "...**",
        "*....",
    }));
    ASSERT_EQ(board.field.minesLeft(), 5 - 1);
    EXPECT_EQ(board.click({1, 1}), Outcome::None);
    EXPECT_EQ(board.seen(), lines({
                                "0002#",
                                "0014#",
                                "111##",
                                "#####",
                            }));
    // The flag went with the opening; the counter keeps what it took.
    EXPECT_EQ(board.field.minesLeft(), 4);
    EXPECT_EQ(board.field.openedCount(), 11);
    EXPECT_EQ(board.field.phase(), Phase::Playing);
}

TEST(Opening, ANumberedCellOpensAloneAndFlagsOutsideTheRegionStay) {
    Board board(lines({
        "f.*..",
        "*....",
        ".....",
    }));
    EXPECT_EQ(board.click({2, 1}), Outcome::None);
    EXPECT_EQ(board.seen(), lines({"P2###", "#####", "#####"}));
    EXPECT_EQ(board.click({5, 3}), Outcome::None);
    EXPECT_EQ(board.seen(), lines({"P2#10", "#2110", "#1000"}));
    EXPECT_EQ(board.field.minesLeft(), 1);
}

TEST(Opening, AFirstClickOnAMineLoses) {
    Board board(lines({
        "*..",
        "..f",
        "F.*",
    }));
    EXPECT_EQ(board.click({1, 1}), Outcome::Lost);
    EXPECT_EQ(board.field.phase(), Phase::Lost);
    EXPECT_FALSE(board.field.clockRunning());
    EXPECT_FALSE(board.field.fieldEnabled());
    EXPECT_EQ(board.field.face(), Face::GORE);
    // Every mine shows, flagged or not; the hit one on red; a wrong flag stays a flag.
    EXPECT_EQ(board.field.tile({1, 1}), (Tile{TileKind::HANA, 0}));
    EXPECT_EQ(board.field.tile({1, 3}), (Tile{TileKind::BOMBA, 0}));
    EXPECT_EQ(board.field.tile({3, 3}), (Tile{TileKind::BOMBA, 0}));
    EXPECT_EQ(board.field.tile({3, 2}), (Tile{TileKind::FLAG, 0}));
    EXPECT_EQ(board.field.tile({2, 2}), (Tile{TileKind::KLETKA, 0}));
    // The field takes nothing more.
    EXPECT_EQ(board.click({2, 2}), Outcome::None);
    board.field.press(Button::Right, {2, 1});
    EXPECT_EQ(board.field.polestate({2, 2}), CellState::Closed);
    EXPECT_EQ(board.field.polestate({2, 1}), CellState::Closed);
}

TEST(Opening, TheFloodAgreesWithASimpleReferenceOnRandomFields) {
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
        const std::vector<Cell> mineCells(all.begin(), all.begin() + mines);

        FixedClock clock;
        ScriptedRandom random(drawsFor(mineCells, columns, rows));
        Minefield field(columns, rows, mines, clock, random);
        field.newgame();
        // Some flags, right and wrong.
        for (int i = 0; i < cells / 10; ++i) {
            field.toggleFlag(all[rng() % all.size()]);
        }
        const int minesLeft = field.minesLeft();

        // The reference: grow the set until every empty cell in it has its neighbours in it.
        std::set<std::pair<int, int>> opened;
        for (int click = 0; click < 6 && field.phase() == Phase::Playing; ++click) {
            const Cell start =
                all[static_cast<std::size_t>(mines) +
                    rng() % static_cast<unsigned>(cells - mines == 0 ? 1 : cells - mines)];
            if (mines == cells || field.polestate(start) != CellState::Closed) {
                continue;
            }
            std::set<std::pair<int, int>> region{{start.column, start.row}};
            for (bool grown = true; grown;) {
                grown = false;
                for (const auto& [c, r] : std::set(region)) {
                    if (field.polevalue({c, r}) != 0) {
                        continue;
                    }
                    for (int dc = -1; dc <= 1; ++dc) {
                        for (int dr = -1; dr <= 1; ++dr) {
                            if (field.inField({c + dc, r + dr}) &&
                                region.insert({c + dc, r + dr}).second) {
                                grown = true;
                            }
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
                const Cell cell = all[i];
                const bool inRegion = opened.count({cell.column, cell.row}) > 0;
                ASSERT_EQ(field.polestate(cell), inRegion ? CellState::Opened : before[i])
                    << "cell " << cell.column << "," << cell.row;
            }
            const bool cleared = static_cast<int>(opened.size()) == cells - mines;
            ASSERT_EQ(outcome, cleared ? Outcome::Won : Outcome::None);
            ASSERT_EQ(field.phase(), cleared ? Phase::Won : Phase::Playing);
            ASSERT_EQ(field.minesLeft(), minesLeft);
        }
    }
}

TEST(Opening, OneClickOnTheLargestEmptyFieldOpensItAllAndWins) {
    FixedClock clock;
    ScriptedRandom random;
    Minefield field(30, 16, 0, clock, random);
    field.newgame();
    field.press(Button::Left, {30, 16});
    EXPECT_EQ(field.release(Button::Left, {30, 16}), Outcome::Won);
    EXPECT_EQ(field.openedCount(), 480);
}

// --- Winning --------------------------------------------------------------------------------

TEST(Winning, AWinBeforeTheFirstTickReportsZeroSeconds) {
    Board board(lines({"*..", "...", "..."}));
    EXPECT_EQ(board.click({3, 3}), Outcome::Won);
    EXPECT_EQ(board.field.phase(), Phase::Won);
    EXPECT_EQ(board.field.elapsedSeconds(), -1);
    EXPECT_EQ(board.field.shownSeconds(), 0);
    EXPECT_EQ(board.field.face(), Face::POBEDA);
    EXPECT_FALSE(board.field.clockRunning());
    EXPECT_FALSE(board.field.fieldEnabled());
}

TEST(Winning, TheLastSingleCellWinsAndTheShownSecondsAreTheResult) {
    Board board(lines({"*.", ".."}));
    EXPECT_EQ(board.click({2, 1}), Outcome::None);
    for (int s = 1; s <= 4; ++s) {
        board.clock.setTime({12, 0, s});
        EXPECT_EQ(board.field.tick(false), Outcome::None);
    }
    EXPECT_EQ(board.click({1, 2}), Outcome::None);
    EXPECT_EQ(board.click({2, 2}), Outcome::Won);
    EXPECT_EQ(board.field.shownSeconds(), 3);
    // The clock stopped with the win.
    board.clock.setTime({12, 0, 30});
    EXPECT_EQ(board.field.tick(false), Outcome::None);
    EXPECT_EQ(board.field.shownSeconds(), 3);
}

TEST(Winning, TheWinEndsAChordBeforeAMineFurtherOnIsOpened) {
    // The centre (2, 2) shows 1; the flag at (1, 2) is wrong, so the mine at (3, 3) is
    // unflagged. The chord opens (1, 1) first, whose flood opens every safe cell: the round
    // is won there, and the mine later in the block stays shut.
    Board board(lines({
        "...",
        "f..",
        "..*",
    }));
    EXPECT_EQ(board.click({2, 2}), Outcome::None);
    EXPECT_EQ(board.chord({2, 2}), Outcome::Won);
    EXPECT_EQ(board.field.phase(), Phase::Won);
    EXPECT_EQ(board.field.polestate({3, 3}), CellState::Closed);
    EXPECT_EQ(board.field.hitMine(), kNoCell);
}

TEST(Winning, TheWinFiresInsideTheFloodAtTheLastSafeCell) {
    // Clicking the corner floods everything but the mines: the win comes from the flood.
    Board board(lines({
        "......",
        "......",
        "....**",
    }));
    EXPECT_EQ(board.click({1, 1}), Outcome::Won);
    EXPECT_EQ(board.field.openedCount(), 16);
    EXPECT_EQ(board.seen(), lines({"000000", "000122", "0001##"}));
}

// --- Chord ----------------------------------------------------------------------------------

TEST(Chord, OpensOrLosesOrDoesNothing) {
    // A 2 with both of its mines flagged: the remaining neighbours open.
    {
        Board board(lines({"F..", "...", ".F.", "..."}));
        board.click({2, 2});
        EXPECT_EQ(board.chord({2, 2}), Outcome::None);
        EXPECT_EQ(board.seen(), lines({"P10", "221", "1P1", "###"}));
    }
    // A wrong flag: the mine among the rest is opened and the round is lost there.
    {
        Board board(lines({"*..", "...", "fF.", "..."}));
        board.click({2, 2});
        EXPECT_EQ(board.chord({2, 2}), Outcome::Lost);
        EXPECT_EQ(board.field.hitMine(), (Cell{1, 1}));
        EXPECT_EQ(board.field.face(), Face::GORE);
        // Nothing after the mine in the block was opened.
        EXPECT_EQ(board.field.polestate({1, 2}), CellState::Closed);
        EXPECT_EQ(board.field.polestate({3, 3}), CellState::Closed);
    }
    struct Refusal {
        const char* name;
        std::string field;
        Cell open;
        Cell centre;
    };
    for (const Refusal& test : std::vector<Refusal>{
             {"fewer flags than the number", "F..\n...\n.*.\n...\n", {2, 2}, {2, 2}},
             {"more flags than the number", "Ff.\n...\n.F.\n...\n", {2, 2}, {2, 2}},
             {"a closed centre", "F..\n...\n.F.\n...\n", {3, 4}, {2, 2}},
             {"a flagged centre whose count matches", "*..\nf..\n...\n", {2, 1}, {1, 2}},
         }) {
        Board board(test.field);
        board.click(test.open);
        const std::string before = board.seen();
        const int opened = board.field.openedCount();
        EXPECT_EQ(board.chord(test.centre), Outcome::None) << test.name;
        EXPECT_EQ(board.seen(), before) << test.name;
        EXPECT_EQ(board.field.openedCount(), opened) << test.name;
        EXPECT_EQ(board.field.face(), Face::VESEL) << test.name;
    }
}

TEST(Chord, BothPressOrdersActOnce) {
    struct Case {
        const char* name;
        Button first;
        Button releasedFirst;
    };
    for (const Case& test :
         std::vector<Case>{{"left, right; right up first", Button::Left, Button::Right},
                           {"left, right; left up first", Button::Left, Button::Left},
                           {"right, left; left up first", Button::Right, Button::Left},
                           {"right, left; right up first", Button::Right, Button::Right}}) {
        Board board(lines({"F..", "...", ".F.", "..."}));
        board.click({2, 2});
        const Button second = test.first == Button::Left ? Button::Right : Button::Left;
        const Button releasedLast =
            test.releasedFirst == Button::Left ? Button::Right : Button::Left;
        board.field.press(test.first, {2, 2});
        board.field.press(second, {2, 2});
        // The press of an opened cell scares the face and presses the closed cells around.
        EXPECT_EQ(board.field.face(), Face::STRAH) << test.name;
        EXPECT_EQ(board.field.tile({3, 3}), (Tile{TileKind::CHISLO, 0})) << test.name;
        EXPECT_EQ(board.field.tile({1, 1}), (Tile{TileKind::FLAG, 0})) << test.name;
        EXPECT_EQ(board.field.release(test.releasedFirst, {2, 2}), Outcome::None) << test.name;
        EXPECT_EQ(board.seen(), lines({"P10", "221", "1P1", "###"})) << test.name;
        EXPECT_EQ(board.field.release(releasedLast, {2, 2}), Outcome::None) << test.name;
        EXPECT_EQ(board.field.minesLeft(), 0) << test.name;
        EXPECT_EQ(board.field.face(), Face::VESEL) << test.name;
    }
}

TEST(Chord, ARightPressBeforeTheLeftFlagsAClosedCentre) {
    Board board(lines({"*..", "...", "..."}));
    board.field.press(Button::Right, {2, 2});
    EXPECT_EQ(board.field.polestate({2, 2}), CellState::Flagged);
    board.field.press(Button::Left, {2, 2});
    board.field.release(Button::Left, {2, 2});
    board.field.release(Button::Right, {2, 2});
    EXPECT_EQ(board.field.polestate({2, 2}), CellState::Flagged);
    EXPECT_EQ(board.field.openedCount(), 0);
}

TEST(Chord, TheButtonLeftHeldAfterAChordOnAClosedCellOpensNothing) {
    Board board(lines({"*..", "...", "..."}));
    board.field.press(Button::Left, {3, 3});
    board.field.press(Button::Right, {3, 3});
    EXPECT_EQ(board.field.release(Button::Right, {3, 3}), Outcome::None);
    EXPECT_EQ(board.field.release(Button::Left, {3, 3}), Outcome::None);
    EXPECT_EQ(board.field.polestate({3, 3}), CellState::Closed);
    EXPECT_FALSE(board.field.clockRunning());
    // The next single click acts as usual.
    EXPECT_EQ(board.click({3, 3}), Outcome::Won);
}

TEST(Chord, AChordReleasedOutsideTheFieldLeavesNoCentreBehind) {
    Board board(lines({"*...", "....", "...."}));
    board.field.press(Button::Left, {4, 3});
    board.field.press(Button::Right, {4, 3});
    board.field.release(Button::Left, {9, 9});
    board.field.release(Button::Right, {9, 9});
    EXPECT_EQ(board.field.openedCount(), 0);
    EXPECT_EQ(board.field.tile({3, 2}), (Tile{TileKind::KLETKA, 0}));
    // A later single click on the same cell opens it.
    EXPECT_EQ(board.click({4, 3}), Outcome::Won);
}

// --- Flags and the pressed look -------------------------------------------------------------

TEST(Flags, TheRightButtonTogglesAtOnceAndTheCounterMayGoBelowZero) {
    Board board(lines({"*...", "....", "...."}));
    const std::vector<Cell> cells{{1, 1}, {2, 1}, {3, 1}, {4, 3}};
    int expected = 1;
    for (const Cell& cell : cells) {
        board.field.press(Button::Right, cell);
        --expected;
        EXPECT_EQ(board.field.polestate(cell), CellState::Flagged);
        EXPECT_EQ(board.field.tile(cell), (Tile{TileKind::FLAG, 0}));
        EXPECT_EQ(board.field.minesLeft(), expected);
        board.field.release(Button::Right, cell);
    }
    EXPECT_EQ(board.field.minesLeft(), -3);
    // Flags do not start the clock.
    EXPECT_FALSE(board.field.clockRunning());
    // A flag comes off again, and a left click on a flag does nothing.
    EXPECT_EQ(board.click({2, 1}), Outcome::None);
    EXPECT_EQ(board.field.polestate({2, 1}), CellState::Flagged);
    board.field.press(Button::Right, {2, 1});
    board.field.release(Button::Right, {2, 1});
    EXPECT_EQ(board.field.polestate({2, 1}), CellState::Closed);
    EXPECT_EQ(board.field.minesLeft(), -2);
    // The right button on an opened cell does nothing.
    board.click({4, 1});
    board.field.press(Button::Right, {4, 1});
    EXPECT_EQ(board.field.polestate({4, 1}), CellState::Opened);
    EXPECT_EQ(board.field.minesLeft(), -2);
}

TEST(PressedLook, FollowsTheLeftButtonOverClosedCells) {
    Board board(lines({"*...", "....", "...*"}));
    board.click({2, 1});
    const std::string opened = board.seen();
    ASSERT_EQ(opened, lines({"#1##", "####", "####"}));
    board.field.press(Button::Left, {3, 1});
    EXPECT_EQ(board.field.face(), Face::STRAH);
    EXPECT_EQ(board.field.tile({3, 1}), (Tile{TileKind::CHISLO, 0}));
    board.field.move({4, 1}, true, false);
    EXPECT_EQ(board.field.tile({3, 1}), (Tile{TileKind::KLETKA, 0}));
    EXPECT_EQ(board.field.tile({4, 1}), (Tile{TileKind::CHISLO, 0}));
    // Off the field the look stays where it was; over an opened cell it goes.
    board.field.move({0, 5}, true, false);
    EXPECT_EQ(board.field.tile({4, 1}), (Tile{TileKind::CHISLO, 0}));
    board.field.move({2, 1}, true, false);
    EXPECT_EQ(board.field.tile({4, 1}), (Tile{TileKind::KLETKA, 0}));
    EXPECT_EQ(board.field.face(), Face::STRAH);
    // Released over the opened cell: nothing opens, the face is cheerful again.
    EXPECT_EQ(board.field.release(Button::Left, {2, 1}), Outcome::None);
    EXPECT_EQ(board.seen(), opened);
    EXPECT_EQ(board.field.face(), Face::VESEL);
    // Released outside the field: nothing opens either.
    board.field.press(Button::Left, {4, 1});
    EXPECT_EQ(board.field.release(Button::Left, {5, 1}), Outcome::None);
    EXPECT_EQ(board.seen(), opened);
    EXPECT_EQ(board.field.tile({4, 1}), (Tile{TileKind::KLETKA, 0}));
    EXPECT_EQ(board.field.face(), Face::VESEL);
}

TEST(PressedLook, AHeldChordPressesTheClosedCellsAroundThePointer) {
    Board board(lines({".....", ".....", "....*"}));
    board.field.press(Button::Left, {2, 2});
    board.field.press(Button::Right, {2, 2});
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(board.field.tile({c, r}), (Tile{TileKind::CHISLO, 0}));
        }
    }
    EXPECT_EQ(board.field.tile({4, 2}), (Tile{TileKind::KLETKA, 0}));
    // A closed centre does not scare the face beyond the left press that came first.
    EXPECT_EQ(board.field.face(), Face::STRAH);
    board.field.move({4, 2}, true, true);
    EXPECT_EQ(board.field.tile({1, 1}), (Tile{TileKind::KLETKA, 0}));
    EXPECT_EQ(board.field.tile({5, 3}), (Tile{TileKind::CHISLO, 0}));
    board.field.release(Button::Left, {4, 2});
    board.field.release(Button::Right, {4, 2});
    EXPECT_EQ(board.field.tile({5, 3}), (Tile{TileKind::KLETKA, 0}));
    EXPECT_EQ(board.field.openedCount(), 0);
}

TEST(Mouse, AReleaseWithoutItsPressDoesNothing) {
    Board board(lines({"*..", "...", "..."}));
    EXPECT_EQ(board.field.release(Button::Left, {3, 3}), Outcome::None);
    EXPECT_EQ(board.field.openedCount(), 0);
}

// --- Clock ----------------------------------------------------------------------------------

TEST(Clock, CountsChangesOfTheWallClockSecondWhileNotMinimised) {
    struct Tick {
        TimeOfDay time;
        bool minimised;
        int seconds;  // shown after the tick
    };
    struct Case {
        const char* name;
        std::vector<Tick> ticks;
    };
    const std::vector<Case> cases{
        {"the first tick shows 0, each new second adds one",
         {{{12, 0, 0}, false, 0},
          {{12, 0, 0}, false, 0},
          {{12, 0, 1}, false, 1},
          {{12, 0, 1}, false, 1},
          {{12, 0, 2}, false, 2}}},
        {"a jump of the wall clock counts as one change",
         {{{12, 0, 0}, false, 0}, {{12, 0, 9}, false, 1}, {{11, 0, 0}, false, 2}}},
        {"nothing counts while minimised; the first tick after adds one",
         {{{12, 0, 0}, false, 0},
          {{12, 0, 1}, false, 1},
          {{12, 0, 2}, true, 1},
          {{12, 0, 7}, true, 1},
          {{12, 0, 8}, false, 2},
          {{12, 0, 8}, false, 2},
          {{12, 0, 9}, false, 3}}},
        {"midnight is a change like any other", {{{23, 59, 59}, false, 0}, {{0, 0, 0}, false, 1}}},
    };
    for (const Case& test : cases) {
        Board board(lines({"*..", "...", "..."}));
        board.click({2, 1});
        for (const Tick& tick : test.ticks) {
            board.clock.setTime(tick.time);
            EXPECT_EQ(board.field.tick(tick.minimised), Outcome::None) << test.name;
            EXPECT_EQ(board.field.shownSeconds(), tick.seconds) << test.name;
        }
    }
}

TEST(Clock, StandsStillUntilTheFirstOpening) {
    Board board(lines({"*..", "...", "..."}));
    for (int s = 0; s < 5; ++s) {
        board.clock.setTime({12, 0, s});
        board.field.tick(false);
    }
    EXPECT_EQ(board.field.elapsedSeconds(), -1);
    board.click({2, 1});
    EXPECT_TRUE(board.field.clockRunning());
    board.clock.setTime({12, 0, 9});
    board.field.tick(false);
    EXPECT_EQ(board.field.shownSeconds(), 0);
}

TEST(Clock, EndsWithoutAResultAt1001Seconds) {
    Board board(lines({"*..", "...", "..."}));
    board.click({2, 1});
    int second = 0;
    Outcome outcome = Outcome::None;
    // The first tick shows 0; 1000 more changes reach 1000, which still plays.
    for (int i = 0; i <= 1000; ++i, ++second) {
        board.clock.setTime({12, second / 60, second % 60});
        outcome = board.field.tick(false);
        ASSERT_EQ(outcome, Outcome::None) << i;
    }
    EXPECT_EQ(board.field.shownSeconds(), 1000);
    EXPECT_EQ(board.field.phase(), Phase::Playing);
    // The same second again: still 1000.
    EXPECT_EQ(board.field.tick(false), Outcome::None);
    board.clock.setTime({12, second / 60, second % 60});
    EXPECT_EQ(board.field.tick(false), Outcome::TimeOver);
    EXPECT_EQ(board.field.elapsedSeconds(), 1001);
    EXPECT_EQ(board.field.phase(), Phase::TimeOver);
    EXPECT_FALSE(board.field.clockRunning());
    EXPECT_FALSE(board.field.fieldEnabled());
}

TEST(Clock, ANewGameStartsTheClockAfresh) {
    Board board(lines({"*..", "...", "..."}));
    board.click({2, 1});
    board.clock.setTime({12, 0, 0});
    board.field.tick(false);
    board.clock.setTime({12, 0, 1});
    board.field.tick(false);
    ASSERT_EQ(board.field.shownSeconds(), 1);
    board.field.pressFace();
    board.field.releaseFace(true);
    EXPECT_FALSE(board.field.clockRunning());
    EXPECT_EQ(board.field.elapsedSeconds(), -1);
    board.click({2, 1});
    board.field.tick(false);  // the same wall-clock second as the old round's last tick
    EXPECT_EQ(board.field.shownSeconds(), 0);
    EXPECT_EQ(board.field.elapsedSeconds(), 0);
}

// --- Face button ----------------------------------------------------------------------------

TEST(FaceButton, PressMoveAndRelease) {
    struct Case {
        const char* name;
        bool lostFirst;
        std::vector<bool> moves;  // inside or not, in turn
        bool releaseInside;
        std::vector<Face> facesAfterMoves;
        bool newGame;
    };
    const std::vector<Case> cases{
        {"press and release inside", false, {}, true, {}, true},
        {"out and back in", false, {false, true}, true, {Face::VESEL, Face::PRESS}, true},
        {"out and released outside", false, {false}, false, {Face::VESEL}, false},
        {"after a loss, out shows the sad face", true, {false}, false, {Face::GORE}, false},
        {"after a loss, released inside",
         true,
         {false, true},
         true,
         {Face::GORE, Face::PRESS},
         true},
    };
    for (const Case& test : cases) {
        Board board(lines({"*..", "...", "..."}));
        board.click(test.lostFirst ? Cell{1, 1} : Cell{2, 1});
        const int reseeds = board.random.reseeds;
        board.field.pressFace();
        EXPECT_EQ(board.field.face(), Face::PRESS) << test.name;
        for (std::size_t i = 0; i < test.moves.size(); ++i) {
            board.field.moveFace(test.moves[i]);
            EXPECT_EQ(board.field.face(), test.facesAfterMoves[i]) << test.name;
        }
        board.field.releaseFace(test.releaseInside);
        EXPECT_EQ(board.random.reseeds, reseeds + (test.newGame ? 1 : 0)) << test.name;
        if (test.newGame) {
            EXPECT_EQ(board.field.phase(), Phase::Playing) << test.name;
            EXPECT_EQ(board.field.openedCount(), 0) << test.name;
            EXPECT_EQ(board.field.face(), Face::VESEL) << test.name;
        } else {
            EXPECT_EQ(board.field.face(), test.lostFirst ? Face::GORE : Face::VESEL) << test.name;
            EXPECT_EQ(board.field.openedCount(), test.lostFirst ? 0 : 1) << test.name;
        }
    }
}

TEST(FaceButton, InputWhileTheMinesAreLaidIsRefused) {
    FixedClock clock;
    ScriptedRandom random({0.1, 0.1, 0.9, 0.9});
    Minefield field(3, 3, 2, clock, random);
    field.newgame();
    field.press(Button::Left, {2, 2});
    field.release(Button::Left, {2, 2});
    ASSERT_TRUE(field.clockRunning());
    int draws = 0;
    field.pressFace();
    field.releaseFace(true, [&] {
        ++draws;
        EXPECT_TRUE(field.placing());
        // A second new game, field clicks and ticks all find the field busy.
        field.pressFace();
        field.releaseFace(true, [&] { ADD_FAILURE() << "a second new game started"; });
        field.press(Button::Left, {2, 1});
        EXPECT_EQ(field.release(Button::Left, {2, 1}), Outcome::None);
        field.press(Button::Right, {3, 1});
        clock.setTime({12, 0, draws});
        EXPECT_EQ(field.tick(false), Outcome::None);
    });
    EXPECT_EQ(draws, 2);
    EXPECT_FALSE(field.placing());
    EXPECT_EQ(random.reseeds, 2);
    EXPECT_EQ(field.openedCount(), 0);
    EXPECT_EQ(field.minesLeft(), 2);
    EXPECT_EQ(field.elapsedSeconds(), -1);
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(field.polestate({c, r}), CellState::Closed);
        }
    }
    // A release whose press came while the mines were laid is not taken either.
    EXPECT_EQ(field.release(Button::Left, {2, 1}), Outcome::None);
    EXPECT_EQ(field.openedCount(), 0);
}

}  // namespace
}  // namespace bomvik
