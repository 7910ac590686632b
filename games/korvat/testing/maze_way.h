#pragma once
// Test helper: the shortest way through a maze, so tests can walk the pointer from the start
// field to the finish field.

#include <deque>
#include <vector>

#include "maze.h"

namespace tro::korvat::testing {

// The shortest way through maze 1..5 from a start pixel to a finish pixel over white pixels,
// each a step up, down, left or right from the one before, as the box pixels in the middle of
// its maze pixels; empty when there is none.
inline std::vector<BoxPoint> boxWay(int maze) {
    const MazePicture& picture = mazePicture(maze);
    constexpr int w = kMazeWidth;
    constexpr int n = w * kMazeHeight;
    const auto colour = [&](int i) { return picture.at(i % w, i / w); };
    std::vector<int> from(n, -2);  // where a pixel was reached from; -1 a start, -2 not yet
    std::deque<int> queue;
    const auto reach = [&](int k, int before) {
        from[k] = before;
        queue.push_back(k);
    };
    for (int i = 0; i < n; ++i)
        if (colour(i) == Colour::Yellow)
            reach(i, -1);
    for (; !queue.empty() && colour(queue.front()) != Colour::Red; queue.pop_front())
        for (const int i = queue.front(); const int k : {i - 1, i + 1, i - w, i + w})
            if (k >= 0 && k < n && from[k] == -2 &&
                (colour(k) == Colour::White || colour(k) == Colour::Red))
                reach(k, i);
    std::vector<BoxPoint> way;
    for (int k = queue.empty() ? -1 : queue.front(); k >= 0; k = from[k])
        way.insert(way.begin(), {(firstBoxColumn(k % w) + firstBoxColumn(k % w + 1) - 1) / 2,
                                 (firstBoxRow(k / w) + firstBoxRow(k / w + 1) - 1) / 2});
    return way;
}

}  // namespace tro::korvat::testing
