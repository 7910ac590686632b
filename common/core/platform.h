#pragma once
// What differs between the desktop platforms the suite is built for.

#include <string>
#include <string_view>

namespace tro {

#ifdef _WIN32
inline constexpr std::string_view kExecutableSuffix = ".exe";
#else
inline constexpr std::string_view kExecutableSuffix = "";
#endif

inline constexpr std::string_view kManagerId = "tropheon";

// The program file of a game id in the play directory ("lines", or "lines.exe" on Windows).
inline std::string programFileName(std::string_view gameId) {
    return std::string(gameId) + std::string(kExecutableSuffix);
}

}  // namespace tro
