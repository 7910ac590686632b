#pragma once
// The mouse-speed game without any window: a red square jumps around a playing field, every
// hit scores a point and moves it, and after a minute the points are the result.
//
// All lengths are twips. The layout follows the window's outer size and is made again each
// time the window becomes active. The target's spots come from one fixed sequence that is
// never seeded from the clock, so every run of the game shows the same spots.

#include <cstdint>

#include "random.h"

namespace tro::rysko {

inline constexpr int kVariantCount = 6;
inline constexpr int kGameSeconds = 60;
// The target's side before the first layout.
inline constexpr double kFirstTargetSide = 1095;
// The seed of the one sequence of target spots.
inline constexpr std::uint64_t kTargetSeed = 20010913;

// The share of the window the field takes, in percent: 40 or 90 (0 beyond variant 6).
[[nodiscard]] int fieldShare(int variant);
// The target's side as a share of the window's width, in tenths of a percent: 5, 20 or 80.
[[nodiscard]] int targetShare(int variant);

// The generator of the target's spots: the same sequence in every run.
[[nodiscard]] SequenceRandom makeTargetRandom();

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    [[nodiscard]] double right() const { return left + width; }
    [[nodiscard]] double bottom() const { return top + height; }
    // Wholly inside, allowing for the last bit of a floating-point sum.
    [[nodiscard]] bool contains(const Box& inner) const {
        constexpr double kSlack = 1e-6;
        return inner.left >= left - kSlack && inner.top >= top - kSlack &&
               inner.right() <= right() + kSlack && inner.bottom() <= bottom() + kSlack;
    }
    friend bool operator==(const Box&, const Box&) = default;
};

struct LabelPlaces {
    Box points;   // its left edge on the field's, its bottom on the field's top
    Box seconds;  // its right edge on the field's, its bottom on the field's top
};

// Where the points and seconds labels of the given sizes stand above a field.
[[nodiscard]] LabelPlaces placeLabels(const Box& field, double pointsWidth, double pointsHeight,
                                      double secondsWidth, double secondsHeight);

class RyskoGame {
  public:
    // The clock starts when the window is loaded.
    RyskoGame(int variant, Random& random, std::int64_t loadedMs);

    // The window's outer size in twips: lays out the field, sizes the target and puts it at
    // a new spot. Points and clock go on.
    void layOut(double outerWidth, double outerHeight);
    // A click on the target: one point, and the target jumps. False once the game is over.
    bool hit();
    // A clock tick: counts the seconds left; true when this tick ends the game.
    bool tick(std::int64_t nowMs);

    [[nodiscard]] int variant() const { return variant_; }
    [[nodiscard]] const Box& field() const { return field_; }
    [[nodiscard]] const Box& target() const { return target_; }
    [[nodiscard]] int points() const { return points_; }
    [[nodiscard]] int secondsLeft() const { return secondsLeft_; }
    [[nodiscard]] bool ended() const { return ended_; }

  private:
    void moveTarget();

    int variant_;
    Random& random_;
    std::int64_t loadedMs_;
    Box field_;
    Box target_{0, 0, kFirstTargetSide, kFirstTargetSide};
    int points_ = 0;
    int secondsLeft_ = kGameSeconds;
    bool ended_ = false;
};

}  // namespace tro::rysko
