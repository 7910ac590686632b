#include "result_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "cp1251.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;

// Rows written as "name=result" pairs separated by commas; the date is always 01.01.2026.
void writeTable(const fs::path& dir, const std::string& rows) {
    fs::create_directories(dir / "DATA" / "game");
    SlotFile file(tableFilePath(dir, "game", 0), kResultTableSlotLength);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    std::istringstream in(rows);
    int slot = 1;
    for (std::string row; std::getline(in, row, ',');) {
        const auto eq = row.find('=');
        for (const std::string& text :
             {row.substr(0, eq), std::string("01.01.2026"), row.substr(eq + 1)}) {
            ASSERT_EQ(file.writeText(slot++, text), SlotStatus::Ok);
        }
    }
}

std::string shown(const ResultTable& table) {
    std::string out;
    for (const TableRow& row : table.rows()) {
        if (!row.name.empty()) {
            out += (out.empty() ? "" : ",") + row.name + "=" + row.result;
        }
    }
    return out;
}

// The text of a slot of the file: its length word and its bytes.
std::string slotText(const std::string& bytes, int slot) {
    const std::size_t start = static_cast<std::size_t>(slot - 1) * kResultTableSlotLength;
    const auto length = static_cast<unsigned char>(bytes.at(start)) |
                        (static_cast<unsigned char>(bytes.at(start + 1)) << 8);
    return bytes.substr(start + 2, static_cast<std::size_t>(length));
}

TEST(ResultTable, LoadWritesEmptyRowsWholeAndShowsMarksAsNoResult) {
    TempDir dir;
    ResultTable table;
    ASSERT_EQ(table.load(dir.path(), "lines", 1), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "DATA/lines/res1.dat"),
              std::string(60 * kResultTableSlotLength, '\0'));

    writeTable(dir.path(), "Аня=10000,Боря=0,=55,Вера=7");
    ASSERT_EQ(table.load(dir.path(), "game", 0), SlotStatus::Ok);
    EXPECT_EQ(shown(table), "Аня=,Боря=,Вера=7");
    EXPECT_EQ(table.rows()[2], TableRow{});
    EXPECT_EQ(slotText(readBytes(tableFilePath(dir.path(), "game", 0)), 9), "");
    EXPECT_EQ(table.findPlace(1, 1), 1);  // a marked row ranks like an empty one
}

TEST(ResultTable, AFailedStoreKeepsTheOldTableWholeAndIsReported) {
    TempDir dir;
    writeTable(dir.path(), "Аня=50,Боря=40");
    ResultTable table;
    ASSERT_EQ(table.load(dir.path(), "game", 0), SlotStatus::Ok);
    const fs::path file = tableFilePath(dir.path(), "game", 0);
    const std::string before = readBytes(file);
    fs::create_directory(fs::path(file.string() + ".new"));
    EXPECT_EQ(table.store(1, "Вера", "02.01.2026", "60"), StoreOutcome::WriteFailed);
    EXPECT_EQ(readBytes(file), before);
    // A file where the folder should be is reported, not fatal.
    TempDir blocked;
    testing::writeBytes(blocked / "DATA", "not a folder");
    EXPECT_NE(table.load(blocked.path(), "game", 0), SlotStatus::Ok);
    EXPECT_EQ(table.store(*table.findPlace(5, 1), "Аня", "01.01.2026", "5"),
              StoreOutcome::WriteFailed);
}

TEST(ResultTable, RanksAndStoresAsTheTableRulesSay) {
    struct Case {
        const char* what;
        std::int16_t direction;
        std::string before, name;
        std::int16_t result;
        std::optional<int> place;
        StoreOutcome outcome;
        std::string after;
    };
    std::string full19;
    for (int i = 1; i < kTableRows; ++i) {
        full19 += "P" + std::to_string(i) + "=" + std::to_string(101 - i) + ",";
    }
    using enum StoreOutcome;
    const Case cases[] = {
        {"ties rank above", 1, "A=50,B=40,C=40,D=30", "E", 40, 2, Stored,
         "A=50,E=40,B=40,C=40,D=30"},
        {"lower is better", -1, "A=12,B=15", "C", 15, 2, Stored, "A=12,C=15,B=15"},
        {"lower is better, first empty row", -1, "A=12,B=15", "C", 20, 3, Stored, "A=12,B=15,C=20"},
        {"full table, no place", 1, full19 + "P20=81", "X", 80, {}, NoPlace, full19 + "P20=81"},
        {"full table, last row drops", 1, full19 + "P20=81", "X", 81, 20, Stored, full19 + "X=81"},
        {"the player moves up", 1, "A=50,B=45,Dan=35,E=30", "Dan", 47, 2, Stored,
         "A=50,Dan=47,B=45,E=30"},
        {"the player would move down", 1, "Dan=50,B=40,C=30", "Dan", 35, 3, KeptBetter,
         "Dan=50,B=40,C=30"},
        {"equal result, new date", 1, "A=60,Dan=50,B=40", "Dan", 50, 2, Stored, "A=60,Dan=50,B=40"},
        {"names compare with case", 1, "dan=50", "Dan", 40, 2, Stored, "dan=50,Dan=40"},
        {"a direction of 0", 0, "A=50,B=40", "C", 10, 1, Stored, "C=10,A=50,B=40"},
        {"marks are beaten", -1, "A=10000,B=0", "C", 900, 1, Stored, "C=900,A=,B="},
        {"leading number counts", 1, "A=30 очков,B=abc", "C", 20, 2, Stored,
         "A=30 очков,C=20,B=abc"},
    };
    for (const Case& c : cases) {
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
        EXPECT_EQ(shown(table), c.after);
        const std::string bytes = readBytes(file);
        if (outcome != Stored) {
            EXPECT_EQ(bytes, bytesBefore);
            continue;
        }
        ASSERT_EQ(bytes.size(), 60u * kResultTableSlotLength);
        for (int r = 0; r < kTableRows; ++r) {
            const TableRow& row = table.rows()[static_cast<std::size_t>(r)];
            EXPECT_EQ(fromCp1251(slotText(bytes, 3 * r + 1)), row.name) << r;
            EXPECT_EQ(slotText(bytes, 3 * r + 2), row.date) << r;
            EXPECT_EQ(fromCp1251(slotText(bytes, 3 * r + 3)), row.result) << r;
        }
        EXPECT_EQ(table.rows()[static_cast<std::size_t>(*place - 1)].date, "06.12.2026");
    }
}

struct Entry {
    std::string name, result, date;
};

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
        if (out.size() < kTableRows && seen.insert(history[i].name).second) {
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

}  // namespace
}  // namespace tro
