#include "progress.h"

#include <gtest/gtest.h>

#include <sstream>

#include "history.h"
#include "history_csv.h"
#include "testing/fakes.h"
#include "testing/play_dir.h"

namespace tro {
namespace {

using testing::PlayDir;

std::vector<Round> played(const std::vector<int>& results, const std::string& day = "2026-12-06") {
    std::vector<Round> rounds;
    for (const int result : results) {
        rounds.push_back({day + "T12:00:00", "Аня", "g", 1, result, false});
    }
    return rounds;
}

// Series and figures worked out by hand.
TEST(Progress, SeriesAndFiguresFollowTheDirection) {
    const std::vector<int> twelve = {50, 40, 60, 55, 70, 30, 65, 80, 20, 75, 90, 85};
    const ProgressSeries up = progressSeries(played(twelve), 1);
    EXPECT_EQ(up.bestSoFar, (std::vector<int>{50, 50, 60, 60, 70, 70, 70, 80, 80, 80, 90, 90}));
    // The medians of the first round, the first four, the first ten, rounds 2 to 11, 3 to 12.
    EXPECT_EQ(std::vector({up.recentMedian[0], up.recentMedian[3], up.recentMedian[9],
                           up.recentMedian[10], up.recentMedian[11]}),
              (std::vector<double>{50, 52.5, 57.5, 62.5, 67.5}));

    // direction, results, today; rounds, best, last, recent and first median, improvement,
    // today's rounds, trend
    using enum Trend;
    const std::tuple<int, std::vector<Round>, int, int, double, double, std::optional<double>, int,
                     Trend>
        cases[] = {
            {1, played(twelve), 90, 85, 67.5, 57.5, 100.0 * 10 / 57.5, 12, Better},
            {-1, played(twelve), 20, 85, 67.5, 57.5, -100.0 * 10 / 57.5, 12, Worse},
            {1, played({7}), 7, 7, 7, 7, 0.0, 1, None},
            {1, played({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}), 5, 5, 0, 0, std::nullopt, 11, None},
            {1, played({10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, "2026-12-05"), 10, 10, 10, 10,
             0.0, 0, Same},
        };
    for (const auto& [direction, rounds, best, last, recent, first, improvement, today, trend] :
         cases) {
        const ProgressSummary s = progressSummary(rounds, direction, "2026-12-06");
        EXPECT_EQ(std::tuple(s.rounds, s.best, s.last, s.recentMedian, s.firstMedian, s.today),
                  std::tuple(static_cast<int>(rounds.size()), best, last, recent, first, today));
        ASSERT_EQ(s.improvement.has_value(), improvement.has_value());
        EXPECT_NEAR(s.improvement.value_or(0), improvement.value_or(0), 1e-9);
        EXPECT_EQ(s.trend, trend) << direction;
    }
    EXPECT_EQ(progressSummary({}, 1, "2026-12-06").best, std::nullopt);
}

// The name picked for a placed result; else the current player; else no one.
TEST(Progress, AResultBelongsToThePickedNameOrTheCurrentPlayer) {
    const std::tuple<bool, const char*, const char*, const char*> cases[] = {
        {true, "Аня", "Bob", "Аня"},  {true, "Аня", "", "Аня"},  {true, "", "Bob", "Bob"},
        {true, "", "", ""},           {false, "", "Bob", "Bob"}, {false, "", "", ""},
        {false, "Аня", "Bob", "Bob"}, {false, "Аня", "", ""},
    };
    for (const auto& [placed, chosen, current, owner] : cases) {
        EXPECT_EQ(resultOwner(placed, chosen, current), owner) << placed << chosen << current;
    }
}

// A first opening takes in the result tables; later results are recorded at the clock's moment
// and written out as CSV with the titles of the catalogue.
TEST(History, BeginsWithTheTablesRecordsResultsAndWritesThemAsCsv) {
    PlayDir play;
    play.addGame("lines", "ЛАЙНС", 1, {"на очки", "на время"});
    play.fillTable("lines", 1, "Аня=300,Bob=10000,Cid=abc,Dan=250");
    play.fillTable("zz", 0, "Eve=7");
    testing::writeBytes(play / "DATA/lines/res1.dat.new", "not a table");
    {
        // Rows with a broken date stay out.
        SlotFile table(play / "DATA/lines/res1.dat", kResultTableSlotLength);
        ASSERT_EQ(table.open(), SlotStatus::Ok);
        ASSERT_EQ(table.writeText(11, "31.02.2026"), SlotStatus::Ok);
    }
    testing::FixedClock clock({2026, 12, 7}, {9, 5, 3});
    History history(play.dir(), clock);
    ASSERT_TRUE(history.record("Bob, \"B\"", "lines", 2, 280));
    EXPECT_EQ(history.takeNotice(), "");
    std::ostringstream csv;
    writeHistoryCsv(csv, history.rounds({}), play.dir());
    EXPECT_EQ(csv.str(),
              "время,игра,название игры,вариант,название варианта,игрок,результат\n"
              "2026-01-01,lines,ЛАЙНС,2,на время,Аня,300\n"
              "2026-01-01,zz,,1,,Eve,7\n"
              "2026-12-07T09:05:03,lines,ЛАЙНС,2,на время,\"Bob, \"\"B\"\"\",280\n");
    EXPECT_FALSE(std::filesystem::exists(play / "zz.dat")) << "the CSV reads, never writes";

    // A damaged history is told once, and a new one begins with the tables again.
    testing::writeBytes(play / "DATA/history.db", "damaged");
    History again(play.dir(), clock);
    EXPECT_EQ(again.rounds({"Bob, \"B\"", {}, {}}).size(), 0u);
    EXPECT_EQ(again.rounds({}).size(), 2u);
    EXPECT_NE(again.takeNotice().find("DATA/history-damaged-2026-12-07.db"), std::string::npos);
    EXPECT_EQ(again.takeNotice(), "");
}

}  // namespace
}  // namespace tro
