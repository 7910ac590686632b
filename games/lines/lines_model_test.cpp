// The rules of Lines without the window: cells, lines, moves, new balls, blink, trajectory
// and countdown.

#include <gtest/gtest.h>

#include "lines_model.h"
#include "testing/fakes.h"

namespace tro::lines {
namespace {

using testing::ScriptedRandom;

Board parse(const char* picture) {
    const auto board = Board::fromPicture(picture);
    EXPECT_TRUE(board.has_value()) << picture;
    return board.value_or(Board{});
}

// The draw that makes `below(count)` give `index`.
double pick(int index, int count) {
    return (index + 0.5) / count;
}

TEST(Cells, NumbersRunRowByRowFromTheTopLeft) {
    struct Case {
        int row, column, n;
    };
    for (const Case& c : {Case{1, 1, 1}, Case{1, 9, 9}, Case{2, 1, 10}, Case{5, 5, 41},
                          Case{9, 1, 73}, Case{9, 9, 81}}) {
        EXPECT_EQ(cellNumber(c.row, c.column), c.n);
        EXPECT_EQ(cellRow(c.n), c.row) << c.n;
        EXPECT_EQ(cellColumn(c.n), c.column) << c.n;
    }
}

TEST(PathText, EntriesAreThreeCharactersWithLeadingBlanks) {
    struct Case {
        int cell;
        const char* entry;
    };
    for (const Case& c : {Case{1, "  1"}, Case{9, "  9"}, Case{10, " 10"}, Case{81, " 81"}}) {
        EXPECT_EQ(pathEntry(c.cell), c.entry);
    }
    const std::string text = makePathText(5, {6, 15, 24});
    EXPECT_EQ(text, "  5  6 15 24");
    EXPECT_EQ(pathTextCell(text, 1), 5);
    EXPECT_EQ(pathTextCell(text, 4), 6);
    EXPECT_EQ(pathTextCell(text, 10), 24);
    EXPECT_EQ(pathTextCell(text, 13), 0);
}

TEST(Board, PicturesReadBackAsWritten) {
    const char* picture =
        "1.......7\n"
        ".2.......\n"
        "..3......\n"
        "...4.....\n"
        "....5....\n"
        ".....6...\n"
        "......*..\n"
        ".........\n"
        "7.......1\n";
    const Board board = parse(picture);
    EXPECT_EQ(board.picture(), picture);
    EXPECT_EQ(board.at(1, 9), 7);
    EXPECT_EQ(board.at(7, 7), kVisited);
    EXPECT_EQ(board.occupied(), 10);
    for (const char* bad : {"", "1........",
                            "8........................................................"
                            "........................"}) {
        EXPECT_FALSE(Board::fromPicture(bad).has_value()) << bad;
    }
}

struct LineCase {
    const char* what;
    const char* before;
    int X, Y;
    int points;
    const char* after;  // nullptr: the board is empty afterwards
};

const LineCase kLines[] = {
    {"four in a row clear nothing",
     "........."
     "........."
     "........."
     "........."
     "..1111..."
     "........."
     "........."
     "........."
     ".........",
     5, 3, 0,
     "........."
     "........."
     "........."
     "........."
     "..1111..."
     "........."
     "........."
     "........."
     "........."},
    {"five in a row, moved ball at the end",
     "........."
     "........."
     "........."
     "........."
     "..11111.."
     "........."
     "........."
     "........."
     ".........",
     5, 7, 10, nullptr},
    {"six in a column, moved ball inside",
     "........."
     "...2....."
     "...2....."
     "...2....."
     "...2....."
     "...2....."
     "...2....."
     "...3....."
     ".........",
     4, 4, 12,
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "...3....."
     "........."},
    {"seven on the diagonal",
     "4........"
     ".4......."
     "..4......"
     "...4....."
     "....4...."
     ".....4..."
     "......4.."
     "........."
     "........4",
     4, 4, 18,
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........4"},
    {"eight on the anti-diagonal",
     "........."
     ".......5."
     "......5.."
     ".....5..."
     "....5...."
     "...5....."
     "..5......"
     ".5......."
     "5........",
     9, 1, 28, nullptr},
    {"nine, a whole row",
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "666666666",
     9, 5, 42, nullptr},
    {"a cross of two fives through the moved ball",
     "........."
     "....7...."
     "....7...."
     "..77777.."
     "....7...."
     "....7...."
     "........."
     "........."
     ".........",
     4, 5, 60, nullptr},
    {"an L of two fives through the moved ball",
     "3........"
     "3........"
     "3........"
     "3........"
     "33333...."
     "........."
     "........."
     "........."
     ".........",
     5, 1, 60, nullptr},
    {"a line of five keeps a crossing line of four and other colours",
     "........."
     "....1...."
     "....1...."
     "..211111."
     "....2...."
     "....1...."
     "........."
     "........."
     ".........",
     4, 5, 10,
     "........."
     "....1...."
     "....1...."
     "..2......"
     "....2...."
     "....1...."
     "........."
     "........."
     "........."},
    {"other colours break the line",
     "........."
     "........."
     "........."
     "........."
     "1112111.."
     "........."
     "........."
     "........."
     ".........",
     5, 5, 0,
     "........."
     "........."
     "........."
     "........."
     "1112111.."
     "........."
     "........."
     "........."
     "........."},
};

TEST(Opredline, ScoresAndClearsTheLinesThroughTheBall) {
    for (const LineCase& c : kLines) {
        SCOPED_TRACE(c.what);
        Board board = parse(c.before);
        const Board after = c.after != nullptr ? parse(c.after) : Board{};
        const int cleared = parse(c.before).occupied() - after.occupied();
        int svob = 3;
        std::vector<int> list;
        EXPECT_EQ(opredline(board, c.X, c.Y, svob, &list), c.points);
        EXPECT_EQ(board.picture(), after.picture());
        EXPECT_EQ(svob, 3 + cleared);
        EXPECT_EQ(static_cast<int>(list.size()), cleared);
    }
}

TEST(Opredline, PointsGrowWithTheSquareOfTheExtraBalls) {
    const int expected[] = {10, 12, 18, 28, 42, 60};
    for (int total = 5; total <= 10; ++total) {
        EXPECT_EQ(linePoints(total), expected[total - 5]) << total;
    }
}

TEST(Opredline, AnEmptyCellMakesNoLine) {
    Board board;
    int svob = 0;
    EXPECT_EQ(opredline(board, 5, 5, svob), 0);
    EXPECT_EQ(svob, 0);
}

// A game with a given position, trajectory off, and scripted draws.
struct Fixture {
    explicit Fixture(std::vector<double> draws, int mode = 1)
        : random(std::move(draws)), game(mode, random) {}
    ScriptedRandom random;
    LinesGame game;
};

const char* kFourAndOne =
    "........."
    "........."
    "........."
    "........."
    "2222....."
    "........."
    "........2"
    "........."
    ".........";

TEST(Move, ThatCompletesALineAddsNoBalls) {
    Fixture f({0.0});
    f.game.setPosition(parse(kFourAndOne), {3, 4, 5});
    f.game.clickCell(cellNumber(7, 9));
    f.game.clickCell(cellNumber(5, 5));
    EXPECT_EQ(f.game.score(), 10);
    EXPECT_EQ(f.game.board().occupied(), 0);
    EXPECT_EQ(f.game.nextballs(), (std::array<int, 3>{3, 4, 5}));
    EXPECT_EQ(f.game.selcell(), 0);
    EXPECT_EQ(f.game.blinkcell(), 0);
    for (int n = 1; n <= kCells; ++n) {
        EXPECT_EQ(f.game.shown(n), 0) << n;
    }
}

TEST(Move, ThatCompletesNoneAddsTheThreeWaitingBalls) {
    Fixture f({0.0});
    f.game.setPosition(parse(kFourAndOne), {3, 4, 6});
    f.game.clickCell(cellNumber(7, 9));
    f.game.clickCell(cellNumber(9, 9));
    EXPECT_EQ(f.game.score(), 0);
    EXPECT_EQ(f.game.board().cell(81), 2);
    EXPECT_EQ(f.game.board().occupied(), 8);
    // Every draw is 0: the first empty cell each time, and new colours of code 1.
    EXPECT_EQ(f.game.board().cell(1), 3);
    EXPECT_EQ(f.game.board().cell(2), 4);
    EXPECT_EQ(f.game.board().cell(3), 6);
    EXPECT_EQ(f.game.nextballs(), (std::array<int, 3>{1, 1, 1}));
    for (int n = 1; n <= kCells; ++n) {
        EXPECT_EQ(f.game.shown(n), f.game.board().cell(n)) << n;
    }
}

TEST(Dobavshar, PlacesEachBallAtTheDrawnEmptyCellCountedRowByRow) {
    // 81 - 4 = 77 free: the 77th empty cell is the last, then the 1st of 76, then the 40th.
    const Board board = parse(
        "1.1......"
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        "......1.1");
    Fixture f({pick(76, 77), pick(4, 7), pick(0, 76), pick(1, 7), pick(39, 75), pick(6, 7)});
    f.game.setPosition(board, {5, 6, 7});
    f.game.dobavshar();
    EXPECT_EQ(f.game.board().cell(80), 5);
    EXPECT_EQ(f.game.board().cell(2), 6);
    // The 40th empty cell: 6 left in row 1, 27 in rows 2 to 4, the 7th of row 5.
    EXPECT_EQ(f.game.board().cell(43), 7);
    EXPECT_EQ(f.game.nextballs(), (std::array<int, 3>{5, 2, 7}));
    EXPECT_EQ(f.random.reseeds, 1);
    EXPECT_EQ(f.game.end(), GameEnd::None);
}

TEST(Dobavshar, ANewBallThatCompletesALineScoresAndFreesItsCells) {
    const Board board = parse(
        "3333....."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        ".........");
    // Cell 5 is the first empty cell.
    Fixture f({0.0});
    f.game.setPosition(board, {3, 1, 2});
    f.game.dobavshar();
    EXPECT_EQ(f.game.score(), 10);
    // The line is gone; the two other balls took the first empty cells that were left.
    EXPECT_EQ(f.game.board().picture(),
              "12.......\n"
              ".........\n"
              ".........\n"
              ".........\n"
              ".........\n"
              ".........\n"
              ".........\n"
              ".........\n"
              ".........\n");
    EXPECT_EQ(f.game.shown(3), 0);
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

TEST(Dobavshar, TheBallThatFillsTheBoardEndsTheGameAndTheNextIsNeverPlaced) {
    Fixture f({0.0});
    f.game.setPosition(parse(kTwoFree), {2, 4, 5}, 37);
    f.game.dobavshar();
    EXPECT_EQ(f.game.end(), GameEnd::BoardFull);
    EXPECT_EQ(f.game.board().cell(80), 2);
    EXPECT_EQ(f.game.board().cell(81), 4);
    EXPECT_EQ(f.game.board().occupied(), kCells);
    // Two previews drew new colours, the third still waits.
    EXPECT_EQ(f.game.nextballs(), (std::array<int, 3>{1, 1, 5}));
    EXPECT_EQ(f.game.result(), 37);
}

TEST(Dobavshar, TheBoardIsFullOnlyIfNoCellIsLeftAfterTheClearing) {
    // The last free cell completes a row of five sevens.
    const Board board = parse(
        "123456712"
        "345671234"
        "567123456"
        "712345671"
        "234567123"
        "456712345"
        "671234567"
        "123456712"
        "3456.7777");
    Fixture f({0.0});
    f.game.setPosition(board, {7, 1, 1});
    f.game.dobavshar();
    EXPECT_EQ(f.game.end(), GameEnd::None);
    EXPECT_EQ(f.game.score(), 10);
    // Five cells were freed; the two other balls took two of them.
    EXPECT_EQ(f.game.board().occupied(), kCells - 3);
}

TEST(Dobavshar, AFullBoardAtZeroPointsEndsWithZero) {
    Fixture f({0.0}, 2);
    f.game.setPosition(parse(kTwoFree), {2, 4, 5});
    f.game.dobavshar();
    EXPECT_EQ(f.game.end(), GameEnd::BoardFull);
    EXPECT_EQ(f.game.result(), 0);
}

TEST(NewGame, PlacesFiveBallsOnFreeCellsAndDrawsTheNextThree) {
    // Cells drawn: 1, 1 again (drawn anew with its colour), 81, 41, 2, 3.
    Fixture f({pick(0, 81), pick(2, 7), pick(0, 81), pick(3, 7), pick(80, 81), pick(4, 7),
               pick(40, 81), pick(5, 7), pick(1, 81), pick(6, 7), pick(2, 81), pick(0, 7),
               pick(1, 7), pick(2, 7), pick(3, 7)});
    f.game.newGame();
    EXPECT_EQ(f.game.board().occupied(), 5);
    EXPECT_EQ(f.game.board().cell(1), 3);
    EXPECT_EQ(f.game.board().cell(81), 5);
    EXPECT_EQ(f.game.board().cell(41), 6);
    EXPECT_EQ(f.game.board().cell(2), 7);
    EXPECT_EQ(f.game.board().cell(3), 1);
    EXPECT_EQ(f.game.nextballs(), (std::array<int, 3>{2, 3, 4}));
    EXPECT_EQ(f.random.reseeds, 1);
    EXPECT_EQ(f.game.score(), 0);
    EXPECT_EQ(f.game.remainingSeconds(), kStartSeconds);
}

TEST(NewGame, StartingBallsAreNotCheckedForLines) {
    Fixture f(
        {pick(0, 81), 0.0, pick(1, 81), 0.0, pick(2, 81), 0.0, pick(3, 81), 0.0, pick(4, 81), 0.0});
    f.game.newGame();
    EXPECT_EQ(f.game.board().picture().substr(0, 9), "11111....");
    EXPECT_EQ(f.game.score(), 0);
}

const char* kTwoBalls =
    "1........"
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    "........2";

TEST(Click, ChoosesABallThatThenBlinksEveryOtherTick) {
    Fixture f({0.0});
    f.game.setPosition(parse(kTwoBalls), {1, 2, 3});
    f.game.clickCell(5);
    EXPECT_EQ(f.game.selcell(), 0);
    f.game.clickCell(1);
    EXPECT_EQ(f.game.selcell(), 1);
    EXPECT_EQ(f.game.blinkcell(), 1);
    EXPECT_EQ(f.game.timer1IntervalMs(), kBlinkTickMs);
    const int expected[] = {0, 1, 0, 1};
    for (const int shown : expected) {
        f.game.timer1Tick();
        EXPECT_EQ(f.game.shown(1), shown);
        EXPECT_EQ(f.game.board().cell(1), 1);
    }
    // Choosing the other ball in the blank phase brings the first one back.
    f.game.timer1Tick();
    EXPECT_EQ(f.game.shown(1), 0);
    f.game.clickCell(81);
    EXPECT_EQ(f.game.shown(1), 1);
    EXPECT_EQ(f.game.selcell(), 81);
    f.game.timer1Tick();
    EXPECT_EQ(f.game.shown(81), 0);
    EXPECT_EQ(f.game.shown(1), 1);
    // Choosing the chosen ball again keeps it chosen.
    f.game.clickCell(81);
    EXPECT_EQ(f.game.blinkcell(), 81);
}

TEST(Click, WithoutAPathTheBallStaysChosenAndBlinking) {
    const Board board = parse(
        "1.3......"
        "33......."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        ".........");
    Fixture f({0.0});
    f.game.setPosition(board, {1, 2, 3});
    f.game.clickCell(1);
    f.game.timer1Tick();
    f.game.clickCell(81);
    EXPECT_EQ(f.game.board(), board);
    EXPECT_EQ(f.game.selcell(), 1);
    EXPECT_EQ(f.game.blinkcell(), 1);
    f.game.timer1Tick();
    EXPECT_EQ(f.game.shown(1), 1);
    // The ball can still go where a path leads.
    f.game.clickCell(2);
    EXPECT_EQ(f.game.board().cell(2), 1);
    EXPECT_EQ(f.game.selcell(), 0);
    EXPECT_EQ(f.game.board().occupied(), board.occupied() + 3);
}

const char* kDetour =
    "1.3......"
    "3.3......"
    "3...3...."
    "33333...."
    "........."
    "........."
    "........."
    "........."
    ".........";

TEST(Trajectory, TheBallVisitsOneCellATickAndTheBoardChangesAtTheLast) {
    Fixture f({0.0});
    f.game.setTrajectory(true);
    const Board board = parse(kDetour);
    f.game.setPosition(board, {4, 5, 6});
    f.game.clickCell(1);
    f.game.timer1Tick();  // the chosen ball in its blank phase
    f.game.clickCell(cellNumber(3, 4));
    // The only way: right, down two, right two.
    EXPECT_EQ(f.game.pathtext(), "  1  2 11 20 21 22");
    EXPECT_EQ(f.game.animpos(), 4);
    EXPECT_EQ(f.game.timer1IntervalMs(), kStepTickMs);
    EXPECT_EQ(f.game.shown(1), 1);
    EXPECT_EQ(f.game.board(), board);
    const int steps[] = {2, 11, 20, 21, 22};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        // Clicks during the animation are ignored.
        f.game.clickCell(81);
        f.game.clickCell(3);
        EXPECT_EQ(f.game.selcell(), 1);
        f.game.timer1Tick();
        if (i + 1 == std::size(steps)) {
            break;
        }
        EXPECT_EQ(f.game.board(), board) << "tick " << i;
        for (int n = 1; n <= 22; ++n) {
            const bool ballHere = n == steps[i];
            const bool wall = board.cell(n) == 3;
            EXPECT_EQ(f.game.shown(n), ballHere ? 1 : (wall ? 3 : 0))
                << "tick " << i << " cell " << n;
        }
    }
    EXPECT_EQ(f.game.animpos(), 0);
    EXPECT_EQ(f.game.timer1IntervalMs(), kBlinkTickMs);
    EXPECT_EQ(f.game.board().cell(22), 1);
    EXPECT_EQ(f.game.shown(22), 1);
    EXPECT_EQ(f.game.selcell(), 0);
    EXPECT_EQ(f.game.blinkcell(), 0);
    // No line: three new balls came.
    EXPECT_EQ(f.game.board().occupied(), board.occupied() + 3);
}

TEST(Trajectory, ARestartStopsTheAnimationAndEmptiesTheBoard) {
    Fixture f({0.0, 0.3, 0.6, 0.9, 0.15, 0.45, 0.75});
    f.game.setTrajectory(true);
    f.game.setPosition(parse(kDetour), {4, 5, 6});
    f.game.clickCell(1);
    f.game.clickCell(cellNumber(3, 4));
    f.game.timer1Tick();
    ASSERT_NE(f.game.animpos(), 0);
    f.game.newGame();
    EXPECT_EQ(f.game.animpos(), 0);
    EXPECT_EQ(f.game.timer1IntervalMs(), kBlinkTickMs);
    EXPECT_EQ(f.game.board().occupied(), kStartBalls);
    EXPECT_EQ(f.game.selcell(), 0);
    int shownBalls = 0;
    for (int n = 1; n <= kCells; ++n) {
        EXPECT_EQ(f.game.shown(n), f.game.board().cell(n)) << n;
        shownBalls += f.game.shown(n) != 0 ? 1 : 0;
    }
    EXPECT_EQ(shownBalls, kStartBalls);
}

TEST(Countdown, RunsOnlyInTheTimeGameAndEndsItAtZero) {
    struct Case {
        int mode;
        int score;
        bool ends;
        int result;
    };
    for (const Case& c : {Case{1, 0, false, 0}, Case{2, 0, true, -1}, Case{2, 24, true, 24}}) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", score " + std::to_string(c.score));
        Fixture f({0.0}, c.mode);
        f.game.setPosition(parse(kTwoBalls), {1, 2, 3}, c.score);
        f.game.countdownElapsed(1500);
        EXPECT_EQ(f.game.remainingSeconds(), c.mode == 2 ? 599 : 600);
        f.game.countdownElapsed(500);
        EXPECT_EQ(f.game.remainingSeconds(), c.mode == 2 ? 598 : 600);
        f.game.countdownElapsed(597'999);
        EXPECT_EQ(f.game.end(), GameEnd::None);
        f.game.countdownElapsed(1);
        EXPECT_EQ(f.game.end(), c.ends ? GameEnd::TimeUp : GameEnd::None);
        if (c.ends) {
            EXPECT_EQ(f.game.remainingSeconds(), 0);
            EXPECT_EQ(f.game.result(), c.result);
            // Nothing moves any more.
            f.game.clickCell(1);
            EXPECT_EQ(f.game.selcell(), 0);
            f.game.countdownElapsed(5000);
            EXPECT_EQ(f.game.remainingSeconds(), 0);
        }
    }
}

TEST(Countdown, ARestartSetsItBackTo600AndItGoesOn) {
    Fixture f({0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7}, 2);
    f.game.newGame();
    f.game.countdownElapsed(10'600);
    EXPECT_EQ(f.game.remainingSeconds(), 590);
    f.game.newGame();
    EXPECT_EQ(f.game.remainingSeconds(), 600);
    f.game.countdownElapsed(400);
    EXPECT_EQ(f.game.remainingSeconds(), 599);
}

}  // namespace
}  // namespace tro::lines
