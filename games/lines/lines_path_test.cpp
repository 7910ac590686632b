// The path search: a randomised depth-first walk over empty cells.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <random>
#include <set>

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

bool adjacent(int a, int b) {
    const int dr = std::abs(cellRow(a) - cellRow(b));
    const int dc = std::abs(cellColumn(a) - cellColumn(b));
    return dr + dc == 1;
}

// A path is the cells entered from the source, each next to the one before, each empty on
// the board as it was, none twice, the target last.
::testing::AssertionResult validPath(const Board& before, int source, int target,
                                     const std::vector<int>& path) {
    if (path.empty() || path.back() != target) {
        return ::testing::AssertionFailure() << "the path does not end at the target";
    }
    std::set<int> seen;
    int previous = source;
    for (const int cell : path) {
        if (!adjacent(previous, cell)) {
            return ::testing::AssertionFailure() << "a jump from " << previous << " to " << cell;
        }
        if (before.cell(cell) != 0) {
            return ::testing::AssertionFailure() << "the path enters the ball at " << cell;
        }
        if (!seen.insert(cell).second) {
            return ::testing::AssertionFailure() << "cell " << cell << " entered twice";
        }
        previous = cell;
    }
    return ::testing::AssertionSuccess();
}

int marked(const Board& board) {
    int count = 0;
    for (int n = 1; n <= kCells; ++n) {
        count += board.cell(n) == kVisited ? 1 : 0;
    }
    return count;
}

struct Walk {
    const char* what;
    const char* picture;
    int source;
    int target;
    bool reachable;
};

const Walk kWalks[] = {
    {"open board, far corner",
     "1........"
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     ".........",
     1, 81, true},
    {"next cell",
     "........."
     "........."
     "........."
     "........."
     "....3...."
     "........."
     "........."
     "........."
     ".........",
     41, 42, true},
    {"through a gap in a wall",
     "....2...."
     "....2...."
     "....2...."
     "....2...."
     "4...2...."
     "....2...."
     "....2...."
     "....2...."
     ".........",
     37, 9, true},
    {"target walled in",
     "5........"
     "........."
     "........."
     "........."
     "........."
     "........."
     "......666"
     "......6.6"
     "......666",
     1, 71, false},
    {"source walled in",
     "17......."
     "7........"
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     ".........",
     1, 81, false},
    {"wall across the board",
     "3........"
     "........."
     "........."
     "........."
     "222222222"
     "........."
     "........."
     "........."
     ".........",
     1, 81, false},
    {"diagonal neighbours do not connect",
     "6........"
     "........."
     "........."
     "........."
     "....1...."
     "...1.1..."
     "....1...."
     "........."
     ".........",
     1, 50, false},
};

TEST(PathSearch, ReachesAReachableTargetAndRefusesAnUnreachableOne) {
    for (const Walk& walk : kWalks) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(std::string(walk.what) + ", seed " + std::to_string(seed));
            const Board before = parse(walk.picture);
            Board board = before;
            SequenceRandom random(seed);
            const auto path = searchPath(board, walk.source, walk.target, random);
            ASSERT_EQ(path.has_value(), walk.reachable);
            if (path) {
                EXPECT_TRUE(validPath(before, walk.source, walk.target, *path));
            }
            ochistka(board);
            EXPECT_EQ(board, before);
        }
    }
}

TEST(PathSearch, FollowsAWindingCorridorCellByCell) {
    const Board before = parse(
        "1....3333"
        "3333.3333"
        "3....3333"
        "3.3333333"
        "3......33"
        "333333.33"
        "33.....33"
        "33.333333"
        "33.......");
    const std::vector<int> corridor = {2,  3,  4,  5,  14, 23, 22, 21, 20, 29, 38, 39, 40, 41,
                                       42, 43, 52, 61, 60, 59, 58, 57, 66, 75, 76, 77, 78};
    for (const double r : {0.0, 0.3, 0.6, 0.9}) {
        Board board = before;
        ScriptedRandom random({r, 0.55, 0.1, 0.8});
        const auto path = searchPath(board, 1, 78, random);
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(*path, corridor) << "r " << r;
    }
}

