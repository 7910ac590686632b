#pragma once
// Every result the results manager accepted, kept in an SQLite database "DATA/history.db":
// one row a round, written in a transaction of its own. The result tables stay the authority
// for the twenty best; the history only adds what they forget.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace tro {

inline constexpr std::string_view kHistoryFileName = "history.db";

// One round as the history keeps it.
struct Round {
    // When it was played: "YYYY-MM-DDTHH:MM:SS" in local time, or "YYYY-MM-DD" for a round
    // taken in from a result table, which keeps only the day.
    std::string when;
    std::string player;  // "" when the round is no one's
    std::string gameId;
    int variant = 0;  // 1-based
    int result = 0;
    bool fromTable = false;

    bool operator==(const Round&) const = default;
};

// Which rounds a query wants; an empty field takes every value.
struct RoundFilter {
    std::optional<std::string> player;
    std::optional<std::string> gameId;
    std::optional<int> variant;
};

enum class StoreState {
    Closed,
    Opened,      // an existing history
    Created,     // a new, empty history
    MovedAside,  // the old file could not be read: it was renamed and a new history begun
    Newer,       // written by a newer version of the program: left alone, not used
    Failed,      // could not be opened or created: the history is not kept
};

class HistoryStore {
  public:
    static constexpr int kSchemaVersion = 1;

    explicit HistoryStore(std::filesystem::path file);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens the database, creating it when missing. A file that is not a database of ours, or
    // a damaged one, is renamed "<name>-damaged-<today>.db" (with a number when that is taken)
    // and a new history is begun. `today` is "YYYY-MM-DD".
    StoreState open(const std::string& today);
    [[nodiscard]] bool usable() const { return db_ != nullptr; }
    [[nodiscard]] StoreState state() const { return state_; }
    // Where a damaged file was moved; empty when none was.
    [[nodiscard]] const std::filesystem::path& movedTo() const { return movedTo_; }

    // Adds rounds in one transaction: all of them or none.
    bool add(const std::vector<Round>& rounds);
    // The rounds the filter wants, in the order they were played (and added).
    [[nodiscard]] std::vector<Round> rounds(const RoundFilter& filter) const;

  private:
    bool openFile();
    bool prepareSchema();
    void close();

    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    StoreState state_ = StoreState::Closed;
    std::filesystem::path movedTo_;
};

}  // namespace tro
