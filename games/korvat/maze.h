#pragma once
// The five mazes: pictures of 66 x 44 pixels in four colours, kept as text pictures (one
// character a pixel) and built into the program. The maze box shows the current maze
// stretched to 535 x 359 pixels, with the trail and record-line dots over it, and answers
// the hit test and the segment test by exact colour.

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tro::korvat {

inline constexpr int kMazeCount = 5;
inline constexpr int kMazeWidth = 66;
inline constexpr int kMazeHeight = 44;
inline constexpr int kBoxWidth = 535;
inline constexpr int kBoxHeight = 359;

// White is the corridor, black the wall, yellow the start field, red the finish field; teal
// and navy are the trail and record-line dots, which never belong to a maze.
enum class Colour : std::uint8_t { White, Black, Yellow, Red, Teal, Navy };

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The exact pixel value of each colour, in the order of Colour.
inline constexpr std::array<Rgb, 6> kColourValues{
    {{255, 255, 255}, {0, 0, 0}, {255, 255, 0}, {255, 0, 0}, {0, 128, 128}, {0, 0, 128}}};

[[nodiscard]] constexpr Rgb rgbOf(Colour colour) {
    return kColourValues[static_cast<std::size_t>(colour)];
}

// The colour of an exact pixel value; anything that is not one of the six is empty.
[[nodiscard]] std::optional<Colour> colourOf(Rgb rgb);

// Pixels x left..right, y top..bottom, both ends included.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] constexpr bool contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

struct MazeFields {
    PixelRect start;   // yellow
    PixelRect finish;  // red
};

// The start and finish fields of the mazes 1..5 (index maze - 1).
inline constexpr std::array<MazeFields, kMazeCount> kMazeFields = {{
    {{56, 1, 64, 9}, {1, 1, 7, 7}},
    {{32, 19, 36, 22}, {54, 7, 59, 12}},
    {{1, 1, 3, 3}, {50, 35, 57, 42}},
    {{22, 40, 24, 42}, {1, 1, 3, 3}},
    {{1, 1, 2, 3}, {5, 36, 7, 39}},
}};

// Characters of the text pictures, in the order of Colour: corridor (white), wall (black),
// start (yellow), finish (red).
inline constexpr std::string_view kPictureChars = ".#YR";
inline constexpr char kCorridorChar = kPictureChars[0];
inline constexpr char kStartChar = kPictureChars[2];
inline constexpr char kFinishChar = kPictureChars[3];

class MazePicture {
  public:
    // Reads a text picture: 44 lines of 66 characters from "#.YR" (a CR before a line end
    // and a last line end are allowed). Empty, with a message in `error`, when it is not one.
    [[nodiscard]] static std::optional<MazePicture> parse(std::string_view text,
                                                          std::string* error = nullptr);

    [[nodiscard]] Colour at(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y * kMazeWidth + x)];
    }

  private:
    MazePicture() = default;
    std::array<Colour, kMazeWidth * kMazeHeight> pixels_{};
};

// The text picture of maze 1..5 as built into the program.
[[nodiscard]] std::string_view mazeText(int maze);
// The picture of maze 1..5 (read once).
[[nodiscard]] const MazePicture& mazePicture(int maze);

// The maze pixel that a box pixel shows when the maze is stretched without smoothing: the
// one under the box pixel's centre; along one axis of `box` box pixels and `maze` maze pixels.
[[nodiscard]] constexpr int mazeLineOf(int boxLine, int box, int maze) {
    return ((2 * boxLine + 1) * maze) / (2 * box);
}
[[nodiscard]] constexpr int mazeColumnOf(int boxX) {
    return mazeLineOf(boxX, kBoxWidth, kMazeWidth);
}
[[nodiscard]] constexpr int mazeRowOf(int boxY) {
    return mazeLineOf(boxY, kBoxHeight, kMazeHeight);
}

