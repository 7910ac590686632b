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

}  // namespace tro
