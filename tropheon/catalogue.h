#pragma once
// The game catalogue: the game programs that lie beside the results manager and the catalogue
// entries of their settings files "<game id>.dat" (slot 1 title, slot 2 direction, slots 3..100
// variant names up to the first empty one).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game_entry.h"

namespace tro {

// The game ids of the program files in `dir`, sorted by name, the manager left out. On
// Windows the "*.exe" files; elsewhere the regular, executable files without a dot in the name.
[[nodiscard]] std::vector<std::string> listGamePrograms(const std::filesystem::path& dir);

// Reads a game's catalogue entry; the settings file is created empty when missing, unless
// `createMissing` is false.
[[nodiscard]] GameEntry readGameEntry(const std::filesystem::path& dir, std::string_view gameId,
                                      bool createMissing = true);

struct CatalogueRow {
    std::string title;
    std::string id;  // the program this row was listed for
};

class Catalogue {
  public:
    // Lists the programs and reads their catalogue entries, each file once; games whose title
    // is blank stay out. The manager never writes the entries, so they hold while it runs.
    void scan(const std::filesystem::path& dir);

    // The rows of the game list, sorted by title; equal titles keep the listing order.
    [[nodiscard]] const std::vector<CatalogueRow>& rows() const { return rows_; }
    // The first game in listing order with exactly this title.
    [[nodiscard]] std::optional<std::string> idForTitle(std::string_view title) const;
    // The row listed for this game id.
    [[nodiscard]] std::optional<int> rowOfId(std::string_view id) const;
    // The entry read for a listed game id; none for an id not listed.
    [[nodiscard]] const GameEntry* entryOf(std::string_view id) const;

  private:
    std::vector<std::string> listing_;  // ids of titled games in listing order
    std::vector<GameEntry> entries_;    // their entries
    std::vector<CatalogueRow> rows_;
};

}  // namespace tro
