#include "maze.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "testing/maze_way.h"

namespace korvat {
namespace {

// Steps of the shortest way from the start field to the finish field, -1 when there is none.
int shortestWay(const MazePicture& picture) {
    return static_cast<int>(testing::shortestWay(picture).size()) - 1;
}

TEST(Mazes, EveryMazeHasTheFrameAndExactlyItsStartAndFinishFields) {
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        SCOPED_TRACE("maze " + std::to_string(maze));
        std::string error;
        const auto picture = MazePicture::parse(mazeText(maze), &error);
        ASSERT_TRUE(picture.has_value()) << error;
        const MazeFields& fields = kMazeFields[static_cast<std::size_t>(maze - 1)];
        for (int y = 0; y < kMazeHeight; ++y) {
            for (int x = 0; x < kMazeWidth; ++x) {
                const Colour c = picture->at(x, y);
                const bool edge = x == 0 || y == 0 || x == kMazeWidth - 1 || y == kMazeHeight - 1;
                if (edge) {
                    EXPECT_EQ(c, Colour::Black) << "frame at " << x << "," << y;
                } else if (fields.start.contains(x, y)) {
                    EXPECT_EQ(c, Colour::Yellow) << x << "," << y;
                } else if (fields.finish.contains(x, y)) {
                    EXPECT_EQ(c, Colour::Red) << x << "," << y;
                } else {
                    EXPECT_TRUE(c == Colour::White || c == Colour::Black) << x << "," << y;
                }
            }
        }
    }
}

TEST(Mazes, EveryMazeLeadsFromStartToFinishThroughWhite) {
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        EXPECT_GT(shortestWay(mazePicture(maze)), 0) << "maze " << maze;
    }
}

TEST(Mazes, TheWayGrowsLongerFromMazeToMaze) {
    int previous = 0;
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        const int way = shortestWay(mazePicture(maze));
        EXPECT_GT(way, previous) << "maze " << maze;
        previous = way;
    }
}

// Two walls that meet only at a corner leave a gap the pointer can slip through diagonally
// without the segment test seeing a wall.
TEST(Mazes, NoWallsMeetOnlyAtACorner) {
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        const MazePicture& p = mazePicture(maze);
        for (int y = 0; y + 1 < kMazeHeight; ++y) {
            for (int x = 0; x + 1 < kMazeWidth; ++x) {
                const bool a = p.at(x, y) == Colour::Black;
                const bool b = p.at(x + 1, y) == Colour::Black;
                const bool c = p.at(x, y + 1) == Colour::Black;
                const bool d = p.at(x + 1, y + 1) == Colour::Black;
                EXPECT_FALSE((a && d && !b && !c) || (b && c && !a && !d))
                    << "maze " << maze << " at " << x << "," << y;
            }
        }
    }
}

TEST(Mazes, TheStretchedMazeKeepsItsFourColoursAndItsWay) {
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        SCOPED_TRACE("maze " + std::to_string(maze));
        MazeBox box;
        box.draw(mazePicture(maze));
        std::map<Colour, int> count;
        for (int y = 0; y < kBoxHeight; ++y) {
            for (int x = 0; x < kBoxWidth; ++x) {
                ++count[box.at({x, y})];
            }
        }
        EXPECT_EQ(count.size(), 4u);
        EXPECT_EQ(count.count(Colour::Teal) + count.count(Colour::Navy), 0u);
        // The frame stays closed all round the box.
        for (int x = 0; x < kBoxWidth; ++x) {
            EXPECT_EQ(box.at({x, 0}), Colour::Black);
            EXPECT_EQ(box.at({x, kBoxHeight - 1}), Colour::Black);
        }
        for (int y = 0; y < kBoxHeight; ++y) {
            EXPECT_EQ(box.at({0, y}), Colour::Black);
            EXPECT_EQ(box.at({kBoxWidth - 1, y}), Colour::Black);
        }
    }
}

TEST(Mazes, StretchingGivesEveryMazePixelEightOrNineBoxPixels) {
    std::vector<int> columns(kMazeWidth, 0);
    for (int x = 0; x < kBoxWidth; ++x) {
        ++columns.at(static_cast<std::size_t>(mazeColumnOf(x)));
        if (x > 0) {
            EXPECT_GE(mazeColumnOf(x), mazeColumnOf(x - 1));
        }
    }
    std::vector<int> rows(kMazeHeight, 0);
    for (int y = 0; y < kBoxHeight; ++y) {
        ++rows.at(static_cast<std::size_t>(mazeRowOf(y)));
    }
    for (const int n : columns) {
        EXPECT_TRUE(n == 8 || n == 9) << n;
    }
    for (const int n : rows) {
        EXPECT_TRUE(n == 8 || n == 9) << n;
    }
}

std::string picture(char fill, int lines = kMazeHeight, int width = kMazeWidth) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += std::string(static_cast<std::size_t>(width), fill) + "\n";
    }
    return text;
}

