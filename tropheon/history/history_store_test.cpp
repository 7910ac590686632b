#include "history_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#ifdef __unix__
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;

const std::vector<Round> kRounds = {
    {"2026-12-01", "Аня", "lines", 1, 900, true},
    {"2026-12-07T10:00:00", "Bob \"the\", fast", "lines", 2, 321, false},
    {"2026-12-07T10:05:00", "Аня", "lines", 2, 400, false},
    {"2026-12-07T11:00:00", "", "tsifran", 2, 313, false},
};

// Rounds added in transactions of their own or together come back by any filter, in the order
// they were added, from a store opened anew.
TEST(HistoryStore, KeepsRoundsAndFindsThemByPlayerGameAndVariant) {
    TempDir dir;
    {
        HistoryStore store(dir / "DATA" / "history.db");
        ASSERT_EQ(store.open("2026-12-07"), StoreState::Created);
        ASSERT_TRUE(store.add({kRounds[0], kRounds[1]}) && store.add({kRounds[2]}) &&
                    store.add({kRounds[3]}));
    }
    HistoryStore store(dir / "DATA" / "history.db");
    ASSERT_EQ(store.open("2026-12-08"), StoreState::Opened);
    const std::pair<RoundFilter, std::vector<std::size_t>> cases[] = {
        {{}, {0, 1, 2, 3}},
        {{"Аня", {}, {}}, {0, 2}},
        {{"Аня", "lines", 2}, {2}},
        {{{}, "lines", 2}, {1, 2}},
        {{"", {}, {}}, {3}},
        {{"аня", {}, {}}, {}},
        {{"' OR 1=1 --", {}, {}}, {}},
    };
    for (const auto& [filter, indices] : cases) {
        std::vector<Round> expected;
        for (const std::size_t i : indices) {
            expected.push_back(kRounds[i]);
        }
        EXPECT_EQ(store.rounds(filter), expected) << filter.player.value_or("*");
    }
}

// A process that dies after a result loses nothing the store had committed.
TEST(HistoryStore, ACrashAfterAResultLosesNothingCommitted) {
#ifdef __unix__
    TempDir dir;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HistoryStore store(dir / "history.db");
        const bool added = store.open("2026-12-07") == StoreState::Created &&
                           store.add({kRounds[1]}) && store.add({kRounds[2]});
        _exit(added ? 9 : 1);  // no destructor, no close: as if the program were killed
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    HistoryStore store(dir / "history.db");
    ASSERT_EQ(store.open("2026-12-07"), StoreState::Opened);
    EXPECT_EQ(store.rounds({}), (std::vector<Round>{kRounds[1], kRounds[2]}));
#else
    GTEST_SKIP() << "needs fork";
#endif
}

// What is no history of ours is moved aside under the day's name and a new history begins; a
// newer version's history is left alone and not used.
TEST(HistoryStore, MovesADamagedFileAsideAndLeavesANewerOneAlone) {
    const auto database = [](const fs::path& file, const char* sql) {
        sqlite3* db = nullptr;
        sqlite3_open(file.string().c_str(), &db);
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        sqlite3_close(db);
    };
    const std::tuple<const char*, std::function<void(const fs::path&)>, StoreState> cases[] = {
        {"no database", [](const fs::path& f) { testing::writeBytes(f, std::string(200, 'x')); },
         StoreState::MovedAside},
        {"someone else's", [&](const fs::path& f) { database(f, "CREATE TABLE t (a);"); },
         StoreState::MovedAside},
        {"ours without its table",
         [&](const fs::path& f) { database(f, "PRAGMA user_version = 1;"); },
         StoreState::MovedAside},
        {"a folder", [](const fs::path& f) { fs::create_directories(f); }, StoreState::MovedAside},
#ifdef __unix__
        {"a pipe", [](const fs::path& f) { ::mkfifo(f.c_str(), 0600); }, StoreState::MovedAside},
#endif
        {"newer", [&](const fs::path& f) { database(f, "PRAGMA user_version = 2;"); },
         StoreState::Newer},
    };
    for (const auto& [what, make, state] : cases) {
        TempDir dir;
        const fs::path file = dir / "history.db";
        testing::writeBytes(dir / "history-damaged-2026-12-07.db", "an earlier one");
        make(file);
        // What stood there is kept as it was: its kind, and its bytes when it is a file.
        const auto kept = [](const fs::path& f) {
            return std::pair(fs::symlink_status(f).type(),
                             fs::is_regular_file(f) ? readBytes(f) : std::string());
        };
        const auto before = kept(file);
        HistoryStore store(file);
        EXPECT_EQ(store.open("2026-12-07"), state) << what;
        EXPECT_EQ(store.usable(), state != StoreState::Newer) << what;
        const fs::path aside = dir / "history-damaged-2026-12-07-2.db";
        EXPECT_EQ(store.movedTo(), state == StoreState::Newer ? fs::path() : aside) << what;
        EXPECT_EQ(kept(state == StoreState::Newer ? file : aside), before) << what;
        EXPECT_EQ(store.add({kRounds[0]}), state != StoreState::Newer) << what;
    }
}

}  // namespace
}  // namespace tro
