#pragma once
// A game clock in tenths of a second with penalties. It counts the whole tenths of a
// monotonic clock since the game began, not timer ticks: ticks that come late on a busy
// machine would otherwise give a slow player a better time. Penalties are added on top.

#include <algorithm>
#include <cstdint>

namespace tro {

class TenthsClock {
  public:
    explicit TenthsClock(int tenthsPerPenalty) : perPenalty_(tenthsPerPenalty) {}

    // The time since the game began; the clock never runs backwards.
    void elapse(std::int64_t elapsedMs) { tenths_ = std::max(tenths_, elapsedMs / 100); }

    // The reading with `penalties` penalties added.
    [[nodiscard]] int reading(int penalties) const {
        return static_cast<int>(
            std::min<std::int64_t>(tenths_ + std::int64_t{perPenalty_} * penalties, INT32_MAX));
    }

  private:
    int perPenalty_;
    std::int64_t tenths_ = 0;
};

}  // namespace tro
