// The path search: a randomised depth-first walk over empty cells, checked against a
// breadth-first search and against a recursive walk with the same draws.

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <random>

#include "lines_boards_test.h"

namespace tro::lines {
namespace {

// The empty cell that quarter turn `turn` leads to from `cell` (0° down, 90° right, 180° up,
// 270° left), 0 for none.
int emptyNeighbour(const Board& board, int cell, int turn) {
    constexpr std::pair<int, int> kTurns[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    const int r = cellRow(cell) + kTurns[turn % 4].first;
    const int c = cellColumn(cell) + kTurns[turn % 4].second;
    return onBoard(r, c) && board.at(r, c) == 0 ? cellNumber(r, c) : 0;
}

bool reachable(const Board& board, int source, int target) {
    std::vector<bool> seen(kCells + 1, false);
    for (std::deque<int> queue{source}; !queue.empty(); queue.pop_front()) {
        for (int turn = 0; turn < 4; ++turn) {
            const int next = emptyNeighbour(board, queue.front(), turn);
            if (next != 0 && !seen[next]) {
                seen[next] = true;
                queue.push_back(next);
            }
        }
    }
    return seen[target];
}

// One draw per depth, then the four quarter turns from the drawn one on.
bool referenceWalk(Board& board, int cell, int target, Random& random, std::vector<int>& path) {
    const int start = random.below(4);
    for (int turn = start; turn < start + 4 && cell != target; ++turn) {
        const int next = emptyNeighbour(board, cell, turn);
        if (next != 0) {
            board.setCell(next, kVisited);
            path.push_back(next);
            if (referenceWalk(board, next, target, random, path)) {
                return true;
            }
            path.pop_back();
        }
    }
    return cell == target;
}

// Walks with the draws of `seed`: the path exists exactly when breadth-first search finds
// one, it is the reference walk's branch, the marks are the reference walk's (so no cell was
// entered twice, and the draws went as in the reference) and ochistka removes them.
std::vector<int> checkedWalk(const Board& before, int source, int target, std::uint64_t seed) {
    Board board = before;
    Board referenceBoard = before;
    SequenceRandom random(seed);
    SequenceRandom referenceRandom(seed);
    std::vector<int> referencePath;
    const auto path = searchPath(board, source, target, random);
    EXPECT_EQ(path.has_value(), reachable(before, source, target)) << before.picture();
    EXPECT_EQ(path.has_value(),
              referenceWalk(referenceBoard, source, target, referenceRandom, referencePath));
    EXPECT_EQ(path.value_or(std::vector<int>{}), referencePath) << before.picture();
    EXPECT_EQ(board, referenceBoard) << board.picture();
    ochistka(board);
    EXPECT_EQ(board, before);
    return path.value_or(std::vector<int>{});
}

struct Walk {
    const char* what;
    const char* picture;
    int source, target;
    bool reachable;
    std::vector<int> only;  // the only way there, when there is just one
};

const char* kCorridor =
    "1....3333/"
    "3333.3333/"
    "3....3333/"
    "3.3333333/"
    "3.......3/"
    "333333333";
const std::vector<int> kCorridorPath = {2,  3,  4,  5,  14, 23, 22, 21, 20,
                                        29, 38, 39, 40, 41, 42, 43, 44};

const Walk kWalks[] = {
    {"a winding corridor", kCorridor, 1, 44, true, kCorridorPath},
    {"open board, far corner", "1", 1, 81, true, {}},
    {"next cell", "....3", 5, 6, true, {}},
    {"round the end of a wall", "..2/..2/1.2", 19, 4, true, {}},
    {"target walled in", "1...666/....6.6/....666", 1, 15, false, {}},
    {"source walled in", "17/7", 1, 81, false, {}},
    {"wall across the board", "3/222222222", 1, 81, false, {}},
    {"diagonal neighbours do not connect", "6...1/...1.1/....1", 1, 14, false, {}},
};

TEST(PathSearch, FollowsTheOnlyWayOrRefusesWhenThereIsNone) {
    for (const Walk& walk : kWalks) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(std::string(walk.what) + ", seed " + std::to_string(seed));
            const auto path = checkedWalk(pictured(walk.picture), walk.source, walk.target, seed);
            EXPECT_EQ(!path.empty(), walk.reachable);
            if (!walk.only.empty()) {
                EXPECT_EQ(path, walk.only);
            }
        }
    }
}

TEST(PathSearch, FindsAPathExactlyWhenBreadthFirstSearchDoesOnRandomBoards) {
    const char* fixed = std::getenv("LINES_TEST_SEED");
    const std::uint64_t base = fixed ? std::strtoull(fixed, nullptr, 10) : std::random_device{}();
    for (std::uint64_t seed = base; seed < base + 3000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " (to rerun: LINES_TEST_SEED)");
        std::mt19937_64 gen(seed);
        Board before;
        const auto density = gen() % 70;
        for (int n = 1; n <= kCells; ++n) {
            before.setCell(n, gen() % 100 < density ? static_cast<std::int16_t>(gen() % 7 + 1) : 0);
        }
        const int source = static_cast<int>(gen() % kCells) + 1;
        const int target = (source + static_cast<int>(gen() % (kCells - 1))) % kCells + 1;
        before.setCell(source, 5);
        before.setCell(target, 0);
        (void)checkedWalk(before, source, target, seed);
        ASSERT_FALSE(HasFailure());
    }
}

}  // namespace
}  // namespace tro::lines