// With every cell but the four neighbours of the source blocked, the order in which the
// neighbours are entered shows the drawn start angle and the turn of the directions: 0° is
// down, 90° right, 180° up, 270° left.
TEST(PathSearch, TriesTheFourDirectionsInTurnFromTheDrawnAngle) {
    const char* picture =
        "111111111"
        "111111111"
        "111111111"
        "1111.1111"
        "111.2.111"
        "1111.1111"
        "111111111"
        "111111111"
        "111111111";
    constexpr int kSource = 41;
    constexpr int kDown = 50;
    constexpr int kRight = 42;
    constexpr int kUp = 32;
    constexpr int kLeft = 40;
    struct Case {
        double r;
        int target;
        std::set<int> entered;
    };
    const Case cases[] = {
        {0.0, kDown, {kDown}},
        {0.0, kRight, {kDown, kRight}},
        {0.0, kLeft, {kDown, kRight, kUp, kLeft}},
        {0.25, kRight, {kRight}},
        {0.25, kDown, {kRight, kUp, kLeft, kDown}},
        {0.5, kLeft, {kUp, kLeft}},
        {0.5, kRight, {kUp, kLeft, kDown, kRight}},
        {0.75, kLeft, {kLeft}},
        {0.75, kUp, {kLeft, kDown, kRight, kUp}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("r " + std::to_string(c.r) + ", target " + std::to_string(c.target));
        Board board = parse(picture);
        ScriptedRandom random({c.r});
        const auto path = searchPath(board, kSource, c.target, random);
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(*path, std::vector<int>{c.target});
        std::set<int> entered;
        for (int n = 1; n <= kCells; ++n) {
            if (board.cell(n) == kVisited) {
                entered.insert(n);
            }
        }
        EXPECT_EQ(entered, c.entered);
    }
}

// One start angle is drawn, after a reseed, for the source and for every cell entered; so
// the draws tell how many cells were entered, and the marks how many different ones.
TEST(PathSearch, EntersNoCellTwiceAndLeavesItsMarksUntilOchistka) {
    std::mt19937 boards(7);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Board before;
        for (int n = 1; n <= kCells; ++n) {
            if (boards() % 100 < 25) {
                before.setCell(n, static_cast<std::int16_t>(boards() % kColours + 1));
            }
        }
        before.setCell(1, 4);
        before.setCell(81, 0);
        Board board = before;
        ScriptedRandom random({0.1, 0.9, 0.4, 0.6, 0.3, 0.7, 0.2});
        (void)searchPath(board, 1, 81, random);
        EXPECT_EQ(random.draws, 1 + marked(board));
        EXPECT_EQ(random.reseeds, random.draws);
        for (int n = 1; n <= kCells; ++n) {
            if (board.cell(n) != kVisited) {
                EXPECT_EQ(board.cell(n), before.cell(n)) << "cell " << n;
            }
        }
        ochistka(board);
        EXPECT_EQ(board, before);
    }
}

// Breadth-first reference: is there any path at all?
bool reachable(const Board& board, int source, int target) {
    std::vector<bool> seen(kCells + 1, false);
    std::deque<int> queue{source};
    seen[static_cast<std::size_t>(source)] = true;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        if (cell == target) {
            return true;
        }
        const int row = cellRow(cell);
        const int column = cellColumn(cell);
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            const int r = row + step[0];
            const int c = column + step[1];
            if (!onBoard(r, c)) {
                continue;
            }
            const int next = cellNumber(r, c);
            if (!seen[static_cast<std::size_t>(next)] && board.cell(next) == 0) {
                seen[static_cast<std::size_t>(next)] = true;
                queue.push_back(next);
            }
        }
    }
    return false;
}

// Recursive reference of the same walk: the same draws, the same order of directions.
bool referenceWalk(Board& board, int cell, int target, Random& random, std::vector<int>& path) {
    random.reseed();
    const int start = random.below(4);
    // Quarter turns from 0°: down, right, up, left.
    const int steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    if (cell == target) {
        return true;
    }
    for (int turn = 0; turn < 4; ++turn) {
        const auto& step = steps[(start + turn) % 4];
        const int r = cellRow(cell) + step[0];
        const int c = cellColumn(cell) + step[1];
        if (!onBoard(r, c) || board.at(r, c) != 0) {
            continue;
        }
        board.set(r, c, kVisited);
        path.push_back(cellNumber(r, c));
        if (referenceWalk(board, cellNumber(r, c), target, random, path)) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

std::uint64_t baseSeed() {
    if (const char* fixed = std::getenv("LINES_TEST_SEED")) {
        return std::strtoull(fixed, nullptr, 10);
    }
    return std::random_device{}();
}

TEST(PathSearch, AgreesWithBreadthFirstAndWithARecursiveWalkOnRandomBoards) {
    const std::uint64_t base = baseSeed();
    for (std::uint64_t i = 0; i < 3000; ++i) {
        const std::uint64_t seed = base + i;
        std::mt19937_64 gen(seed);
        Board before;
        const int density = static_cast<int>(gen() % 70);
        for (int n = 1; n <= kCells; ++n) {
            if (static_cast<int>(gen() % 100) < density) {
                before.setCell(n, static_cast<std::int16_t>(gen() % kColours + 1));
            }
        }
        const int source = static_cast<int>(gen() % kCells) + 1;
        int target = static_cast<int>(gen() % kCells) + 1;
        if (target == source) {
            target = target % kCells + 1;
        }
        before.setCell(source, 5);
        before.setCell(target, 0);

        Board board = before;
        SequenceRandom random(seed);
        const auto path = searchPath(board, source, target, random);
        const bool expected = reachable(before, source, target);
        ASSERT_EQ(path.has_value(), expected)
            << "seed " << seed << " (rerun with LINES_TEST_SEED=" << seed << "), from " << source
            << " to " << target << "\n"
            << before.picture();
        Board referenceBoard = before;
        SequenceRandom referenceRandom(seed);
        std::vector<int> referencePath;
        const bool found =
            referenceWalk(referenceBoard, source, target, referenceRandom, referencePath);
        ASSERT_EQ(found, expected) << "seed " << seed;
        if (path) {
            ASSERT_TRUE(validPath(before, source, target, *path)) << "seed " << seed;
            ASSERT_EQ(*path, referencePath) << "seed " << seed << "\n" << before.picture();
        }
        ASSERT_EQ(board, referenceBoard) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tro::lines
