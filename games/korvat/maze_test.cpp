#include "maze.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/maze_way.h"

namespace tro::korvat {
namespace {

// Every maze is a picture with the black frame, exactly the start and finish fields of its
// table entry, white or black elsewhere, no two walls meeting only at a corner (a pointer would
// slip between them unseen), and a way through white pixels that grows from maze to maze.
TEST(Mazes, EveryMazeHasItsFrameFieldsAndAWay) {
    std::size_t previousWay = 0;
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        SCOPED_TRACE("maze " + std::to_string(maze));
        const MazePicture& picture = mazePicture(maze);
        const MazeFields& fields = kMazeFields[static_cast<std::size_t>(maze - 1)];
        const auto black = [&](int x, int y) { return picture.at(x, y) == Colour::Black; };
        for (int y = 0; y < kMazeHeight; ++y) {
            for (int x = 0; x < kMazeWidth; ++x) {
                const Colour c = picture.at(x, y);
                const bool frame = x == 0 || y == 0 || x == kMazeWidth - 1 || y == kMazeHeight - 1;
                EXPECT_EQ(c == Colour::Yellow, !frame && fields.start.contains(x, y))
                    << x << "," << y;
                EXPECT_EQ(c == Colour::Red, !frame && fields.finish.contains(x, y))
                    << x << "," << y;
                EXPECT_TRUE(!frame || c == Colour::Black) << x << "," << y;
                EXPECT_FALSE(x + 1 < kMazeWidth && y + 1 < kMazeHeight &&
                             black(x, y) == black(x + 1, y + 1) &&
                             black(x + 1, y) == black(x, y + 1) && black(x, y) != black(x + 1, y))
                    << "walls meet at a corner at " << x << "," << y;
            }
        }
        const std::size_t way = testing::boxWay(maze).size();
        EXPECT_GT(way, previousWay);
        previousWay = way;
    }
}

TEST(SegmentTest, FindsEveryWallOnTheWayAndNoneBeside) {
    // Seven rows of eight pixels, split by '/'.
    const std::string grid = "...#..../...#..../...#..../...#..../......../....####/........";
    const auto wall = [&](BoxPoint p) {
        return p.y >= 0 && p.y < 7 && p.x >= 0 && p.x < 8 &&
               grid[static_cast<std::size_t>(p.y * 9 + p.x)] == '#';
    };
    const std::vector<std::tuple<const char*, BoxPoint, BoxPoint, bool>> cases = {
        {"slow move along the corridor", {1, 0}, {2, 1}, false},
        {"vertical move beside the wall", {2, 0}, {2, 3}, false},
        {"horizontal move into the wall", {0, 2}, {3, 2}, true},
        {"horizontal move stopping short", {0, 2}, {2, 2}, false},
        {"horizontal jump across the wall", {0, 3}, {7, 3}, true},
        {"fast diagonal jump across a one-pixel wall", {0, 0}, {6, 3}, true},
        {"steep jump across a one-pixel wall", {4, 4}, {5, 6}, true},
        {"vertical jump across a wall", {6, 4}, {6, 6}, true},
        {"round the end of the wall", {2, 4}, {5, 4}, false},
        {"left the box and came back elsewhere", {-20, 1}, {30, 2}, true},
        {"left the box and came back on the same side", {-20, 1}, {2, 2}, false},
        {"standing still beside the wall", {2, 2}, {2, 2}, false}};
    for (const auto& [name, from, to, touches] : cases)
        EXPECT_EQ(segmentMeets(from, to, wall), touches) << name;
}

}  // namespace
}  // namespace tro::korvat
