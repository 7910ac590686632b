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
    // A uniform word XOR a fixed word is still uniform.
    return static_cast<double>((engine_() ^ stir_) >> 11) * 0x1.0p-53;
}

void SystemRandom::reseed() {
    // Stir the present moment into the draws instead of restarting the generator: unlike a
    // restart from whole seconds, two reseeds in one second still give different draws, and
    // it costs nanoseconds where seeding the engine afresh costs microseconds.
    std::uint64_t z = stir_ ^ clockSeed();
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    stir_ = z ^ (z >> 31);
}

double SequenceRandom::next() {
    return unitFrom(engine_);
}

}  // namespace tro
