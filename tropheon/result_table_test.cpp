#include "result_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "testing/play_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::PlayDir;
using testing::readBytes;

// The rows that are not empty as "name=result" (with "@date" when asked), in table order.
std::string shown(const ResultTable& table, bool dates = false) {
    std::string out;
    for (const TableRow& row : table.rows()) {
        if (row != TableRow{}) {
            out += (out.empty() ? "" : ",") + row.name + "=" + row.result +
                   (dates ? "@" + row.date : "");
        }
    }
    return out;
}

TEST(ResultTable, AFailedStoreKeepsTheOldTableWholeAndIsReported) {
    PlayDir play;
    ResultTable table;
    ASSERT_EQ(table.load(play.dir(), "lines", 1), SlotStatus::Ok);
    EXPECT_EQ(readBytes(play / "DATA/lines/res1.dat"), std::string(60 * 30, '\0'));
    play.fillTable("game", 0, "Аня=50,Боря=40");
    ASSERT_EQ(table.load(play.dir(), "game", 0), SlotStatus::Ok);
    const fs::path file = tableFilePath(play.dir(), "game", 0);
    const std::string before = readBytes(file);
    fs::create_directory(fs::path(file.string() + ".new"));
    EXPECT_EQ(table.store(1, "Вера", "02.01.2026", "60"), StoreOutcome::WriteFailed);
    EXPECT_EQ(readBytes(file), before);
    // A file where the folder should be is reported, not fatal.
    testing::TempDir blocked;
    testing::writeBytes(blocked / "DATA", "not a folder");
    EXPECT_NE(table.load(blocked.path(), "game", 0), SlotStatus::Ok);
    EXPECT_EQ(table.store(*table.findPlace(5, 1), "Аня", "01.01.2026", "5"),
              StoreOutcome::WriteFailed);
}

// The direction, the table, the entry; its place, the outcome and the table afterwards, as
// shown and as read back from the file. The random sequences below try the ranking at large.
TEST(ResultTable, RanksAndStoresAsTheTableRulesSay) {
    std::string full19;
    for (int i = 1; i < kTableRows; ++i) {
        full19 += "P" + std::to_string(i) + "=" + std::to_string(101 - i) + ",";
    }
    using enum StoreOutcome;
    const std::tuple<std::int16_t, std::string, std::string, std::int16_t, std::optional<int>,
                     StoreOutcome, std::string>
        cases[] = {
            {1, full19 + "P20=81", "X", 80, {}, NoPlace, full19 + "P20=81"},
            {1, full19 + "P20=81", "X", 81, 20, Stored, full19 + "X=81"},
            {1, "Dan=50,B=40,C=30", "Dan", 35, 3, KeptBetter, "Dan=50,B=40,C=30"},
            {1, "dan=50", "Dan", 40, 2, Stored, "dan=50,Dan=40"},
            {-1, "A=10000,B=0,=55", "C", 900, 1, Stored, "C=900,A=,B="},
            {1, "A=30 очков,B=abc", "C", 20, 2, Stored, "A=30 очков,C=20,B=abc"},
        };
    for (const auto& [direction, before, name, result, place, outcome, after] : cases) {
        SCOPED_TRACE(before.substr(0, 40) + " + " + name);
        PlayDir play;
        play.fillTable("game", 0, before);
        ResultTable table;
        ASSERT_EQ(table.load(play.dir(), "game", 0), SlotStatus::Ok);
        EXPECT_EQ(table.findPlace(result, direction), place);
        EXPECT_EQ(table.store(place.value_or(0), name, "06.12.2026", std::to_string(result)),
                  outcome);
        EXPECT_EQ(shown(table), after);
        ResultTable reread;
        ASSERT_EQ(reread.load(play.dir(), "game", 0), SlotStatus::Ok);
        EXPECT_EQ(reread.rows(), table.rows());
    }
}

// Against a simple reference: every result ever entered, best first (a newer entry above an
// equal older one), one entry per name, cut to twenty.
TEST(ResultTable, StoreAgreesWithASimpleReferenceOverRandomSequences) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 gen(seed);
        const auto direction = std::array<std::int16_t, 3>{1, -1, 0}[gen() % 3];
        const unsigned names = 5 + gen() % 30;
        PlayDir play;
        ResultTable table;
        ASSERT_EQ(table.load(play.dir(), "game", 0), SlotStatus::Ok);
        // Every entry as its weight, its step (which is its date), name and result.
        std::vector<std::tuple<int, std::size_t, std::string, std::int16_t>> history;
        for (std::size_t step = 0; step < 120; ++step) {
            const auto result = static_cast<std::int16_t>(1 + gen() % 40);
            const std::string name = "N" + std::to_string(gen() % names);
            history.emplace_back(direction * result, step, name, result);
            if (const auto place = table.findPlace(result, direction)) {
                (void)table.store(*place, name, std::to_string(step), std::to_string(result));
            }
            auto order = history;
            std::sort(order.rbegin(), order.rend());
            std::string expected;
            std::set<std::string> seen;
            for (const auto& [weight, at, who, value] : order) {
                if (seen.size() < kTableRows && seen.insert(who).second) {
                    expected += (expected.empty() ? "" : ",") + who + "=" + std::to_string(value) +
                                "@" + std::to_string(at);
                }
            }
            ASSERT_EQ(shown(table, true), expected) << "seed " << seed << ", step " << step;
        }
    }
}

}  // namespace
}  // namespace tro
