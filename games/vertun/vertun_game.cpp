#include "vertun_game.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace tro::vertun {
namespace {

constexpr std::array<Variant, kVariantCount> kVariants{{
    {"Останови стрелку:  всегда 1 секунда", 1.0, 1.0},
    {"Останови стрелку:  от 2 до 3 секунд", 2.0, 3.0},
    {"Останови стрелку:  от 1 до 3 секунд", 1.0, 3.0},
    {"Останови стрелку:  от 1 до 2 секунд", 1.0, 2.0},
    {"Останови стрелку:  от 0.5 до 2 секунд", 0.5, 2.0},
    {"Останови стрелку:  от 0.5 до 1 секунды", 0.5, 1.0},
}};

struct Position {
    double angle;
    int wraps;
};

// Where an arrow that starts at `from` (in (0, 360]) stands after turning `travel` degrees
// clockwise: the angle stays in (0, 360], and each time it reaches 0 or less it gains 360
// and counts one pass of three o'clock.
Position turnClockwise(double from, double travel) {
    const double left = from - travel;
    if (left > 0.0) {
        return {left, 0};
    }
    const int wraps = static_cast<int>(std::floor(-left / 360.0)) + 1;
    return {left + 360.0 * wraps, wraps};
}

}  // namespace

const Variant& variantInfo(int variant) {
    if (variant < 1 || variant > kVariantCount) {
        variant = 1;
    }
    return kVariants[static_cast<std::size_t>(variant - 1)];
}

int arrowLength() {
    return static_cast<int>(roundHalfEven(kDialSide / 2.0 - 200.0));
}

double stopPoints(int wraps, double angle) {
    // Both factors are floored at 0: a stop far from the top after more than a hundred passes
    // would otherwise multiply two negatives into points.
    const double passes = std::max(0, 101 - wraps);
    const double nearness = std::max(0.0, 90.0 - std::abs(angle - kTopAngle));
    return passes * nearness / 100.0;
}

namespace {

// A sum of stop points that is whole on paper may lie a hair below in binary (a hundred stops
// of 89.28 sum to 8927.99999999999): it counts as the whole number.
constexpr double kSumError = 1e-6;

// A whole number of hundredths as text, without trailing zeros.
std::string hundredthsText(double hundredths) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", hundredths / 100.0);
    std::string shown(text);
    while (shown.back() == '0') {
        shown.pop_back();
    }
    if (shown.back() == '.') {
        shown.pop_back();
    }
    if (shown == "-0") {
        shown = "0";
    }
    return shown;
}

}  // namespace

std::string formatPoints(double value) {
    return hundredthsText(roundHalfEven(value * 100.0));
}

std::string formatTotal(double total) {
    return hundredthsText(std::floor((total + kSumError) * 100.0));
}

VertunGame::VertunGame(int variant, Random& random)
    : variant_(variant < 1 || variant > kVariantCount ? 1 : variant),
      random_(random),
      minTurn_(variantInfo(variant_).minTurn),
      maxTurn_(variantInfo(variant_).maxTurn) {}

void VertunGame::begin(std::int64_t nowMs) {
    if (phase_ != Phase::Idle) {
        return;
    }
    phase_ = Phase::Calibrating;
    phaseStartMs_ = nowMs;
    speed_ = kCalibrationDegreesPerSecond;
    turnStartAngle_ = arrowAngle_ = kTopAngle;
}

TickOutcome VertunGame::tick(std::int64_t nowMs) {
    switch (phase_) {
        case Phase::Calibrating: {
            // The race lasts a second and then runs on to the next time the arrow is up.
            const double perTurnMs = 360.0 / kCalibrationDegreesPerSecond * 1000.0;
            const double turns = std::ceil(kCalibrationMs / perTurnMs);
            const auto endMs = phaseStartMs_ + static_cast<std::int64_t>(turns * perTurnMs);
            if (nowMs >= endMs) {
                arrowAngle_ = kTopAngle;
                phase_ = Phase::Waiting;
                return TickOutcome::Calibrated;
            }
            turnTo(nowMs);
            return TickOutcome::Moved;
        }
        case Phase::Pause:
            if (nowMs >= phaseStartMs_ + kPauseMs) {
                // The turn starts when the pause ends, not when the next frame comes.
                startTurn(phaseStartMs_ + kPauseMs);
                turnTo(nowMs);
                return TickOutcome::Moved;
            }
            return TickOutcome::Still;
        case Phase::Turning:
            turnTo(nowMs);
            return TickOutcome::Moved;
        case Phase::Idle:
        case Phase::Waiting:
        case Phase::Ended:
            break;
    }
    return TickOutcome::Still;
}

KeyOutcome VertunGame::pressKey(std::int64_t nowMs) {
    tick(nowMs);
    switch (phase_) {
        case Phase::Waiting:
            phase_ = Phase::Pause;
            phaseStartMs_ = nowMs;
            return KeyOutcome::Started;
        case Phase::Turning: {
            const double points = stopPoints(wraps_, arrowAngle_);
            lastPoints_ = points;
            total_ += points;
            ++stops_;
            if (stops_ >= kStopsPerGame) {
                phase_ = Phase::Ended;
                return KeyOutcome::Ended;
            }
            phase_ = Phase::Pause;
            phaseStartMs_ = nowMs;
            return KeyOutcome::Stopped;
        }
        case Phase::Idle:
        case Phase::Calibrating:
        case Phase::Pause:
        case Phase::Ended:
            break;
    }
    return KeyOutcome::Ignored;
}

std::optional<std::pair<double, double>> VertunGame::averageMarks() const {
    if (stops_ == 0) {
        return std::nullopt;
    }
    const double average = total_ / stops_;
    return std::make_pair(average, 180.0 - average);
}

int VertunGame::result() const {
    // The player who sees 8928 for a total a hair below it must not be handed 8927.
    return static_cast<int>(std::floor(total_ + kSumError));
}

void VertunGame::startTurn(std::int64_t startMs) {
    random_.reseed();
    const double slowest = 360.0 / maxTurn_;
    const double fastest = 360.0 / minTurn_;
    speed_ = slowest + random_.next() * (fastest - slowest);
    phase_ = Phase::Turning;
    phaseStartMs_ = startMs;
    turnStartAngle_ = arrowAngle_;
    wraps_ = 0;
}

void VertunGame::turnTo(std::int64_t nowMs) {
    const auto elapsed = static_cast<double>(std::max<std::int64_t>(0, nowMs - phaseStartMs_));
    const Position at = turnClockwise(turnStartAngle_, speed_ * elapsed / 1000.0);
    arrowAngle_ = at.angle;
    wraps_ = at.wraps;
}

}  // namespace tro::vertun
