#pragma once
// Test helpers: the shortest way through a maze over the pixels a player may cross, and the
// box pixel at the centre of a maze pixel, so tests can walk the pointer from start to finish.

#include <algorithm>
#include <deque>
#include <ranges>
#include <vector>

#include "maze.h"

namespace korvat::testing {

struct MazePixel {
    int x = 0;
    int y = 0;
};

// The maze pixels of the shortest way from a start pixel to a finish pixel, both included,
// each a step up, down, left or right from the one before; empty when there is none. It
// crosses only white pixels between the two fields.
inline std::vector<MazePixel> shortestWay(const MazePicture& picture) {
    constexpr int w = kMazeWidth;
    const auto colour = [&](int i) { return picture.at(i % w, i / w); };
    constexpr int n = w * kMazeHeight;
    std::vector<int> from(n, -2);  // where a pixel was reached from; -1 the start, -2 not yet
    std::deque<int> queue;
    const auto reach = [&](int k, int before) {
        from[k] = before;
        queue.push_back(k);
    };
    for (int i = 0; i < n; ++i)
        if (colour(i) == Colour::Yellow)
            reach(i, -1);
    for (; !queue.empty(); queue.pop_front()) {
        const int i = queue.front();
        if (colour(i) == Colour::Red) {
            std::vector<MazePixel> way;
            for (int k = i; k >= 0; k = from[k])
                way.insert(way.begin(), {k % w, k / w});
            return way;
        }
        for (const int k : {i - 1, i + 1, i - w, i + w})
            if (k >= 0 && k < n && from[k] == -2 &&
                (colour(k) == Colour::White || colour(k) == Colour::Red))
                reach(k, i);
    }
    return {};
}

// The box pixel in the middle of the box pixels that show a maze pixel.
inline BoxPoint boxCentre(MazePixel p) {
    const auto middle = [](int m, int size, int (*of)(int)) {
        const auto all = std::views::iota(0, size + 1);
        const int first = *std::ranges::lower_bound(all, m, {}, of);
        return (first + *std::ranges::upper_bound(all, m, {}, of) - 1) / 2;
    };
    return {middle(p.x, kBoxWidth, mazeColumnOf), middle(p.y, kBoxHeight, mazeRowOf)};
}

// The shortest way through maze 1..5 as box points, from the start field to the finish field.
inline std::vector<BoxPoint> boxWay(int maze) {
    std::vector<BoxPoint> way;
    for (const MazePixel& p : shortestWay(mazePicture(maze)))
        way.push_back(boxCentre(p));
    return way;
}

}  // namespace korvat::testing
