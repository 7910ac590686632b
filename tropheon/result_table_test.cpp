#include "result_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "cp1251.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;

struct Entry {
    std::string name;
    std::string result;
    std::string date = "01.01.2026";
};

void writeTable(const fs::path& dir, const std::vector<Entry>& entries) {
    fs::create_directories(dir / "DATA" / "game");
    SlotFile file(tableFilePath(dir, "game", 0), kResultTableSlot);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    for (std::size_t r = 0; r < entries.size(); ++r) {
        const int base = 3 * static_cast<int>(r);
        ASSERT_EQ(file.writeText(base + 1, entries[r].name), SlotStatus::Ok);
        ASSERT_EQ(file.writeText(base + 2, entries[r].date), SlotStatus::Ok);
        ASSERT_EQ(file.writeText(base + 3, entries[r].result), SlotStatus::Ok);
    }
}

// The text a slot of the file holds: its length word and its bytes.
std::string slotText(const std::string& bytes, int slot) {
    const std::size_t start = static_cast<std::size_t>(slot - 1) * kResultTableSlot;
    if (start + 2 > bytes.size()) {
        return "<missing>";
    }
    const auto length =
        static_cast<std::size_t>(static_cast<unsigned char>(bytes[start]) |
                                 (static_cast<unsigned char>(bytes[start + 1]) << 8));
    return bytes.substr(start + 2, length);
}

std::vector<std::string> namesAndResults(const ResultTable& table) {
    std::vector<std::string> out;
    for (const TableRow& row : table.rows()) {
        if (!row.name.empty()) {
            out.push_back(row.name + "=" + row.result);
        }
    }
    return out;
}

TEST(ResultTable, ANewTableGetsSixtyEmptySlotsAndTheFolders) {
    TempDir dir;
    ResultTable table;
    ASSERT_EQ(table.load(dir.path(), "lines", 1), SlotStatus::Ok);
    const fs::path file = dir.path() / "DATA" / "lines" / "res1.dat";
    ASSERT_TRUE(fs::exists(file));
    const std::string bytes = readBytes(file);
    EXPECT_EQ(bytes, std::string(60 * kResultTableSlot, '\0'));
    for (const TableRow& row : table.rows()) {
        EXPECT_EQ(row, TableRow{});
    }
}

TEST(ResultTable, LoadShowsMarksAsEmptyResultsAndClearsRowsWithoutAName) {
    TempDir dir;
    writeTable(dir.path(),
               {{"Аня", "10000"}, {"Боря", "0"}, {"", "55", "02.02.2020"}, {"Вера", "7"}});
    ResultTable table;
    ASSERT_EQ(table.load(dir.path(), "game", 0), SlotStatus::Ok);
    EXPECT_EQ(table.rows()[0], (TableRow{"Аня", "01.01.2026", ""}));
    EXPECT_EQ(table.rows()[1], (TableRow{"Боря", "01.01.2026", ""}));
    EXPECT_EQ(table.rows()[2], TableRow{});
    EXPECT_EQ(table.rows()[3], (TableRow{"Вера", "01.01.2026", "7"}));
    const std::string bytes = readBytes(tableFilePath(dir.path(), "game", 0));
    EXPECT_EQ(slotText(bytes, 8), "");
    EXPECT_EQ(slotText(bytes, 9), "");
    EXPECT_EQ(bytes.size(), 60u * kResultTableSlot);
    // Marked rows rank like empty rows.
    EXPECT_EQ(table.findPlace(1, 1), 1);
}

TEST(ResultTable, GarbageFilesLoadAsFarAsTheyMakeSense) {
    std::mt19937 gen(7);
    for (const std::size_t size : {1u, 2u, 29u, 31u, 700u, 1800u, 5000u}) {
        TempDir dir;
        fs::create_directories(dir.path() / "DATA" / "game");
        std::string garbage(size, '\0');
        for (char& c : garbage) {
            c = static_cast<char>(gen());
        }
        testing::writeBytes(tableFilePath(dir.path(), "game", 0), garbage);
        ResultTable table;
        (void)table.load(dir.path(), "game", 0);
        for (const TableRow& row : table.rows()) {
            EXPECT_LE(row.name.size(), 2u * 28u);  // UTF-8 of at most 28 bytes
        }
        (void)table.findPlace(100, 1);
    }
}