// The first box line that shows maze line 0..maze (maze gives box) along one axis: maze line
// m shows in box lines firstBoxLine(m) up to, not with, firstBoxLine(m + 1).
[[nodiscard]] constexpr int firstBoxLine(int mazeLine, int box, int maze) {
    int at = mazeLine * box / maze;
    while (at > 0 && mazeLineOf(at - 1, box, maze) >= mazeLine) {
        --at;
    }
    while (at < box && mazeLineOf(at, box, maze) < mazeLine) {
        ++at;
    }
    return at;
}
[[nodiscard]] constexpr int firstBoxColumn(int mazeX) {
    return firstBoxLine(mazeX, kBoxWidth, kMazeWidth);
}
[[nodiscard]] constexpr int firstBoxRow(int mazeY) {
    return firstBoxLine(mazeY, kBoxHeight, kMazeHeight);
}

struct BoxPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const BoxPoint&, const BoxPoint&) = default;
};

// Whether the straight way between two pointer positions meets a pixel for which `hit` holds.
// Every column from the first position to the second is tested at the height of the line
// there, and then every row at the line's column, so a move that skips pixels is checked
// along its whole length and a steep or flat jump over a wall one pixel thick is caught.
template <class Hit>
[[nodiscard]] bool segmentMeets(BoxPoint from, BoxPoint to, Hit hit) {
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const auto nearest = [](double v) { return static_cast<int>(std::lround(v)); };
    if (dx != 0) {
        const int step = dx > 0 ? 1 : -1;
        for (int x = from.x;; x += step) {
            if (hit(BoxPoint{x, nearest(from.y + static_cast<double>(x - from.x) * dy / dx)})) {
                return true;
            }
            if (x == to.x) {
                break;
            }
        }
    }
    if (dy != 0) {
        const int step = dy > 0 ? 1 : -1;
        for (int y = from.y;; y += step) {
            if (hit(BoxPoint{nearest(from.x + static_cast<double>(y - from.y) * dx / dy), y})) {
                return true;
            }
            if (y == to.y) {
                break;
            }
        }
    }
    return false;
}

struct Dot {
    BoxPoint at;
    Colour colour = Colour::Teal;
};

// The maze box holds the maze at its own size and tells each box pixel from it; it is held
// pixel by pixel only once a dot is set.
class MazeBox {
  public:
    // Draws a maze stretched over the whole box; every dot vanishes. Before that the box is
    // white.
    void draw(const MazePicture& picture);
    // Drops the dots and leaves the maze.
    void clearDots();
    // Sets one dot; outside the box, or where the same colour shows already, nothing happens.
    void setDot(BoxPoint at, Colour colour);

    // What the box shows at a pixel; outside the box it is white (neither start, finish nor
    // wall).
    [[nodiscard]] Colour at(BoxPoint p) const;
    // The stretched maze alone, without dots.
    [[nodiscard]] Colour mazeAt(BoxPoint p) const;

    // Whether the way from one pointer position to the next crosses a wall (segmentMeets);
    // positions outside the box count as corridor.
    [[nodiscard]] bool segmentTouchesWall(BoxPoint from, BoxPoint to) const;

    [[nodiscard]] const std::vector<Dot>& dots() const { return dots_; }
    // Changes whenever the dots are dropped, so a view knows to start over.
    [[nodiscard]] int dotGeneration() const { return dotGeneration_; }

  private:
    [[nodiscard]] static bool inside(BoxPoint p) {
        return p.x >= 0 && p.y >= 0 && p.x < kBoxWidth && p.y < kBoxHeight;
    }
    [[nodiscard]] static std::size_t index(BoxPoint p) {
        return static_cast<std::size_t>(p.y) * kBoxWidth + static_cast<std::size_t>(p.x);
    }
    [[nodiscard]] bool wallAt(BoxPoint p) const { return at(p) == Colour::Black; }

    std::optional<MazePicture> picture_;
    std::vector<Colour> shown_;  // the maze and the dots; empty while there are no dots
    std::vector<Dot> dots_;
    int dotGeneration_ = 0;
};

}  // namespace tro::korvat
