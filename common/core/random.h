#pragma once
// Random draws. Models take a Random instead of calling rand(), so tests fix every draw.

#include <cstdint>
#include <random>

namespace tro {

class Random {
  public:
    virtual ~Random() = default;
    // Uniform in [0, 1).
    [[nodiscard]] virtual double next() = 0;
    // Where the games reseed from the time of day before a draw. The production generator
    // stirs the moment into its state instead of restarting, so it never repeats itself.
    virtual void reseed() = 0;

    // floor(next() * count); 0 when count is not positive.
    [[nodiscard]] int below(int count);
    // A binary digit with equal chance, as the character '0' or '1'.
    [[nodiscard]] char bit();
};

// One per process, seeded once from the clock with sub-second resolution.
class SystemRandom final : public Random {
  public:
    SystemRandom();
    explicit SystemRandom(std::uint64_t seed);
    [[nodiscard]] double next() override;
    void reseed() override;

  private:
    std::mt19937_64 engine_;
    std::uint64_t stir_ = 0;
};

// A generator that is never reseeded: one fixed sequence for a given seed.
class SequenceRandom final : public Random {
  public:
    explicit SequenceRandom(std::uint64_t seed) : engine_(seed) {}
    [[nodiscard]] double next() override;
    void reseed() override {}

  private:
    std::mt19937_64 engine_;
};

}  // namespace tro
