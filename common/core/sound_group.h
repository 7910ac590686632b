#pragma once
// Sound groups: the files "<group>*.wav" of the folder "sound" in the play directory.
// Players add, replace or delete files there to change the sounds.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "random.h"

namespace tro {

inline constexpr std::string_view kSoundFolder = "sound";

// The files of a group, sorted by name; empty when the folder or the group is missing.
[[nodiscard]] std::vector<std::filesystem::path> listSoundGroup(const std::filesystem::path& dir,
                                                                std::string_view group);

// One file of the group at random (the generator is reseeded first); empty when the group
// has no file.
[[nodiscard]] std::filesystem::path pickSound(const std::vector<std::filesystem::path>& files,
                                              Random& random);

}  // namespace tro
