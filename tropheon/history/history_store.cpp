#include "history_store.h"

#include <sqlite3.h>

#include <system_error>

namespace tro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSchema =
    "CREATE TABLE rounds ("
    " id INTEGER PRIMARY KEY,"
    " played TEXT NOT NULL,"
    " player TEXT NOT NULL,"
    " game TEXT NOT NULL,"
    " variant INTEGER NOT NULL,"
    " result INTEGER NOT NULL,"
    " from_table INTEGER NOT NULL DEFAULT 0);"
    "CREATE INDEX rounds_by_player ON rounds (player, game, variant, id);"
    "PRAGMA user_version = 1;";

// A prepared statement that finalizes itself.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement_);
            statement_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    [[nodiscard]] bool ok() const { return statement_ != nullptr; }
    sqlite3_stmt* get() { return statement_; }
    void bind(int index, const std::string& text) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    void bind(int index, int value) { sqlite3_bind_int(statement_, index, value); }
    [[nodiscard]] std::string text(int column) {
        const auto* bytes = sqlite3_column_text(statement_, column);
        return bytes
                   ? std::string(reinterpret_cast<const char*>(bytes),
                                 static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                   : std::string();
    }

  private:
    sqlite3_stmt* statement_ = nullptr;
};

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// "history.db" -> "history-damaged-2026-12-07.db", then "...-2.db" and on while those exist.
fs::path asideName(const fs::path& file, const std::string& today) {
    const std::string stem = file.stem().string() + "-damaged-" + today;
    fs::path aside = file.parent_path() / (stem + file.extension().string());
    for (int n = 2; fs::symlink_status(aside).type() != fs::file_type::not_found; ++n) {
        aside = file.parent_path() / (stem + "-" + std::to_string(n) + file.extension().string());
    }
    return aside;
}

}  // namespace

HistoryStore::HistoryStore(fs::path file) : file_(std::move(file)) {}

HistoryStore::~HistoryStore() {
    close();
}

void HistoryStore::close() {
    sqlite3_close(db_);
    db_ = nullptr;
}

bool HistoryStore::openFile() {
    close();
    // Only a plain file is opened: a pipe in its place would keep the program waiting.
    const fs::file_type type = fs::symlink_status(file_).type();
    if (type != fs::file_type::not_found && type != fs::file_type::regular) {
        return false;
    }
    if (sqlite3_open_v2(file_.string().c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        close();
        return false;
    }
    sqlite3_busy_timeout(db_, 2000);
    return true;
}

// Whether the open file holds our schema (creating it in an empty database); false for a
// file that is no database, a damaged one or someone else's. A newer version is told apart.
bool HistoryStore::prepareSchema() {
    Statement version(db_, "PRAGMA user_version");
    if (!version.ok() || sqlite3_step(version.get()) != SQLITE_ROW) {
        return false;
    }
    const int found = sqlite3_column_int(version.get(), 0);
    if (found > kSchemaVersion) {
        state_ = StoreState::Newer;
        return true;
    }
    if (found == kSchemaVersion) {
        return Statement(db_,
                         "SELECT id, played, player, game, variant, result, from_table "
                         "FROM rounds LIMIT 0")
            .ok();
    }
    Statement tables(db_, "SELECT count(*) FROM sqlite_master");
    if (found != 0 || !tables.ok() || sqlite3_step(tables.get()) != SQLITE_ROW ||
        sqlite3_column_int(tables.get(), 0) != 0) {
        return false;
    }
    state_ = StoreState::Created;
    return execute(db_, "BEGIN") && execute(db_, kSchema) && execute(db_, "COMMIT");
}

StoreState HistoryStore::open(const std::string& today) {
    if (db_ != nullptr) {
        return state_;
    }
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    movedTo_.clear();
    state_ = StoreState::Opened;
    if (!openFile() || !prepareSchema()) {
        close();
        if (fs::symlink_status(file_).type() == fs::file_type::not_found) {
            state_ = StoreState::Failed;
            return state_;
        }
        // Whatever stands there is kept for a look, under a name of its own.
        const fs::path aside = asideName(file_, today);
        fs::rename(file_, aside, ec);
        state_ = StoreState::Failed;
        if (ec || !openFile() || !prepareSchema()) {
            close();
            return state_;
        }
        movedTo_ = aside;
        state_ = StoreState::MovedAside;
    }
    if (state_ == StoreState::Newer) {
        close();
    }
    return state_;
}

bool HistoryStore::add(const std::vector<Round>& rounds) {
    if (db_ == nullptr || !execute(db_, "BEGIN IMMEDIATE")) {
        return false;
    }
    Statement insert(db_,
                     "INSERT INTO rounds (played, player, game, variant, result, from_table) "
                     "VALUES (?, ?, ?, ?, ?, ?)");
    bool ok = insert.ok();
    for (std::size_t i = 0; ok && i < rounds.size(); ++i) {
        const Round& round = rounds[i];
        sqlite3_reset(insert.get());
        insert.bind(1, round.when);
        insert.bind(2, round.player);
        insert.bind(3, round.gameId);
        insert.bind(4, round.variant);
        insert.bind(5, round.result);
        insert.bind(6, round.fromTable ? 1 : 0);
        ok = sqlite3_step(insert.get()) == SQLITE_DONE;
    }
    if (ok && execute(db_, "COMMIT")) {
        return true;
    }
    execute(db_, "ROLLBACK");
    return false;
}

std::vector<Round> HistoryStore::rounds(const RoundFilter& filter) const {
    std::vector<Round> found;
    if (db_ == nullptr) {
        return found;
    }
    // Only the fields asked for are compared, so that the index serves the query.
    std::string sql =
        "SELECT played, player, game, variant, result, from_table FROM rounds WHERE 1";
    sql += filter.player ? " AND player = ?1" : "";
    sql += filter.gameId ? " AND game = ?2" : "";
    sql += filter.variant ? " AND variant = ?3" : "";
    Statement query(db_, (sql + " ORDER BY id").c_str());
    if (!query.ok()) {
        return found;
    }
    if (filter.player) {
        query.bind(1, *filter.player);
    }
    if (filter.gameId) {
        query.bind(2, *filter.gameId);
    }
    if (filter.variant) {
        query.bind(3, *filter.variant);
    }
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        found.push_back({query.text(0), query.text(1), query.text(2),
                         sqlite3_column_int(query.get(), 3), sqlite3_column_int(query.get(), 4),
                         sqlite3_column_int(query.get(), 5) != 0});
    }
    return found;
}

}  // namespace tro
