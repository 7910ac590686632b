#pragma once
// Takes a fuzzer's bytes apart into the values a target needs.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tro::fuzz {

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    int byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto b = static_cast<unsigned char>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::string take(std::size_t n) {
        const auto part = rest_.substr(0, n);
        rest_.remove_prefix(part.size());
        return std::string(part);
    }
    std::string rest() {
        std::string all(rest_);
        rest_ = {};
        return all;
    }

  private:
    std::string_view rest_;
};

// Stops the run when a property does not hold.
inline void check(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

}  // namespace tro::fuzz
