#pragma once
// A game's catalogue entry, the first slots of its settings file "<game id>.dat": slot 1 the
// title, slot 2 the direction, slots 3..100 the variant names up to the first empty one. The
// other slots hold the game's switches, which these functions leave alone.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tro {

struct GameEntry {
    std::string title;  // as stored (blanks kept)
    std::int16_t direction = 0;
    std::vector<std::string> variants;
};

// Reads the entry; an unreadable file reads as an empty one. A missing file is created empty
// when `createMissing`.
[[nodiscard]] GameEntry readEntrySlots(const std::filesystem::path& datFile, bool createMissing);

// Writes the entry's slots and the empty slot that ends the variants, creating the file when
// it is missing.
[[nodiscard]] bool writeEntrySlots(const std::filesystem::path& datFile, const GameEntry& entry);

}  // namespace tro
