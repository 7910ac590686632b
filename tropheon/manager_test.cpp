#include "manager.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Two games, listed as row 0 "Арифметика" (tsifran, 3 variants) and row 1 "ЛАЙНС" (lines, 2).
void addGames(PlayDir& play) {
    play.addGame("lines", "ЛАЙНС", 1, {"на очки", "на время"});
    play.addGame("tsifran", "Арифметика", -1, {"сложение", "вычитание", "вместе"});
}

struct Started {
    StartKind kind;
    std::string gameId;
    std::optional<int> variantRow;
    bool intakeDue = false;
};

// The start-up sequence as the main window runs it.
Started startUp(Manager& manager, const std::string& commandLine) {
    Started out{manager.acceptCommandLine(commandLine), {}, {}, false};
    if (out.kind == StartKind::Refused) {
        return out;
    }
    manager.scanCatalogue();
    if (const auto row = manager.initialGameRow()) {
        manager.selectGame(*row);
        out.gameId = manager.gameId();
        if (const auto variant = manager.initialVariantRow()) {
            (void)manager.selectVariant(*variant);
            out.variantRow = variant;
        }
    }
    out.intakeDue = manager.intakeDue();
    return out;
}

TEST(ManagerStart, AUserStartPicksAGameAndAVariantAtRandom) {
    const std::tuple<double, std::string, int> cases[] = {
        {0.0, "tsifran", 0}, {0.49, "tsifran", 1}, {0.5, "lines", 1}, {0.99, "lines", 1}};
    for (const auto& [draw, game, variant] : cases) {
        PlayDir play;
        addGames(play);
        FixedClock clock(kToday, kNow);
        ScriptedRandom random({draw});
        Manager manager(play.dir(), clock, random);
        const Started started = startUp(manager, "");
        EXPECT_EQ(started.kind, StartKind::User);
        EXPECT_EQ(started.gameId, game) << draw;
        EXPECT_EQ(started.variantRow, variant) << draw;
        EXPECT_EQ(random.reseeds, 2);
    }
}

TEST(ManagerStart, AHandoffWithoutAFreshFileIsRefused) {
    const std::optional<TimeOfDay> madeAt[] = {std::nullopt, TimeOfDay{11, 59, 54},
                                               TimeOfDay{12, 0, 1}};
    for (const auto& at : madeAt) {
        PlayDir play;
        addGames(play);
        if (at) {
            play.handOff("lines*1*-1", *at);
        }
        FixedClock clock(kToday, kNow);
        ScriptedRandom random;
        Manager manager(play.dir(), clock, random);
        EXPECT_EQ(manager.acceptCommandLine("lines*1*-1"), StartKind::Refused);
        EXPECT_FALSE(fs::exists(play / "717.bol"));
        EXPECT_FALSE(fs::exists(play / "DATA"));
    }
}

// The game id of a hand-off is only compared with the listed ids; whatever it holds, the
// manager makes the files of exactly one game and variant inside its play directory.
TEST(ManagerStart, AHandoffIsAppliedOnlyToTheGameAndVariantItNames) {
    // With every draw 0.99 a random game is "ЛАЙНС" and a random variant its second one.
    const std::tuple<std::string, std::string, int> cases[] = {
        {"lines*2*-1", "lines", 1},
        {"tsifran*3*-1", "tsifran", 2},
        {"tsifran*4*-1", "tsifran", 2},
        {"tsifran*70000*-1", "tsifran", 2},
        {"tsifran", "lines", 1},
        {"  tsifran  * 1 *-1", "tsifran", 0},
        {"../tsifran*1*-1", "lines", 1},
        {"DATA/lines*1*-1", "lines", 1},
        {std::string(5000, 'a') + "*1*-1", "lines", 1},
        {"\xff\xfe\xc3*1*-1", "lines", 1},
    };
    for (const auto& [commandLine, game, variant] : cases) {
        SCOPED_TRACE(commandLine.substr(0, 40));
        PlayDir play;
        addGames(play);
        FixedClock clock(kToday, kNow);
        ScriptedRandom random({0.99});
        play.handOff(commandLine, kNow);
        Manager manager(play.dir(), clock, random);
        const Started started = startUp(manager, commandLine);
        ASSERT_EQ(started.kind, StartKind::Handoff);
        EXPECT_EQ(started.gameId, game);
        EXPECT_EQ(started.variantRow, variant);
        EXPECT_FALSE(started.intakeDue);
        EXPECT_TRUE(play.outside().empty());
        std::vector<std::string> made;
        for (const auto& entry : fs::recursive_directory_iterator(play.dir())) {
            made.push_back(fs::relative(entry.path(), play.dir()).generic_string());
        }
        std::sort(made.begin(), made.end());
        std::vector<std::string> expected = {
            "DATA",
            "DATA/" + game,
            "DATA/" + game + "/res" + std::to_string(variant) + ".dat",
            programFileName("lines"),
            "lines.dat",
            programFileName("tsifran"),
            "tsifran.dat",
            game + ".pra"};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(made, expected);
    }
}

// The code is taken only when it decodes for the handed-off game, variant and day and the
// hand-off file vouches for its last character; the place is found in the loaded table.
TEST(ManagerIntake, TakesOnlyAVouchedCodeAndFindsItsPlace) {
    const std::string good = PlayDir::code("lines", 1, 50, kToday);
    std::string altered = good;
    altered[3] = altered[3] == 'a' ? 'b' : 'a';
    std::string otherCheck = good;
    otherCheck.back() = otherCheck.back() == 'a' ? 'b' : 'a';
    // The code, what the hand-off file vouches for, the table; the place (0: none, -1: refused).
    const std::tuple<std::string, std::string, std::vector<int>, int> cases[] = {
        {good, good, {100, 40}, 2},
        {good, good, std::vector<int>(20, 60), 0},
        {altered, altered, {}, -1},
        {good, otherCheck, {}, -1},
        {PlayDir::code("lines", 1, -1, kToday), PlayDir::code("lines", 1, -1, kToday), {}, -1},
        {PlayDir::code("lines", 1, 50, {2026, 12, 5}), "", {}, -1},
        {PlayDir::code("lines", 2, 50, kToday), "", {}, -1},
        {"ABC", "ABC", {}, -1},
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
        ASSERT_TRUE(startUp(manager, "lines*1*" + code).intakeDue);
        const auto taken = manager.takeResultCode();
        EXPECT_FALSE(manager.intakeDue());
        ASSERT_EQ(taken.has_value(), place >= 0);
        if (taken) {
            EXPECT_EQ(taken->submission.result, 50);
            EXPECT_EQ(taken->place.value_or(0), place);
        }
    }
}

TEST(ManagerStart, AHandoffOpensItsOwnGameEvenWhenAnotherSharesItsTitle) {
    PlayDir play;
    play.addGame("aaa", "Игра", 1, {"один", "два"});
    play.addGame("bbb", "Игра", 1, {"один", "два"});
    FixedClock clock(kToday, kNow);
    ScriptedRandom random({0.0});
    const std::string text = "bbb*2*" + PlayDir::code("bbb", 2, 40, kToday);
    play.handOff(text, kNow);
    Manager manager(play.dir(), clock, random);
    const Started started = startUp(manager, text);
    EXPECT_EQ(started.gameId, "bbb");
    EXPECT_TRUE(started.intakeDue);
}

}  // namespace
}  // namespace tro
