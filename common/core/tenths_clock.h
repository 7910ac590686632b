#pragma once
// A game clock in tenths of a second with penalties. It counts the whole tenths of a
// monotonic clock since the game began, not timer ticks: ticks that come late on a busy
// machine would otherwise give a slow player a better time. Penalties are added on top.

#include <algorithm>
#include <cstdint>

namespace tro {

class TenthsClock {
  public:
    // The last reading a game takes: past it the game ends.
    static constexpr int kMostTenths = 10000;

    TenthsClock(std::int64_t startMs, int tenthsPerPenalty)
        : startMs_(startMs), perPenalty_(tenthsPerPenalty) {}

    // The clock follows the monotonic moment `nowMs` and never runs backwards; whether its
    // reading with `penalties` has passed kMostTenths.
    bool tick(std::int64_t nowMs, int penalties) {
        tenths_ = std::max(tenths_, (nowMs - startMs_) / 100);
        return reading(penalties) > kMostTenths;
    }

    // The reading with `penalties` penalties added.
    [[nodiscard]] int reading(int penalties) const {
        return static_cast<int>(
            std::min<std::int64_t>(tenths_ + std::int64_t{perPenalty_} * penalties, INT32_MAX));
    }

  private:
    std::int64_t startMs_;
    int perPenalty_;
    std::int64_t tenths_ = 0;
};

// A round against a TenthsClock: right and wrong answers, each wrong one a penalty on the
// clock, and how the round stands. `Outcome` has `Playing` and `TooSlow`; the game decides
// every other outcome.
template <class Outcome>
class ClockedRound {
  public:
    // The clock's tick: the clock follows the time; past its last reading the game ends.
    Outcome tick(std::int64_t nowMs) {
        if (outcome_ == Outcome::Playing && clock_.tick(nowMs, wrong_)) {
            outcome_ = Outcome::TooSlow;
        }
        return outcome_;
    }

    [[nodiscard]] int clock() const { return clock_.reading(wrong_); }
    [[nodiscard]] int right() const { return right_; }
    [[nodiscard]] int wrong() const { return wrong_; }
    [[nodiscard]] Outcome outcome() const { return outcome_; }

  protected:
    ClockedRound(std::int64_t startMs, int tenthsPerPenalty) : clock_(startMs, tenthsPerPenalty) {}

    TenthsClock clock_;
    int right_ = 0;
    int wrong_ = 0;
    Outcome outcome_ = Outcome::Playing;
};

}  // namespace tro
