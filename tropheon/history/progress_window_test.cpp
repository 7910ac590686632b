#include "progress_window.h"

#include <gtest/gtest.h>

#include <QChartView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QXYSeries>

#include "testing/fake_services.h"
#include "testing/play_dir.h"

namespace tro {
namespace {

// A player's rounds of the chosen variant are the chart's points, with the figures beside
// them; a player without rounds there, or no player, gets a few words instead of a chart.
// "Сохранить CSV..." writes the player's rounds, and a file it cannot write is told.
TEST(ProgressWindow, DrawsThePlayersRoundsAndSavesThem) {
    testing::PlayDir play;
    play.addGame("g", "Игра", -1, {"один", "два"});
    testing::FakeServices fake;
    History history(play.dir(), fake.clock);
    for (const auto& [player, result] : {std::pair{"Аня", 50}, {"Bob", 7}, {"Аня", 40}}) {
        ASSERT_TRUE(history.record(player, "g", 1, result));
    }
    const ProgressGame game{"g", "Игра", -1, {"один", "два"}};
    const std::tuple<const char*, int, int> cases[] = {
        {"Аня", 1, 2}, {"Аня", 2, 0}, {"Cid", 1, 0}, {"", 1, 0}};
    for (const auto& [player, variant, points] : cases) {
        ProgressWindow window(fake.services, history, {player, game, variant, {game}});
        const auto* chart = window.findChild<QChartView*>("Chart");
        const auto* rounds =
            chart ? qobject_cast<QXYSeries*>(chart->chart()->series().back()) : nullptr;
        EXPECT_EQ(rounds ? rounds->count() : 0, points) << player << variant;
        EXPECT_EQ(window.findChild<QLabel*>("NoHistory") != nullptr, points == 0);
    }
    ProgressWindow window(fake.services, history, {"Аня", game, 1, {game}});
    EXPECT_EQ(window.findChild<QLabel*>("Figure1")->text(), "40") << "a smaller result is better";
    testing::TempDir out;
    for (const std::filesystem::path& file : {out / "h.csv", out / "no" / "h.csv"}) {
        window.chooseCsvFile = [&] { return QString::fromStdString(file.string()); };
        QTest::mouseClick(window.findChild<QPushButton*>("SaveCsv"), Qt::LeftButton);
    }
    const std::string csv = testing::readBytes(out / "h.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3) << csv;
    EXPECT_EQ(csv.find("Bob"), std::string::npos);
    EXPECT_EQ(fake.dialogs.messages.size(), 1u);
}

}  // namespace
}  // namespace tro
