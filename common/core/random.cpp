#include "random.h"

#include <chrono>
#include <cmath>

namespace tro {
namespace {

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

double unitFrom(std::mt19937_64& engine) {
    // 53 random bits give every double in [0, 1) on a grid of 2^-53.
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

}  // namespace

int Random::below(int count) {
    if (count <= 0) {
        return 0;
    }
    const int k = static_cast<int>(std::floor(next() * count));
    return k < count ? k : count - 1;
}

char Random::bit() {
    return below(2) == 1 ? '1' : '0';
}

SystemRandom::SystemRandom() : engine_(clockSeed()) {}
SystemRandom::SystemRandom(std::uint64_t seed) : engine_(seed) {}

double SystemRandom::next() {
    return unitFrom(engine_);
}

void SystemRandom::reseed() {
    // Stir the present moment into the state: unlike a restart from whole seconds, two
    // reseeds in one second still give different draws.
    std::seed_seq seq{static_cast<std::uint32_t>(engine_()), static_cast<std::uint32_t>(engine_()),
                      static_cast<std::uint32_t>(clockSeed()),
                      static_cast<std::uint32_t>(clockSeed() >> 32)};
    engine_.seed(seq);
}

double SequenceRandom::next() {
    return unitFrom(engine_);
}

}  // namespace tro
