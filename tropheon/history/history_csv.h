#pragma once
// The history as CSV, for a spreadsheet or a script: a heading line, then one line a round
// with its time in ISO 8601, the game's id and title, the variant's number and name, the
// player and the result. Fields holding a comma, a quote or a line end are quoted.

#include <filesystem>
#include <ostream>
#include <vector>

#include "history_store.h"

namespace tro {

// Titles and variant names are read from the catalogue entries of `playDir`, which are never
// written; a game id that is no plain name (a damaged history) is not looked up.
void writeHistoryCsv(std::ostream& out, const std::vector<Round>& rounds,
                     const std::filesystem::path& playDir);

}  // namespace tro
