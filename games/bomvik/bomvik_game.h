#pragma once
// The mine field: the rules of one round, with no window in sight. The window forwards the
// mouse of the field and of the face button, and the ticks of its timer with the moment and
// whether it is minimised; it draws what `tile`, `face` and the counters say.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "random.h"

namespace tro::bomvik {

struct Variant {
    int columns = 0;
    int rows = 0;
    int mines = 0;
    std::string_view caption;
};

inline constexpr std::array<Variant, 3> kVariants{{
    {9, 9, 10, "Сапер - новичок"},
    {16, 16, 40, "Сапер - любитель"},
    {30, 16, 99, "Сапер - профессионал"},
}};

// Variants are numbered from 1; a number out of range gives the first.
[[nodiscard]] const Variant& variantOf(int number);

// A cell by (column, row), both from 1; (0, 0) is no cell.
struct Cell {
    int column = 0;
    int row = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};
inline constexpr Cell kNoCell{};

// `polevalue` ("the field's value") of a cell that holds a mine; other cells hold the count
// of mines around them.
inline constexpr int kMine = 10;

// `polestate`: the field's state of a cell.
enum class CellState : std::uint8_t { Closed = 0, Opened = 1, Flagged = 2 };

// What a cell looks like, by the design's picture names.
enum class TileKind : std::uint8_t {
    KLETKA,  // "cell": closed
    CHISLO,  // "number": opened, with its number (0 for an empty or a pressed cell)
    FLAG,
    BOMBA,  // "bomb": a mine shown after a loss
    HANA,   // "the end": the mine that was hit
};
struct Tile {
    TileKind kind = TileKind::KLETKA;
    int number = 0;
    friend bool operator==(const Tile&, const Tile&) = default;
};

// The faces of the face button, by the design's picture names.
enum class Face : std::uint8_t {
    VESEL,   // "cheerful": the round goes on
    PRESS,   // the button itself held down
    STRAH,   // "fear": a cell is held down
    GORE,    // "grief": a mine was opened
    POBEDA,  // "victory": every safe cell is open
};

enum class Button : std::uint8_t { Left = 1, Right = 2 };

enum class Phase : std::uint8_t {
    Empty,     // before the first new game
    Playing,   // the clock is still until the first opening
    Lost,      // a mine was opened; only a new game or closing acts
    Won,       // every safe cell is open
    TimeOver,  // the clock passed its limit: the round ends without a result
};

// What a player action or a tick brought about.
enum class Outcome : std::uint8_t { None, Lost, Won, TimeOver };

// What a tick of the clock changed.
struct TickOutcome {
    bool secondsChanged = false;      // the seconds counter moved on
    Outcome outcome = Outcome::None;  // TimeOver when it passed its limit
};

class BomvikGame {
  public:
    // The clock counts at most this many seconds; one more ends the round without a result.
    static constexpr int kSecondsLimit = 1000;

    BomvikGame(int columns, int rows, int mines, Random& random);
    BomvikGame(const Variant& variant, Random& random)
        : BomvikGame(variant.columns, variant.rows, variant.mines, random) {}

    // Lays out a new field: every cell closed, the mines drawn one by one. `betweenDraws`
    // runs before each draw (the window lets pending events through there); while the mines
    // are being laid, field input, the face button and ticks are refused.
    void newgame(const std::function<void()>& betweenDraws = {});

    // The field's mouse. Positions outside the field come as cells outside 1..columns,
    // 1..rows.
    void press(Button button, Cell cell);
    void move(Cell cell, bool leftHeld, bool rightHeld);
    Outcome release(Button button, Cell cell);

    // The face button: a release inside it starts a new game.
    void pressFace();
    void moveFace(bool inside);
    void releaseFace(bool inside, const std::function<void()>& betweenDraws = {});

    // The window's timer at `nowMs` (monotonic milliseconds). The counter counts the changes of
    // the clock's second it sees, one at most a tick: while the window is minimised nothing is
    // counted, and after it one second follows whatever time passed.
    TickOutcome tick(std::int64_t nowMs, bool minimised);

    // The rules' own steps, open to tests. `openpole` ("open the field") opens a cell;
    // `opennull` ("open the nought") opens the empty area around an empty cell and its border.
    Outcome openpole(Cell cell);
    Outcome opennull(Cell cell);
    // A two-button release on `centre`.
    Outcome chord(Cell centre);
    // The right button on a cell: closed to flagged and back.
    void toggleFlag(Cell cell);

    [[nodiscard]] int columns() const { return columns_; }
    [[nodiscard]] int rows() const { return rows_; }
    [[nodiscard]] int mines() const { return mines_; }
    [[nodiscard]] bool inField(Cell cell) const {
        return cell.column >= 1 && cell.column <= columns_ && cell.row >= 1 && cell.row <= rows_;
    }
    [[nodiscard]] int polevalue(Cell cell) const { return value_[index(cell)]; }
    [[nodiscard]] CellState polestate(Cell cell) const { return state_[index(cell)]; }
    [[nodiscard]] Tile tile(Cell cell) const;
    [[nodiscard]] Face face() const;

    [[nodiscard]] Phase phase() const { return phase_; }
    [[nodiscard]] bool placing() const { return placing_; }
    [[nodiscard]] bool fieldEnabled() const { return phase_ == Phase::Playing && !placing_; }
    [[nodiscard]] int minesLeft() const { return minesLeft_; }
    [[nodiscard]] int openedCount() const { return opened_; }
    // -1 before the clock's first tick.
    [[nodiscard]] int elapsedSeconds() const { return seconds_; }
    // What the seconds counter shows, and the result of a won round.
    [[nodiscard]] int shownSeconds() const { return seconds_ > 0 ? seconds_ : 0; }
    [[nodiscard]] bool clockRunning() const { return clockRunning_; }
    [[nodiscard]] Cell hitMine() const { return hit_; }

  private:
    [[nodiscard]] std::size_t index(Cell cell) const {
        return static_cast<std::size_t>((cell.row - 1) * columns_ + (cell.column - 1));
    }
    // Calls `visit` for each cell of the 3 x 3 block around `centre` that lies in the field,
    // by column and within a column by row.
    template <typename Visit>
    void forBlock(Cell centre, Visit visit) const;
    void layMine(Cell cell);
    // One more opened cell; true when that was the last safe cell.
    bool countOpened();
    void lose(Cell cell);
    [[nodiscard]] bool looksPressed(Cell cell) const;

    int columns_;
    int rows_;
    int mines_;
    Random& random_;

    std::vector<std::uint8_t> value_;
    std::vector<CellState> state_;
    Phase phase_ = Phase::Empty;
    bool placing_ = false;
    int minesLeft_ = 0;
    int opened_ = 0;
    int seconds_ = -1;
    // The clock's second (nowMs / 1000) of the last tick that counted.
    std::optional<std::int64_t> lastSecond_;
    bool clockRunning_ = false;
    Cell hit_ = kNoCell;

    // The field's mouse.
    int firstButton_ = 0;
    unsigned held_ = 0;
    bool chordReleased_ = false;
    bool scared_ = false;
    Cell pressed_ = kNoCell;
    Cell chordCentre_ = kNoCell;

    // The face button.
    bool facePressed_ = false;
    bool faceInside_ = false;
    Face notedFace_ = Face::VESEL;
};

}  // namespace tro::bomvik
