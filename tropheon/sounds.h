#pragma once
// The results manager's group sounds: "start", "exit", "1stplace", "2ndplace", "3dplace".

#include <filesystem>
#include <string_view>

#include "services.h"

namespace tro {

// Plays one random file of the group unless another sound is still playing. Returns whether
// the group has any file at all.
bool playSoundGroup(Services& services, const std::filesystem::path& dir, std::string_view group);

}  // namespace tro
