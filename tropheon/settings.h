#pragma once
// The results manager's own settings file "tropheon.dat": slot 1 the sound switch, slot 2 the
// interface language (written empty, never read), slot 3 the current player (a file without
// it has none).

#include <filesystem>
#include <string>
#include <string_view>

#include "slot_file.h"

namespace tro {

inline constexpr std::string_view kSettingsFileName = "tropheon.dat";
inline constexpr int kCurrentPlayerSlot = 3;

// The sound switch; a missing file reads as off and is created empty. Only 1 means on, so a
// damaged value reads as off.
[[nodiscard]] bool readSoundSwitch(const std::filesystem::path& dir);

// Writes the switch into slot 1 and an empty language name into slot 2.
[[nodiscard]] SlotStatus writeSoundSwitch(const std::filesystem::path& dir, bool on);

// The current player: the name last chosen; "" when there is none.
[[nodiscard]] std::string readCurrentPlayer(const std::filesystem::path& dir);
// Keeps the name in slot 3; the other slots stay as they are.
[[nodiscard]] SlotStatus writeCurrentPlayer(const std::filesystem::path& dir,
                                            std::string_view name);

}  // namespace tro
