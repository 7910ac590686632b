#pragma once
// Test doubles for the clock and the random generator.

#include <cstddef>
#include <vector>

#include "../clock.h"
#include "../random.h"

namespace tro::testing {

class FixedClock final : public Clock {
  public:
    FixedClock() = default;
    FixedClock(Date date, TimeOfDay time) { now_.date = date, now_.time = time; }

    [[nodiscard]] DateTime now() const override { return now_; }
    [[nodiscard]] std::int64_t monotonicMs() const override { return monotonic_; }

    void set(Date date, TimeOfDay time) { now_.date = date, now_.time = time; }
    void advanceMs(std::int64_t ms) { monotonic_ += ms; }

  private:
    DateTime now_;
    std::int64_t monotonic_ = 0;
};

// Gives the scripted values in turn, then starts over; counts reseeds.
class ScriptedRandom final : public Random {
  public:
    explicit ScriptedRandom(std::vector<double> values = {0.0}) : values_(std::move(values)) {}

    [[nodiscard]] double next() override {
        ++draws;
        return values_.empty() ? 0.0
                               : values_[static_cast<std::size_t>(draws - 1) % values_.size()];
    }
    void reseed() override { ++reseeds; }

    int draws = 0;
    int reseeds = 0;

  private:
    std::vector<double> values_;
};

}  // namespace tro::testing
