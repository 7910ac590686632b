#pragma once
// The stop-the-arrow game without any window: an arrow turns clockwise around a dial and the
// player stops it a hundred times, as close to the top as he can.
//
// The arrow follows a monotonic clock: every turn draws a speed in degrees per second, and
// the angle at any moment is where that speed has carried the arrow since the turn began.
// The window passes the clock reading of each frame (`tick`) and of each key press, so a turn
// lasts the drawn seconds however often the screen is redrawn, and a stop takes the angle of
// the moment the key went down.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "numbers.h"
#include "random.h"

namespace tro::vertun {

inline constexpr int kVariantCount = 6;
inline constexpr int kStopsPerGame = 100;

// The dial's side in twips; its centre is at half of it in x and y.
inline constexpr int kDialSide = 3735;
// Angles are counter-clockwise from three o'clock; the top of the dial.
inline constexpr double kTopAngle = 90.0;

// The visible start: the arrow races around for this long, then comes to rest at the top.
inline constexpr std::int64_t kCalibrationMs = 1000;
inline constexpr double kCalibrationDegreesPerSecond = 720.0;
// The rest between a stop and the next turn.
inline constexpr std::int64_t kPauseMs = 125;

struct Variant {
    const char* caption;  // the window caption, UTF-8
    double minTurn;       // seconds per turn, least
    double maxTurn;       // seconds per turn, most
};

// Variant 1 to 6; the first one for anything else.
[[nodiscard]] const Variant& variantInfo(int variant);

// The arrow's length: half the dial less 200 twips, halves rounded to even.
[[nodiscard]] int arrowLength();

// Points of one stop: (101 - wraps) * (90 - |angle - 90|) / 100, never below 0. Each pass of
// three o'clock costs a hundredth, and a stop 90 degrees or more away from the top earns
// nothing, however many times the arrow went round.
[[nodiscard]] double stopPoints(int wraps, double angle);

// A number as the labels show it: rounded to two decimals (halves to even), without trailing
// zeros ("90", "89.1", "0.35").
[[nodiscard]] std::string formatPoints(double value);
// The running total as the labels show it: cut, not rounded, to two decimals, so that it never
// shows more whole points than are handed off ("8927.99" for 8927.996).
[[nodiscard]] std::string formatTotal(double total);

enum class Phase {
    Idle,         // the window has not started the game yet
    Calibrating,  // the arrow races around, then rests pointing up
    Waiting,      // any key starts the game
    Pause,        // the short rest before the next turn
    Turning,      // any key stops the arrow
    Ended,        // the hundredth stop was made
};

// What a frame changed.
enum class TickOutcome {
    Still,       // nothing moved
    Moved,       // the arrow turned
    Calibrated,  // the race is over: the arrow rests at the top and a key starts the game
};

enum class KeyOutcome {
    Ignored,  // calibrating, pausing or ended: keys do nothing
    Started,  // the game began; the first turn follows the pause
    Stopped,  // a stop was scored; the next turn follows the pause
    Ended,    // the hundredth stop was scored: the game is over
};

class VertunGame {
  public:
    VertunGame(int variant, Random& random);

    // The game's events, each with the monotonic clock reading in milliseconds.
    void begin(std::int64_t nowMs);        // the window is up: the calibration runs
    TickOutcome tick(std::int64_t nowMs);  // a frame: the arrow moves to where the clock says
    KeyOutcome pressKey(std::int64_t nowMs);

    // The player's switch for the marks of the average.
    void showMarks(bool shown) { marksShown_ = shown; }
    [[nodiscard]] bool marksShown() const { return marksShown_; }

    [[nodiscard]] Phase phase() const { return phase_; }
    [[nodiscard]] int variant() const { return variant_; }
    [[nodiscard]] double minTurn() const { return minTurn_; }
    [[nodiscard]] double maxTurn() const { return maxTurn_; }
    [[nodiscard]] double arrowAngle() const { return arrowAngle_; }
    // Passes of three o'clock during the current or last turn.
    [[nodiscard]] int wraps() const { return wraps_; }
    // The speed of the current or last turn in degrees per second.
    [[nodiscard]] double speed() const { return speed_; }
    [[nodiscard]] int stops() const { return stops_; }
    // The sum of all stop points, fractions kept.
    [[nodiscard]] double total() const { return total_; }
    // Points of the last stop; none before the first.
    [[nodiscard]] std::optional<double> lastPoints() const { return lastPoints_; }
    // The two marks of the average at A and 180 - A; none before the first stop.
    [[nodiscard]] std::optional<std::pair<double, double>> averageMarks() const;

    // The end: the message shows the total rounded, the result is its whole-number part.
    [[nodiscard]] int messageTotal() const { return static_cast<int>(roundHalfEven(total_)); }
    [[nodiscard]] int result() const;

  private:
    void startTurn(std::int64_t startMs);
    void turnTo(std::int64_t nowMs);

    int variant_;
    Random& random_;
    double minTurn_;
    double maxTurn_;
    Phase phase_ = Phase::Idle;
    double arrowAngle_ = kTopAngle;
    int wraps_ = 0;
    double speed_ = 0.0;
    double turnStartAngle_ = kTopAngle;
    std::int64_t phaseStartMs_ = 0;
    int stops_ = 0;
    double total_ = 0.0;
    std::optional<double> lastPoints_;
    bool marksShown_ = false;
};

}  // namespace tro::vertun
