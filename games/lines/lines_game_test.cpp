// The rules of Lines without the window: lines, new balls, the countdown, and the path search
// checked against a recursive walk with the same draws.

#include "lines_game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <tuple>

#include "testing/boards.h"
#include "testing/fakes.h"

namespace tro::lines {
namespace {

TEST(Opredline, ScoresAndClearsTheLinesThroughTheBall) {
    // The board before and after, the cell of the ball (column, row) and the points.
    const std::tuple<const char*, const char*, int, int, int> cases[] = {
        {"1111", "1111", 1, 4, 0},  // four clear nothing
        {"11111", "", 1, 5, 10},
        {"2/2/2/2/2/2/3", "//////3", 3, 1, 12},
        {"4/.4/..4/...4/....4/.....4/......4//........4", "////////........4", 4, 4, 18},
        {"/.......5/......5/.....5/....5/...5/..5/.5/5", "", 9, 1, 28},
        {"666666666", "", 1, 5, 42},
        {"..7/..7/77777/..7/..7", "", 3, 3, 60},  // a cross of two fives
        {"3/3/3/3/33333", "", 5, 1, 60},
        {"..1/..1/..1/211111/..2", "..1/..1/..1/2/..2", 4, 3, 10},
        {"1112111", "1112111", 1, 4, 0},
        {"", "", 5, 5, 0},  // an empty cell makes no line
    };
    for (const auto& [before, after, X, Y, points] : cases) {
        SCOPED_TRACE(before);
        Board board = pictured(before);
        const int cleared = board.occupied() - pictured(after).occupied();
        int svob = 3;
        std::vector<int> list;
        EXPECT_EQ(opredline(board, X, Y, svob, &list), points);
        EXPECT_EQ(board.picture(), pictured(after).picture());
        EXPECT_EQ(std::pair(svob, static_cast<int>(list.size())), std::pair(3 + cleared, cleared));
    }
}

TEST(Dobavshar, PlacesEachBallAtTheDrawnEmptyCellCountedRowByRow) {
    // 77 cells are free: the last one, then the first of the 76 left, then the 40th of 75 (6
    // left in row 1, 27 in rows 2 to 4, so the 7th of row 5); (i + 0.5) / n draws i of n.
    testing::ScriptedRandom random({76.5 / 77, 4.5 / 7, 0.5 / 76, 1.5 / 7, 39.5 / 75, 6.5 / 7});
    LinesGame game(1, random);
    Board board = pictured("1.1////////......1");
    board.setCell(81, 1);
    game.setPosition(board, {5, 6, 7});
    game.dobavshar();
    for (const auto& [n, colour] : {std::pair{80, 5}, {2, 6}, {43, 7}})
        board.setCell(n, static_cast<std::int16_t>(colour));
    EXPECT_EQ(game.board(), board);
    EXPECT_EQ(game.nextballs(), (std::array{5, 2, 7}));
    EXPECT_EQ(random.reseeds, 1);
}

// A new ball that completes a line scores and frees its cells for the next ones: the board
// is full only when no cell is left once those lines are cleared.
TEST(Dobavshar, ANewBallsLineFreesItsCellsBeforeTheBoardCountsAsFull) {
    Board board = fullBut({77});
    for (const int n : {78, 79, 80, 81})
        board.setCell(n, 7);
    testing::ScriptedRandom random;
    LinesGame game(1, random);
    game.setPosition(board, {7, 4, 5}, 37);
    game.dobavshar();
    // The 7 went to 77 and made the line; the 4 and the 5 took the first cells it freed.
    for (const auto& [n, colour] : {std::pair{77, 4}, {78, 5}, {79, 0}, {80, 0}, {81, 0}})
        board.setCell(n, static_cast<std::int16_t>(colour));
    EXPECT_EQ(game.board(), board);
    EXPECT_EQ(std::tuple(game.shown(79), game.end(), game.score(), game.nextballs()),
              std::tuple(0, GameEnd::None, 47, std::array{1, 1, 1}));
}

// The countdown counts the whole seconds of the clock the first game started; a new game
// sets it back to 600 without moving the clock's second.
TEST(LinesCountdown, CountsWholeSecondsOfItsClockAndAtZeroEndsTheTimeGame) {
    SequenceRandom random(1);
    LinesGame game(2, random);
    game.newGame(1000);
    EXPECT_EQ(game.tick(1999), TickOutcome::Nothing);
    EXPECT_EQ(game.tick(2000), TickOutcome::Counted);
    game.newGame(2900);
    EXPECT_EQ(game.tick(3000), TickOutcome::Counted);
    EXPECT_EQ(game.tick(601'999), TickOutcome::Counted);
    EXPECT_EQ(game.remainingSeconds(), 1);
    EXPECT_EQ(game.tick(700'000), TickOutcome::TimeUp);
    EXPECT_EQ(game.result(), -1);  // the time game at 0 points gives no result
    EXPECT_EQ(game.tick(800'000), TickOutcome::Nothing);
}

// One draw per depth, then the four quarter turns (0° down, 90° right, 180° up, 270° left)
// from the drawn one on, into empty cells only.
bool referenceWalk(Board& board, int cell, int target, Random& random, std::vector<int>& path) {
    constexpr std::pair<int, int> kTurns[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    const int start = random.below(4);
    for (int turn = start; turn < start + 4 && cell != target; ++turn) {
        const int r = cellRow(cell) + kTurns[turn % 4].first;
        const int c = cellColumn(cell) + kTurns[turn % 4].second;
        if (onBoard(r, c) && board.at(r, c) == 0) {
            path.push_back(cellNumber(r, c));
            board.setCell(path.back(), kVisited);
            if (referenceWalk(board, path.back(), target, random, path))
                return true;
            path.pop_back();
        }
    }
    return cell == target;
}

// Walks with the draws of the seed: the path exists exactly when the reference walk, which
// tries every way, finds one; it is the reference walk's branch, the marks are the reference
// walk's (so no cell was entered twice, and the draws went as in the reference) and ochistka
// removes them.
TEST(PathSearch, FindsAPathExactlyWhenTheReferenceWalkDoesOnRandomBoards) {
    const char* fixed = std::getenv("LINES_TEST_SEED");
    const std::uint64_t base = fixed ? std::strtoull(fixed, nullptr, 10) : std::random_device{}();
    for (std::uint64_t seed = base; seed < base + 3000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " (to rerun: LINES_TEST_SEED)");
        std::mt19937_64 gen(seed);
        Board before;
        const auto density = gen() % 70;
        for (int n = 1; n <= kCells; ++n)
            before.setCell(n, gen() % 100 < density ? static_cast<std::int16_t>(gen() % 7 + 1) : 0);
        const int source = static_cast<int>(gen() % kCells) + 1;
        const int target = (source + static_cast<int>(gen() % (kCells - 1))) % kCells + 1;
        before.setCell(source, 5);
        before.setCell(target, 0);
        Board board = before, referenceBoard = before;
        SequenceRandom random(seed), referenceRandom(seed);
        std::vector<int> referencePath;
        const auto path = searchPath(board, source, target, random);
        EXPECT_EQ(path.has_value(),
                  referenceWalk(referenceBoard, source, target, referenceRandom, referencePath));
        EXPECT_EQ(path.value_or(std::vector<int>{}), referencePath) << before.picture();
        EXPECT_EQ(board, referenceBoard) << board.picture();
        ochistka(board);
        EXPECT_EQ(board, before);
        ASSERT_FALSE(HasFailure());
    }
}

}  // namespace
}  // namespace tro::lines
