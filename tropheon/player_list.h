#pragma once
// The player list "users.dat": one name per 30-byte text slot, slots 1..1000, ending at the
// first empty slot. Names are never removed by the program. Also the rules for a new name.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "slot_file.h"

namespace tro {

inline constexpr std::string_view kPlayerListFileName = "users.dat";
inline constexpr int kMaxPlayers = 1000;

// The names up to the first empty slot; a missing file is created empty.
[[nodiscard]] std::vector<std::string> loadPlayerNames(const std::filesystem::path& dir);

enum class AddPlayerOutcome {
    Kept,      // written into the first empty slot
    ListFull,  // all 1000 slots are taken: the name is not kept
    Failed,    // the file could not be written
};

[[nodiscard]] AddPlayerOutcome addPlayerName(const std::filesystem::path& dir,
                                             std::string_view name);

// ---- A new player's name ----

inline constexpr std::string_view kNewNameEntry = "Новое имя...";
inline constexpr std::size_t kMaxNameLength = 25;
inline constexpr std::size_t kShortenedNameLength = 22;

// The answer of the input box with blanks trimmed; a name longer than 25 characters becomes
// its first 22 characters followed by "...".
[[nodiscard]] std::string normalizeNewName(std::string_view answer);

enum class NameVerdict {
    Empty,        // nothing typed, or the input was cancelled
    Duplicate,    // a list entry (blanks trimmed) equals it exactly, case counted
    Unencodable,  // it holds a character the player list cannot store
    Fine,
};

// Judges a normalized name against the entries of the name list.
[[nodiscard]] NameVerdict judgeNewName(std::string_view name,
                                       const std::vector<std::string>& entries);

}  // namespace tro
