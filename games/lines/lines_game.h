#pragma once
// The rules of Lines: five or more balls of one colour in a row, column or diagonal vanish
// and score; a ball moves only along a free path; every move that clears nothing brings
// three new balls, and the game ends when the board is full (or, in the time game, when
// the ten minutes are over). No Qt here: the window forwards clicks and timer ticks and
// draws what the model shows.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "random.h"

namespace tro::lines {

inline constexpr int kSide = 9;
inline constexpr int kCells = kSide * kSide;
inline constexpr int kColours = 7;
// A cell the running path search has entered; only between the start and the end of one
// search.
inline constexpr std::int16_t kVisited = 100;
inline constexpr int kStartBalls = 5;
inline constexpr int kNextCount = 3;
inline constexpr int kStartSeconds = 600;
inline constexpr int kTimeVariant = 2;

// Timer1: blinking of the chosen ball (two ticks a period) and one cell of a trajectory a
// tick; Timer2: the countdown of the time game.
inline constexpr int kBlinkTickMs = 200;
inline constexpr int kStepTickMs = 50;
inline constexpr int kSecondMs = 1000;

struct Rgb {
    int r, g, b;
};
// Colour code c (1..7) is drawn as kBallColours[c - 1].
inline constexpr std::array<Rgb, kColours> kBallColours{{
    {0, 255, 0},
    {255, 255, 0},
    {255, 0, 0},
    {0, 0, 255},
    {255, 0, 255},
    {128, 64, 0},
    {0, 255, 255},
}};

// Cells are numbered 1..81 row by row from the top left.
[[nodiscard]] constexpr int cellNumber(int row, int column) {
    return kSide * (row - 1) + column;
}
[[nodiscard]] constexpr int cellRow(int n) {
    return (n - 1) / kSide + 1;
}
[[nodiscard]] constexpr int cellColumn(int n) {
    return n - kSide * (cellRow(n) - 1);
}
[[nodiscard]] constexpr bool onBoard(int row, int column) {
    return row >= 1 && row <= kSide && column >= 1 && column <= kSide;
}

class Board {
  public:
    [[nodiscard]] std::int16_t at(int row, int column) const {
        return cells_[cellNumber(row, column) - 1];
    }
    void set(int row, int column, std::int16_t value) {
        cells_[cellNumber(row, column) - 1] = value;
    }
    [[nodiscard]] std::int16_t cell(int n) const { return cells_[n - 1]; }
    void setCell(int n, std::int16_t value) { cells_[n - 1] = value; }

    // Cells that are not 0.
    [[nodiscard]] int occupied() const;
    void clear() { cells_.fill(0); }

    // A board as nine rows of nine characters: "." empty, "1".."7" a ball, "*" a cell the
    // path search has entered. Blanks and line breaks are skipped. Empty optional when the
    // text does not hold exactly 81 such characters.
    [[nodiscard]] static std::optional<Board> fromPicture(std::string_view picture);
    [[nodiscard]] std::string picture() const;

    friend bool operator==(const Board&, const Board&) = default;

  private:
    std::array<std::int16_t, kCells> cells_{};
};

// Randomised depth-first walk from the ball at `source` to the empty cell `target`. Every
// depth draws its own start angle (reseeding before each draw) and tries the four
// directions in turn from it; entered cells are marked kVisited and stay marked until
// ochistka. Returns the walk's branch: the cells entered, the target last; empty optional
// when every reachable cell is spent.
[[nodiscard]] std::optional<std::vector<int>> searchPath(Board& board, int source, int target,
                                                         Random& random);
// Sets every cell the path search marked back to empty.
void ochistka(Board& board);

// Entries of three characters: a blank, then the last two characters of the cell number
// written with a leading blank ("  7", " 42").
[[nodiscard]] std::string pathEntry(int cell);
[[nodiscard]] std::string makePathText(int source, const std::vector<int>& path);
// The cell of the entry that begins at the 1-based character position `pos`.
[[nodiscard]] int pathTextCell(std::string_view pathtext, int pos);

// Points of a line crossing of `total` balls (the moved ball counted once per line).
[[nodiscard]] constexpr int linePoints(int total) {
    return 10 + 2 * (total - 5) * (total - 5);
}

// Finds the lines of five or more through the ball at row `X`, column `Y` in the four axes,
// empties their cells (adding each to `svob` and, when given, to `cleared`) and returns their
// points; 0 and nothing touched when there is no such line.
// `X`, `Y`: the row and the column of a cell (1..9), not x and y on the screen.
// `svob`: the count of the board's free cells.
int opredline(Board& board, int X, int Y, int& svob, std::vector<int>* cleared = nullptr);

enum class GameEnd { None, BoardFull, TimeUp };

// What a tick of the countdown changed.
enum class TickOutcome { Nothing, Counted, TimeUp };

class LinesGame {
  public:
    // `mode` is the variant: 1 the points game, 2 the ten-minute game.
    LinesGame(int mode, Random& random);

