#pragma once
// Test helpers: the shortest way through a maze over the pixels a player may cross, and the
// box pixel at the centre of a maze pixel, so tests can walk the pointer from start to finish.

#include <array>
#include <deque>
#include <stdexcept>
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
    constexpr int n = kMazeWidth * kMazeHeight;
    std::vector<int> from(n, -2);
    std::deque<int> queue;
    for (int i = 0; i < n; ++i) {
        if (picture.at(i % kMazeWidth, i / kMazeWidth) == Colour::Yellow) {
            from[static_cast<std::size_t>(i)] = -1;
            queue.push_back(i);
        }
    }
    while (!queue.empty()) {
        const int i = queue.front();
        queue.pop_front();
        const int x = i % kMazeWidth;
        const int y = i / kMazeWidth;
        if (picture.at(x, y) == Colour::Red) {
            std::vector<MazePixel> way;
            for (int k = i; k >= 0; k = from[static_cast<std::size_t>(k)]) {
                way.insert(way.begin(), {k % kMazeWidth, k / kMazeWidth});
            }
            return way;
        }
        const std::array<std::array<int, 2>, 4> steps = {{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
        for (const auto& [dx, dy] : steps) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= kMazeWidth || ny >= kMazeHeight) {
                continue;
            }
            const int k = ny * kMazeWidth + nx;
            const Colour c = picture.at(nx, ny);
            if (from[static_cast<std::size_t>(k)] == -2 &&
                (c == Colour::White || c == Colour::Red)) {
                from[static_cast<std::size_t>(k)] = i;
                queue.push_back(k);
            }
        }
    }
    return {};
}

// The box pixel in the middle of the box pixels that show a maze pixel.
inline BoxPoint boxCentre(MazePixel p) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < kBoxWidth; ++x) {
        if (mazeColumnOf(x) == p.x) {
            last = x;
            first = first < 0 ? x : first;
        }
    }
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < kBoxHeight; ++y) {
        if (mazeRowOf(y) == p.y) {
            bottom = y;
            top = top < 0 ? y : top;
        }
    }
    if (first < 0 || top < 0) {
        throw std::out_of_range("maze pixel");
    }
    return {(first + last) / 2, (top + bottom) / 2};
}

}  // namespace korvat::testing
