#include "manager.h"

#include <gtest/gtest.h>

#include <iterator>

#include "platform.h"
#include "testing/fakes.h"
#include "testing/play_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::FixedClock;
using testing::PlayDir;
using testing::ScriptedRandom;

const Date kToday{2026, 12, 6};
const TimeOfDay kNow{12, 0, 0};

// Rows: 0 "Арифметика" (tsifran, 3 variants), 1 "ЛАЙНС" (lines, 2), and 2 "ЛАЙНС" again
// (zlines): a hand-off opens its own game even when another shares its title.
void addGames(PlayDir& play) {
    play.addGame("lines", "ЛАЙНС", 1, {"на очки", "на время"});
    play.addGame("tsifran", "Арифметика", -1, {"сложение", "вычитание", "вместе"});
    play.addGame("zlines", "ЛАЙНС", 1, {"на очки", "на время"});
}

// The start-up sequence as the main window runs it.
StartKind startUp(Manager& manager, const std::string& commandLine) {
    const StartKind kind = manager.acceptCommandLine(commandLine);
    if (kind != StartKind::Refused) {
        manager.scanCatalogue();
        if (const auto row = manager.initialGameRow()) {
            manager.selectGame(*row);
            if (const auto variant = manager.initialVariantRow()) {
                (void)manager.selectVariant(*variant);
            }
        }
    }
    return kind;
}

// The command line, when the hand-off file was made (none: no file), the draw; what opens
// ("", -1: refused). A random row "ЛАЙНС" opens the first game listed under that title. The game
// id of a hand-off is only compared with the listed ids: the manager makes the files of
// exactly one game and variant inside its play directory.
TEST(ManagerStart, OpensTheHandedOffGameAndVariantOrARandomOne) {
    const std::optional<TimeOfDay> fresh = kNow;
    const std::tuple<std::string, std::optional<TimeOfDay>, double, std::string, int> cases[] = {
        {"", {}, 0.0, "tsifran", 0},
        {"", {}, 0.99, "lines", 1},
        {"lines*1*-1", {}, 0.0, "", -1},
        {"lines*1*-1", TimeOfDay{11, 59, 54}, 0.0, "", -1},
        {"lines*2*-1", fresh, 0.0, "lines", 1},
        {"zlines*2*-1", fresh, 0.0, "zlines", 1},
        {"tsifran*3*-1", fresh, 0.0, "tsifran", 2},
        {"tsifran*4*-1", fresh, 0.99, "tsifran", 2},
        {"tsifran", fresh, 0.5, "lines", 1},
        {"  tsifran  * 1 *-1", fresh, 0.99, "tsifran", 0},
        {"../tsifran*1*-1", fresh, 0.5, "lines", 1},
        {"\xff\xfe\xc3*1*-1", fresh, 0.5, "lines", 1},
    };
    for (const auto& [commandLine, madeAt, draw, game, variant] : cases) {
        SCOPED_TRACE(::testing::PrintToString(commandLine.substr(0, 40)));
        PlayDir play;
        addGames(play);
        if (madeAt) {
            play.handOff(commandLine, *madeAt);
        }
        FixedClock clock(kToday, kNow);
        ScriptedRandom random({draw});
        Manager manager(play.dir(), clock, random);
        EXPECT_EQ(startUp(manager, commandLine), commandLine.empty() ? StartKind::User
                                                 : game.empty()      ? StartKind::Refused
                                                                     : StartKind::Handoff);
        EXPECT_EQ(
            std::tuple(manager.gameId(), manager.variantRow().value_or(-1), manager.intakeDue()),
            std::tuple(game, variant, false));
        // Beside the play directory nothing; in it the six files of the games, and with a
        // game open its table (and folders) and its rules.
        const auto files = fs::recursive_directory_iterator(play.dir().parent_path());
        EXPECT_EQ(std::distance(fs::begin(files), fs::end(files)), game.empty() ? 7 : 11);
        if (const auto start = manager.startCommand(); !game.empty()) {
            ASSERT_TRUE(start.has_value());
            EXPECT_TRUE(
                fs::exists(play / ("DATA/" + game + "/res" + std::to_string(variant) + ".dat")));
            EXPECT_EQ(std::tuple(start->program, start->variant),
                      std::tuple(fs::absolute(play / programFileName(game)), variant + 1));
        }
    }
}

// The code is taken only when it decodes for the handed-off game, variant and day and the
// hand-off file vouches for its last character; the place is found in the loaded table and
// the result stored there under today's date.
TEST(ManagerIntake, TakesOnlyAVouchedCodeAndStoresItAtItsPlace) {
    const std::string good = PlayDir::code("lines", 1, 50, kToday);
    std::string altered = good;
    altered[3] = altered[3] == 'a' ? 'b' : 'a';
    std::string otherCheck = good;
    otherCheck.back() = otherCheck.back() == 'a' ? 'b' : 'a';
    std::string full;  // twenty rows of 60
    for (int i = 0; i < kTableRows; ++i) {
        full += "R=60,";
    }
    // The code, what the hand-off file vouches for, the table; the place (0: none, -1: refused).
    const std::tuple<std::string, std::string, std::string, int> cases[] = {
        {good, good, "R1=100,R2=40", 2},
        {good, good, full, 0},
        {altered, altered, "", -1},
        {good, otherCheck, "", -1},
        {PlayDir::code("lines", 1, -1, kToday), PlayDir::code("lines", 1, -1, kToday), "", -1},
        {PlayDir::code("lines", 1, 50, {2026, 12, 5}), "", "", -1},
        {PlayDir::code("lines", 2, 50, kToday), "", "", -1},
        {"ABC", "ABC", "", -1},
    };
    for (const auto& [code, vouched, table, place] : cases) {
        SCOPED_TRACE(code);
        PlayDir play;
        addGames(play);
        play.fillTable("lines", 0, table);
        play.handOff("lines*1*" + (vouched.empty() ? code : vouched), kNow);
        FixedClock clock(kToday, kNow);
        ScriptedRandom random;
        Manager manager(play.dir(), clock, random);
        ASSERT_EQ(startUp(manager, "lines*1*" + code), StartKind::Handoff);
        ASSERT_TRUE(manager.intakeDue());
        const auto taken = manager.takeResultCode();
        EXPECT_FALSE(manager.intakeDue());
        ASSERT_EQ(taken.has_value(), place >= 0);
        if (taken) {
            EXPECT_EQ(std::tuple(taken->submission.result, taken->place.value_or(0)),
                      std::tuple(50, place));
            EXPECT_EQ(manager.storeResult(*taken, "Ann"),
                      place == 0 ? StoreOutcome::NoPlace : StoreOutcome::Stored);
            const auto row = static_cast<std::size_t>(std::max(place, 1) - 1);
            EXPECT_EQ(manager.table().rows()[row] == (TableRow{"Ann", "06.12.2026", "50"}),
                      place > 0);
        }
    }
}

}  // namespace
}  // namespace tro