    // Empties the board, places five balls and draws the three next ones. A running
    // trajectory stops. The first game starts the countdown's clock at `nowMs`; a later one
    // sets the countdown back to 600, and it goes on at the pace of that clock.
    void newGame(std::int64_t nowMs);
    // A mouse-down on board cell n (1..81).
    void clickCell(int n);
    // Timer1: a step of a running trajectory, else the blink of the chosen ball. It counts
    // the timer's beats by design: the blink's phase and the ball's pace are those beats (the
    // window sets the beat from timer1IntervalMs()), so it takes no moment.
    void timer1Tick();
    // Timer2 at `nowMs`: every whole second of the countdown's clock not yet counted takes
    // one second off the countdown.
    TickOutcome tick(std::int64_t nowMs);
    void setTrajectory(bool on) { trajectory_ = on; }

    // Places the three next balls at random empty cells, drawing new ones; ends the game
    // when the board is full.
    void dobavshar();
    // opredline on the game's board: clears the pictures of the emptied cells and adds the
    // points to the score.
    int opredline(int X, int Y, int& svob);

    [[nodiscard]] const Board& board() const { return board_; }
    // The colour picture a cell shows, 0 for none. Differs from the board while the chosen
    // ball blinks and while a ball runs along its trajectory.
    [[nodiscard]] int shown(int n) const { return shown_[n - 1]; }
    [[nodiscard]] const std::array<int, kNextCount>& nextballs() const { return nextballs_; }
    [[nodiscard]] int score() const { return score_; }
    [[nodiscard]] int selcell() const { return selcell_; }
    [[nodiscard]] int blinkcell() const { return blinkcell_; }
    [[nodiscard]] int animpos() const { return animpos_; }
    [[nodiscard]] const std::string& pathtext() const { return pathtext_; }
    [[nodiscard]] int remainingSeconds() const { return remaining_; }
    [[nodiscard]] int mode() const { return mode_; }
    [[nodiscard]] bool trajectory() const { return trajectory_; }
    [[nodiscard]] int timer1IntervalMs() const {
        return animpos_ != 0 ? kStepTickMs : kBlinkTickMs;
    }
    [[nodiscard]] bool countdownRuns() const { return mode_ == kTimeVariant; }

    [[nodiscard]] GameEnd end() const { return end_; }
    // What the game hands off once it has ended: the score; in the time game a score of 0
    // becomes -1.
    [[nodiscard]] int result() const;

    // Sets up a position (tests, benchmarks): the board, every picture matching it, no
    // chosen ball, no trajectory.
    void setPosition(const Board& board, const std::array<int, kNextCount>& next, int score = 0);

  private:
    [[nodiscard]] int drawColour();
    void finishMove(int target);
    void moveBall(int source, int target);
    void clearPicture(int n) { shown_[n - 1] = 0; }
    void showBall(int n) { shown_[n - 1] = board_.cell(n); }

    Random& random_;
    int mode_;
    Board board_;
    std::array<int, kCells> shown_{};
    std::array<int, kNextCount> nextballs_{1, 1, 1};
    int score_ = 0;
    int selcell_ = 0;
    int blinkcell_ = 0;
    int animpos_ = 0;
    std::string pathtext_;
    int remaining_ = kStartSeconds;
    std::optional<std::int64_t> clockStartMs_;
    std::int64_t secondsCounted_ = 0;
    bool trajectory_ = false;
    GameEnd end_ = GameEnd::None;
};

}  // namespace tro::lines