TEST(ResultTable, AFileInTheWayOfTheFolderIsReportedNotFatal) {
    TempDir dir;
    testing::writeBytes(dir / "DATA", "not a folder");
    ResultTable table;
    EXPECT_NE(table.load(dir.path(), "game", 0), SlotStatus::Ok);
    EXPECT_EQ(table.findPlace(5, 1), 1);
    EXPECT_EQ(table.store(1, "Аня", "01.01.2026", "5"), StoreOutcome::WriteFailed);
}

// A store whose new file cannot be written keeps the old table byte for byte.
TEST(ResultTable, AFailedStoreKeepsTheOldTableWhole) {
    TempDir dir;
    writeTable(dir.path(), {{"Аня", "50"}, {"Боря", "40"}});
    ResultTable table;
    ASSERT_EQ(table.load(dir.path(), "game", 0), SlotStatus::Ok);
    const std::string before = readBytes(tableFilePath(dir.path(), "game", 0));
    fs::path blocker = tableFilePath(dir.path(), "game", 0);
    blocker += ".new";
    fs::create_directory(blocker);
    EXPECT_EQ(table.store(1, "Вера", "02.01.2026", "60"), StoreOutcome::WriteFailed);
    EXPECT_EQ(readBytes(tableFilePath(dir.path(), "game", 0)), before);
    fs::remove(blocker);
    ResultTable again;
    ASSERT_EQ(again.load(dir.path(), "game", 0), SlotStatus::Ok);
    EXPECT_EQ(namesAndResults(again), (std::vector<std::string>{"Аня=50", "Боря=40"}));
}

struct RankCase {
    const char* what;
    std::int16_t direction;
    std::vector<Entry> before;
    std::string name;
    std::int16_t result;
    std::optional<int> place;
    StoreOutcome outcome;
    std::vector<std::string> after;  // name=result of the rows with a name, in order
};

std::vector<Entry> fullTable() {
    std::vector<Entry> rows;
    for (int i = 0; i < kTableRows; ++i) {
        rows.push_back({"P" + std::to_string(i + 1), std::to_string(100 - i)});
    }
    return rows;
}

std::vector<std::string> fullTableWithLast(const std::string& last) {
    std::vector<std::string> rows;
    for (int i = 0; i < kTableRows - 1; ++i) {
        rows.push_back("P" + std::to_string(i + 1) + "=" + std::to_string(100 - i));
    }
    rows.push_back(last);
    return rows;
}