TEST(Mazes, ATextPictureMustBeExactlyFortyFourLinesOfSixtySixPixels) {
    struct Case {
        std::string name;
        std::string text;
        bool good;
    };
    std::string crlf = picture('.');
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2)) {
        crlf.insert(at, "\r");
    }
    std::string foreign = picture('.');
    foreign[70] = 'G';
    std::string zero = picture('#');
    zero[5] = '\0';
    std::string noLastEnd = picture('#');
    noLastEnd.pop_back();
    const std::vector<Case> cases = {
        {"plain", picture('.'), true},
        {"CR LF line ends", crlf, true},
        {"no last line end", noLastEnd, true},
        {"a line short", picture('.', kMazeHeight - 1), false},
        {"a line too many", picture('.', kMazeHeight + 1), false},
        {"lines too narrow", picture('.', kMazeHeight, kMazeWidth - 1), false},
        {"lines too wide", picture('.', kMazeHeight, kMazeWidth + 1), false},
        {"a foreign character", foreign, false},
        {"a zero byte", zero, false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(MazePicture::parse(c.text, &error).has_value(), c.good) << c.name;
        EXPECT_EQ(error.empty(), c.good) << c.name << ": " << error;
    }
}

// A small grid in text: '#' a wall pixel, anything else free.
struct Grid {
    std::vector<std::string> rows;
    bool operator()(BoxPoint p) const {
        if (p.y < 0 || p.y >= static_cast<int>(rows.size()) || p.x < 0 ||
            p.x >= static_cast<int>(rows[static_cast<std::size_t>(p.y)].size())) {
            return false;
        }
        return rows[static_cast<std::size_t>(p.y)][static_cast<std::size_t>(p.x)] == '#';
    }
};

TEST(SegmentTest, FindsEveryWallOnTheWayAndNoneBeside) {
    const Grid verticalWall{{
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "........",
    }};
    const Grid horizontalWall{{
        "........",
        "........",
        "######..",
        "........",
        "........",
        "........",
        "........",
    }};
    struct Case {
        std::string name;
        const Grid& grid;
        BoxPoint from;
        BoxPoint to;
        bool touches;
    };
    const std::vector<Case> cases = {
        {"slow move along the corridor", verticalWall, {1, 0}, {2, 1}, false},
        {"slow move down beside the wall", verticalWall, {2, 0}, {2, 4}, false},
        {"horizontal move into the wall", verticalWall, {0, 2}, {3, 2}, true},
        {"horizontal move stopping short", verticalWall, {0, 2}, {2, 2}, false},
        {"horizontal jump across the wall", verticalWall, {0, 3}, {7, 3}, true},
        {"horizontal jump back across the wall", verticalWall, {7, 3}, {0, 3}, true},
        {"fast diagonal jump across a one-pixel wall", verticalWall, {0, 0}, {6, 4}, true},
        {"flat diagonal jump across it", verticalWall, {0, 4}, {7, 1}, true},
        {"round the end of the wall", verticalWall, {2, 5}, {5, 5}, false},
        {"vertical jump across a wall", horizontalWall, {1, 0}, {1, 6}, true},
        {"vertical move beside its end", horizontalWall, {7, 0}, {7, 6}, false},
        {"steep jump across a one-pixel wall", horizontalWall, {0, 0}, {2, 6}, true},
        {"steep jump back up across it", horizontalWall, {4, 6}, {1, 0}, true},
        {"left the box and came back elsewhere", verticalWall, {-20, 1}, {30, 4}, true},
        {"left the box and came back on the same side", verticalWall, {-20, 1}, {2, 4}, false},
        {"standing still beside the wall", verticalWall, {2, 2}, {2, 2}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(segmentMeets(c.from, c.to, c.grid), c.touches) << c.name;
    }
}

TEST(SegmentTest, AMoveAcrossTheWholeMazeMeetsAWallOnlyWhenItCrossesOne) {
    MazeBox box;
    box.draw(mazePicture(1));
    // From the start field straight to the finish field: walls lie between.
    EXPECT_TRUE(box.segmentTouchesWall({490, 30}, {30, 30}));
    // Inside the start field.
    EXPECT_FALSE(box.segmentTouchesWall({460, 10}, {525, 70}));
    // Out of the box on the right and back in at the left.
    EXPECT_TRUE(box.segmentTouchesWall({520, 40}, {600, 200}));
}

TEST(MazeBox, DotsShowOverTheMazeUntilTheyAreDropped) {
    MazeBox box;
    box.draw(mazePicture(1));
    const BoxPoint corridor{300, 40};
    ASSERT_EQ(box.at(corridor), Colour::White);
    const int generation = box.dotGeneration();
    box.setDot(corridor, Colour::Teal);
    box.setDot(corridor, Colour::Teal);
    box.setDot({-1, 5}, Colour::Navy);
    box.setDot({kBoxWidth, 5}, Colour::Navy);
    EXPECT_EQ(box.at(corridor), Colour::Teal);
    EXPECT_EQ(box.mazeAt(corridor), Colour::White);
    EXPECT_EQ(box.dots().size(), 1u);
    box.clearDots();
    EXPECT_EQ(box.at(corridor), Colour::White);
    EXPECT_TRUE(box.dots().empty());
    EXPECT_NE(box.dotGeneration(), generation);
}

TEST(Colours, ExactValuesOnly) {
    EXPECT_EQ(colourOf({255, 255, 0}), Colour::Yellow);
    EXPECT_EQ(colourOf({255, 0, 0}), Colour::Red);
    EXPECT_EQ(colourOf({0, 0, 0}), Colour::Black);
    EXPECT_EQ(colourOf({0, 128, 128}), Colour::Teal);
    EXPECT_FALSE(colourOf({254, 255, 0}).has_value());
    EXPECT_FALSE(colourOf({1, 0, 0}).has_value());
}

}  // namespace
}  // namespace korvat
