#pragma once
// Lays out a play directory, or brings one up to date, from what a build or an installed
// package provides: the programs, the player's tools, and the templates of every game (its
// catalogue entry "<id>.dat", its rules "<id>.pra") and of the sounds. One implementation
// serves scripts/make-play-dir and the installed launcher.
//
// What is the player's is never touched: the result tables and the history under DATA,
// "users.dat", "tropheon.dat", the switch slots of every "<id>.dat" (only the catalogue slots
// are written) and every sound file already there (a player may have replaced or added one).

#include <filesystem>
#include <string>
#include <vector>

namespace tro {

struct PlayLayout {
    std::vector<std::filesystem::path> programs;  // into the play directory
    std::vector<std::filesystem::path> tools;     // into its "tools" folder
    std::filesystem::path templates;  // "<id>.dat", "<id>.pra" and "sound/" of a new play dir
    bool link = false;  // programs and tools as symbolic links (an installed suite), else copies
};

// Empty when the play directory is laid out; else what could not be done, in Russian, for
// the player.
[[nodiscard]] std::string layOutPlayDir(const PlayLayout& layout,
                                        const std::filesystem::path& dest);

}  // namespace tro