TEST(ResultTable, RanksAndStoresAsTheTableRulesSay) {
    const RankCase cases[] = {
        {"higher is better, ties rank above",
         1,
         {{"A", "50"}, {"B", "40"}, {"C", "40"}, {"D", "30"}},
         "E",
         40,
         2,
         StoreOutcome::Stored,
         {"A=50", "E=40", "B=40", "C=40", "D=30"}},
        {"lower is better, equal result",
         -1,
         {{"A", "12"}, {"B", "15"}},
         "C",
         15,
         2,
         StoreOutcome::Stored,
         {"A=12", "C=15", "B=15"}},
        {"lower is better, first empty row",
         -1,
         {{"A", "12"}, {"B", "15"}},
         "C",
         20,
         3,
         StoreOutcome::Stored,
         {"A=12", "B=15", "C=20"}},
        {"a full table with no place", 1, fullTable(), "X", 80, std::nullopt, StoreOutcome::NoPlace,
         fullTableWithLast("P20=81")},
        {"a full table: the last row drops out", 1, fullTable(), "X", 81, 20, StoreOutcome::Stored,
         fullTableWithLast("X=81")},
        {"the player moves up",
         1,
         {{"A", "50"}, {"B", "45"}, {"C", "40"}, {"Dan", "35"}, {"E", "30"}},
         "Dan",
         47,
         2,
         StoreOutcome::Stored,
         {"A=50", "Dan=47", "B=45", "C=40", "E=30"}},
        {"the player would move down",
         1,
         {{"Dan", "50"}, {"B", "40"}, {"C", "30"}},
         "Dan",
         35,
         3,
         StoreOutcome::KeptBetter,
         {"Dan=50", "B=40", "C=30"}},
        {"an equal result only changes the date",
         1,
         {{"A", "60"}, {"Dan", "50"}, {"B", "40"}},
         "Dan",
         50,
         2,
         StoreOutcome::Stored,
         {"A=60", "Dan=50", "B=40"}},
        {"names compare with case",
         1,
         {{"dan", "50"}},
         "Dan",
         40,
         2,
         StoreOutcome::Stored,
         {"dan=50", "Dan=40"}},
        {"a direction of 0 gives place 1",
         0,
         {{"A", "50"}, {"B", "40"}},
         "C",
         10,
         1,
         StoreOutcome::Stored,
         {"C=10", "A=50", "B=40"}},
        {"a marked row is beaten by any result",
         -1,
         {{"A", "10000"}, {"B", "0"}},
         "C",
         900,
         1,
         StoreOutcome::Stored,
         {"C=900", "A=", "B="}},
        {"a leading number counts, the rest of the text is ignored",
         1,
         {{"A", "30 очков"}, {"B", "abc"}},
         "C",
         20,
         2,
         StoreOutcome::Stored,
         {"A=30 очков", "C=20", "B=abc"}},
    };
    for (const RankCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        writeTable(dir.path(), c.before);
        ResultTable table;
        ASSERT_EQ(table.load(dir.path(), "game", 0), SlotStatus::Ok);
        const fs::path file = tableFilePath(dir.path(), "game", 0);
        const std::string bytesBefore = readBytes(file);

        const auto place = table.findPlace(c.result, c.direction);
        EXPECT_EQ(place, c.place);
        const StoreOutcome outcome =
            table.store(place.value_or(0), c.name, "06.12.2026", std::to_string(c.result));
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(namesAndResults(table), c.after);

        const std::string bytes = readBytes(file);
        if (outcome != StoreOutcome::Stored) {
            EXPECT_EQ(bytes, bytesBefore);
            continue;
        }
        EXPECT_EQ(bytes.size(), 60u * kResultTableSlot);
        for (int r = 0; r < kTableRows; ++r) {
            const TableRow& row = table.rows()[static_cast<std::size_t>(r)];
            EXPECT_EQ(fromCp1251(slotText(bytes, 3 * r + 1)), row.name) << r;
            EXPECT_EQ(slotText(bytes, 3 * r + 2), row.date) << r;
            EXPECT_EQ(fromCp1251(slotText(bytes, 3 * r + 3)), row.result) << r;
        }
        EXPECT_EQ(table.rows()[static_cast<std::size_t>(*place - 1)].date, "06.12.2026");
        // What was written loads back alike.
        ResultTable again;
        ASSERT_EQ(again.load(dir.path(), "game", 0), SlotStatus::Ok);
        EXPECT_EQ(again.rows(), table.rows());
    }
}

// The reference: every result ever entered, best first (a newer entry above an equal older
// one), one entry per name, cut to twenty.
std::vector<std::string> referenceTable(const std::vector<Entry>& history, int direction) {
    std::vector<std::size_t> order(history.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const long va = direction * std::stol(history[a].result);
        const long vb = direction * std::stol(history[b].result);
        return va != vb ? va > vb : a > b;
    });
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const std::size_t i : order) {
        if (out.size() == kTableRows) {
            break;
        }
        if (seen.insert(history[i].name).second) {
            out.push_back(history[i].name + "=" + history[i].result + "@" + history[i].date);
        }
    }
    return out;
}

TEST(ResultTable, StoreAgreesWithASimpleReferenceOverRandomSequences) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 gen(seed);
        const int direction = std::array{1, -1, 0}[gen() % 3];
        const int names = 5 + static_cast<int>(gen() % 30);
        TempDir dir;
        ResultTable table;
        ASSERT_EQ(table.load(dir.path(), "game", 0), SlotStatus::Ok);
        std::vector<Entry> history;
        for (int step = 0; step < 120; ++step) {
            const std::string name = "N" + std::to_string(gen() % names);
            const auto result = static_cast<std::int16_t>(1 + gen() % 40);
            const std::string date = std::to_string(step);
            if (const auto place = table.findPlace(result, static_cast<std::int16_t>(direction))) {
                (void)table.store(*place, name, date, std::to_string(result));
            }
            history.push_back({name, std::to_string(result), date});
            std::vector<std::string> actual;
            for (const TableRow& row : table.rows()) {
                if (!row.name.empty()) {
                    actual.push_back(row.name + "=" + row.result + "@" + row.date);
                }
            }
            ASSERT_EQ(actual, referenceTable(history, direction))
                << "seed " << seed << ", step " << step << ", direction " << direction;
        }
    }
}

TEST(ResultTable, DateTextHasTwoDigitDayAndMonth) {
    EXPECT_EQ(dateText(6, 3, 2026), "06.03.2026");
    EXPECT_EQ(dateText(31, 12, 1999), "31.12.1999");
}

}  // namespace
}  // namespace tro
