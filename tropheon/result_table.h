#pragma once
// The result table of one game variant: twenty rows of player name, date and result, kept in
// "DATA/<game id>/res<k>.dat" as sixty 30-byte text slots.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "slot_file.h"

namespace tro {

inline constexpr int kTableRows = 20;
inline constexpr std::string_view kDataFolder = "DATA";

struct TableRow {
    std::string name;    // "" for an empty row
    std::string date;    // as stored, "dd.mm.yyyy"
    std::string result;  // as shown: the marks "10000" and "0" already turned into ""
    friend bool operator==(const TableRow&, const TableRow&) = default;
};

// Result texts that mark a row without a real result (tables may come pre-filled with them).
[[nodiscard]] bool isEmptyMark(std::string_view result);

// The table file of variant row `variantIndex` (0-based) of a game.
[[nodiscard]] std::filesystem::path tableFilePath(const std::filesystem::path& dir,
                                                  std::string_view gameId, int variantIndex);

enum class StoreOutcome {
    Stored,       // the table changed and was written
    KeptBetter,   // the player already holds a better or equal entry above the place
    NoPlace,      // the place is outside 1..20
    WriteFailed,  // the rows changed in memory but the file could not be written
};

class ResultTable {
  public:
    // Makes sure the folders exist and reads the table; rows without a name are written
    // back as empty rows, so a new file gets all sixty slots. Loads as far as it can and
    // reports the first file problem.
    SlotStatus load(const std::filesystem::path& dir, std::string_view gameId, int variantIndex);

    [[nodiscard]] const std::array<TableRow, kTableRows>& rows() const { return rows_; }
    [[nodiscard]] bool loaded() const { return !path_.empty(); }

    // The place 1..20 that `result` earns with `direction` (1: higher is better, -1: lower
    // is better, 0: every result takes place 1), or none. A result equal to a stored one
    // ranks above it; an empty result cell is beaten by any result.
    [[nodiscard]] std::optional<int> findPlace(std::int16_t result, std::int16_t direction) const;

    // Enters a result at `place` for `name`: the table keeps one entry per player name and
    // always twenty rows. Writes all rows back when something changed.
    StoreOutcome store(int place, std::string_view name, std::string_view date,
                       std::string_view resultText);

    // Writes all twenty rows into their slots.
    SlotStatus save() const;

  private:
    std::filesystem::path path_;
    std::array<TableRow, kTableRows> rows_{};
};

// The date text of a store: two-digit day and month, four-digit year.
[[nodiscard]] std::string dateText(int day, int month, int year);

}  // namespace tro
