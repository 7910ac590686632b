#pragma once
// Number helpers the models share.

#include <cmath>

namespace tro {

inline constexpr double kPi = 3.14159265358979323846;

// Rounds to the nearest whole number, halves to the even one (2.5 -> 2, 3.5 -> 4, -0.5 -> 0),
// whatever rounding mode the process runs in.
[[nodiscard]] inline double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest != 0.5) {
        return rest < 0.5 ? below : below + 1;
    }
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace tro
