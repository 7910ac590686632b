#pragma once
// The history of a play directory: opened on first use (never at the manager's start), a new
// one taking in the rows of the result tables, every accepted result recorded at the clock's
// moment, and what the player must hear about it told once.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "clock.h"
#include "history_store.h"

namespace tro {

class History {
  public:
    History(std::filesystem::path playDir, const Clock& clock);

    // Opens the history when it is not open yet; whether it is kept.
    bool open();
    // Records a result played now; false when the history is not kept.
    bool record(const std::string& player, const std::string& gameId, int variant, int result);
    [[nodiscard]] std::vector<Round> rounds(const RoundFilter& filter);

    // What the player should hear about the history, once per run: a damaged file moved
    // aside, a newer version's file, a history that cannot be kept. Empty when nothing.
    [[nodiscard]] std::string takeNotice();
    [[nodiscard]] const std::filesystem::path& playDir() const { return playDir_; }
    // Today as "YYYY-MM-DD".
    [[nodiscard]] std::string today() const;

  private:
    std::filesystem::path playDir_;
    const Clock& clock_;
    HistoryStore store_;
    bool opened_ = false;
    bool told_ = false;
    std::string notice_;
};

}  // namespace tro
