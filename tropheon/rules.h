#pragma once
// The rules text of a game, one 500-byte slot of "<game id>.pra": at most 498 bytes in
// Windows-1251 with CR LF line ends. Inside the program lines end in "\n".

#include <filesystem>
#include <string>
#include <string_view>

#include "slot_file.h"

namespace tro {

inline constexpr int kMaxRulesBytes = textCapacity(kRulesSlotLength);

[[nodiscard]] std::filesystem::path rulesFilePath(const std::filesystem::path& dir,
                                                  std::string_view gameId);

// The rules text with "\n" line ends; a missing file is created empty.
[[nodiscard]] std::string loadRules(const std::filesystem::path& dir, std::string_view gameId);

// Saves a text with "\n" line ends. A text longer than the slot is refused whole (TooLong),
// never cut, and so is one with a character the file cannot hold (Unencodable).
[[nodiscard]] SlotStatus saveRules(const std::filesystem::path& dir, std::string_view gameId,
                                   std::string_view text);

// The number of bytes the text takes in the file, -1 when it cannot be stored at all.
[[nodiscard]] int rulesFileBytes(std::string_view text);

}  // namespace tro
