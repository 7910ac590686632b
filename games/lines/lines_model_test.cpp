// The rules of Lines without the window: lines, moves and new balls.

#include <gtest/gtest.h>

#include "lines_boards_test.h"
#include "testing/fakes.h"

namespace tro::lines {
namespace {

using Next = std::array<int, kNextCount>;

// The draw that makes `below(count)` give `index`.
double pick(int index, int count) {
    return (index + 0.5) / count;
}

struct LineCase {
    const char* what;
    const char* before;
    int X, Y;
    int points;
    const char* after;
};

const LineCase kLines[] = {
    {"four in a row clear nothing", "1111", 1, 4, 0, "1111"},
    {"five in a row, the moved ball at its end", "11111", 1, 5, 10, ""},
    {"six in a column, the moved ball inside", "2/2/2/2/2/2/3", 3, 1, 12, "//////3"},
    {"seven on the diagonal", "4/.4/..4/...4/....4/.....4/......4//........4", 4, 4, 18,
     "////////........4"},
    {"eight on the anti-diagonal", "/.......5/......5/.....5/....5/...5/..5/.5/5", 9, 1, 28, ""},
    {"nine, a whole row", "666666666", 1, 5, 42, ""},
    {"a cross of two fives", "..7/..7/77777/..7/..7", 3, 3, 60, ""},
    {"an L of two fives", "3/3/3/3/33333", 5, 1, 60, ""},
    {"a crossing four and other colours stay", "..1/..1/..1/211111/..2", 4, 3, 10,
     "..1/..1/..1/2/..2"},
    {"another colour breaks the line", "1112111", 1, 4, 0, "1112111"},
    {"an empty cell makes no line", "", 5, 5, 0, ""},
};

TEST(Opredline, ScoresAndClearsTheLinesThroughTheBall) {
    for (const LineCase& c : kLines) {
        SCOPED_TRACE(c.what);
        Board board = pictured(c.before);
        const int cleared = board.occupied() - pictured(c.after).occupied();
        int svob = 3;
        std::vector<int> list;
        EXPECT_EQ(opredline(board, c.X, c.Y, svob, &list), c.points);
        EXPECT_EQ(board.picture(), pictured(c.after).picture());
        EXPECT_EQ(svob, 3 + cleared);
        EXPECT_EQ(static_cast<int>(list.size()), cleared);
    }
}

// Every draw is 0: new balls go to the first empty cells and the new colours are all 1.
TEST(Move, AddsTheThreeWaitingBallsOnlyWhenItCompletesNoLine) {
    struct Case {
        int target, score;
        const char* after;
        Next next;
    };
    for (const Case& c : {Case{5, 10, "", {3, 4, 6}}, Case{6, 0, "22223246", {1, 1, 1}}}) {
        testing::ScriptedRandom random;
        LinesGame game(1, random);
        game.setPosition(pictured("2222/........2"), {3, 4, 6});
        game.clickCell(18);
        game.clickCell(c.target);
        EXPECT_EQ(game.score(), c.score);
        EXPECT_EQ(game.board().picture(), pictured(c.after).picture());
        EXPECT_EQ(game.nextballs(), c.next);
    }
}

TEST(Dobavshar, PlacesEachBallAtTheDrawnEmptyCellCountedRowByRow) {
    // 77 cells are free: the last one, then the first of the 76 left, then the 40th of 75 (6
    // left in row 1, 27 in rows 2 to 4, so the 7th of row 5).
    testing::ScriptedRandom random(
        {pick(76, 77), pick(4, 7), pick(0, 76), pick(1, 7), pick(39, 75), pick(6, 7)});
    LinesGame game(1, random);
    Board board = pictured("1.1////////......1");
    board.setCell(81, 1);
    game.setPosition(board, {5, 6, 7});
    game.dobavshar();
    board.setCell(80, 5);
    board.setCell(2, 6);
    board.setCell(43, 7);
    EXPECT_EQ(game.board(), board);
    EXPECT_EQ(game.nextballs(), (Next{5, 2, 7}));
    EXPECT_EQ(random.reseeds, 1);
}

TEST(Dobavshar, ANewBallThatCompletesALineScoresAndFreesItsCells) {
    testing::ScriptedRandom random;
    LinesGame game(1, random);
    game.setPosition(pictured("3333"), {3, 1, 2});
    game.dobavshar();
    EXPECT_EQ(game.score(), 10);
    // The 3 went to cell 5 and made the line; the others took the first cells it freed.
    EXPECT_EQ(game.board(), pictured("12"));
    EXPECT_EQ(game.shown(3), 0);
}

// The board is full only when no cell is left once the new balls' lines are cleared.
TEST(Dobavshar, EndsTheGameWhenABallFillsTheBoardAndPlacesNoMore) {
    Board lastMakesALine = fullBut({77});
    for (const int n : {78, 79, 80, 81}) {
        lastMakesALine.setCell(n, 7);
    }
    struct Case {
        Board before;
        Next next;
        GameEnd end;
        int occupied, score;
        Next nextAfter;
    };
    for (const Case& c :
         {Case{fullBut({80, 81}), {2, 4, 5}, GameEnd::BoardFull, kCells, 37, {1, 1, 5}},
          Case{lastMakesALine, {7, 4, 5}, GameEnd::None, kCells - 3, 47, {1, 1, 1}}}) {
        testing::ScriptedRandom random;
        LinesGame game(1, random);
        game.setPosition(c.before, c.next, 37);
        game.dobavshar();
        EXPECT_EQ(game.end(), c.end);
        EXPECT_EQ(game.board().occupied(), c.occupied);
        EXPECT_EQ(game.score(), c.score);
        EXPECT_EQ(game.nextballs(), c.nextAfter);
    }
}

}  // namespace
}  // namespace tro::lines
