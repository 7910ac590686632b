#include "manager.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings.h"
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

// The games of most cases: two of them, listed as "Арифметика" (tsifran) and "ЛАЙНС" (lines).
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
    struct Case {
        double draw;
        std::string game;
        int variant;
    };
    // Rows: 0 "Арифметика" (3 variants), 1 "ЛАЙНС" (2 variants).
    const Case cases[] = {{0.0, "tsifran", 0},
                          {0.49, "tsifran", 1},
                          {0.5, "lines", 1},
                          {0.99, "lines", 1},
                          {0.3, "tsifran", 0}};
    for (const Case& c : cases) {
        PlayDir play;
        addGames(play);
        FixedClock clock(kToday, kNow);
        ScriptedRandom random({c.draw});
        Manager manager(play.dir(), clock, random);
        const Started started = startUp(manager, "");
        EXPECT_EQ(started.kind, StartKind::User);
        EXPECT_EQ(started.gameId, c.game) << c.draw;
        EXPECT_EQ(started.variantRow, c.variant) << c.draw;
        EXPECT_FALSE(started.intakeDue);
        EXPECT_EQ(random.reseeds, 2);
        EXPECT_TRUE(
            fs::exists(play / ("DATA/" + c.game + "/res" + std::to_string(c.variant) + ".dat")));
    }
}

TEST(ManagerStart, AnEmptyDirectoryGivesNoGameNoRulesAndNoTable) {
    PlayDir play;
    play.addProgram("tropheon");
    FixedClock clock(kToday, kNow);
    ScriptedRandom random;
    Manager manager(play.dir(), clock, random);
    const Started started = startUp(manager, "   ");
    EXPECT_EQ(started.kind, StartKind::User);
    EXPECT_TRUE(manager.gameRows().empty());
    EXPECT_EQ(manager.gameId(), "");
    EXPECT_EQ(manager.rules(), "");
    EXPECT_FALSE(manager.table().loaded());
    EXPECT_FALSE(manager.startCommand());
}

TEST(ManagerStart, AHandoffWithoutAResultOpensThatGameAndVariant) {
    PlayDir play;
    addGames(play);
    FixedClock clock(kToday, kNow);
    ScriptedRandom random({0.0});
    Manager manager(play.dir(), clock, random);
    play.handOff("lines*2*-1", {11, 59, 57});
    const Started started = startUp(manager, "lines*2*-1");
    EXPECT_EQ(started.kind, StartKind::Handoff);
    EXPECT_EQ(started.gameId, "lines");
    EXPECT_EQ(started.variantRow, 1);
    EXPECT_FALSE(started.intakeDue);
    EXPECT_FALSE(fs::exists(play / "717.bol"));
    EXPECT_EQ(fs::file_size(play / "DATA/lines/res1.dat"), 60u * kResultTableSlot);
    // The hand-off is used up: choosing the game again picks a variant at random.
    manager.selectGame(1);
    EXPECT_EQ(manager.initialVariantRow(), 0);
}

TEST(ManagerStart, AHandoffWithoutAFreshFileIsRefused) {
    struct Case {
        const char* what;
        bool writeFile;
        TimeOfDay madeAt;
    };
    const Case cases[] = {
        {"no hand-off file", false, {}},
        {"a file six seconds old", true, {11, 59, 54}},
        {"a file from the future", true, {12, 0, 1}},
    };
    for (const Case& c : cases) {
        PlayDir play;
        addGames(play);
        if (c.writeFile) {
            play.handOff("lines*1*-1", c.madeAt);
        }
        FixedClock clock(kToday, kNow);
        ScriptedRandom random;
        Manager manager(play.dir(), clock, random);
        EXPECT_EQ(manager.acceptCommandLine("lines*1*-1"), StartKind::Refused) << c.what;
        EXPECT_FALSE(fs::exists(play / "717.bol")) << c.what;
        EXPECT_FALSE(fs::exists(play / "DATA")) << c.what;
    }
}

TEST(ManagerStart, AHandoffIsAppliedOnlyToTheGameAndVariantItNames) {
    struct Case {
        std::string commandLine;
        std::string game;               // the game that opens
        std::optional<int> variantRow;  // the variant that opens
    };
    // With every draw 0.99 a random game is "ЛАЙНС" and a random variant its second one.
    const Case cases[] = {
        {"tsifran*3*-1", "tsifran", 2},
        {"tsifran*0*-1", "tsifran", 2},
        {"tsifran*4*-1", "tsifran", 2},
        {"tsifran*-1*-1", "tsifran", 2},
        {"tsifran*x*-1", "tsifran", 2},
        {"tsifran*70000*-1", "tsifran", 2},
        {"tsifran*1", "tsifran", 2},
        {"tsifran", "lines", 1},
        {"  tsifran  * 1 *-1", "tsifran", 0},
        {"Tsifran*1*-1", "lines", 1},
        {"nosuchgame*1*-1", "lines", 1},
        {"../tsifran*1*-1", "lines", 1},
        {"../../evil*1*-1", "lines", 1},
        {"/tmp/evil*1*-1", "lines", 1},
        {"DATA/lines*1*-1", "lines", 1},
        {std::string(5000, 'a') + "*1*-1", "lines", 1},
        {std::string("\x01\x02\x7f\n*1*-1"), "lines", 1},
        {"\xff\xfe\xc3*1*-1", "lines", 1},
        {"******", "lines", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine.substr(0, 40));
        PlayDir play;
        addGames(play);
        FixedClock clock(kToday, kNow);
        ScriptedRandom random({0.99});
        play.handOff(c.commandLine, kNow);
        Manager manager(play.dir(), clock, random);
        const Started started = startUp(manager, c.commandLine);
        ASSERT_EQ(started.kind, StartKind::Handoff);
        EXPECT_EQ(started.gameId, c.game);
        EXPECT_EQ(started.variantRow, c.variantRow);
        EXPECT_FALSE(started.intakeDue);
        EXPECT_TRUE(play.outside().empty());
        std::vector<std::string> made;
        for (const auto& entry : fs::recursive_directory_iterator(play.dir())) {
            made.push_back(fs::relative(entry.path(), play.dir()).string());
        }
        std::sort(made.begin(), made.end());
        std::vector<std::string> expected = {
            "DATA",          "DATA/" + c.game,
            "lines",         "lines.dat",
            "tsifran",       "tsifran.dat",
            c.game + ".pra", "DATA/" + c.game + "/res" + std::to_string(*c.variantRow) + ".dat"};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(made, expected);
    }
}

TEST(ManagerStart, AHandoffOpensItsOwnGameEvenWhenAnotherSharesItsTitle) {
    PlayDir play;
    play.addGame("aaa", "Игра", 1, {"один", "два"});
    play.addGame("bbb", "Игра", 1, {"один", "два"});
    FixedClock clock(kToday, kNow);
    ScriptedRandom random({0.0});
    const std::string code = PlayDir::code("bbb", 2, 40, kToday);
    const std::string text = "bbb*2*" + code;
    play.handOff(text, kNow);
    Manager manager(play.dir(), clock, random);
    const Started started = startUp(manager, text);
    EXPECT_EQ(started.gameId, "bbb");
    EXPECT_TRUE(started.intakeDue);
    // A player's own choice of that title opens the first game in listing order.
    (void)manager.takeResultCode();
    manager.selectGame(1);
    EXPECT_EQ(manager.gameId(), "aaa");
}

struct IntakeCase {
    const char* what;
    std::string code;         // the code on the command line
    std::string vouchedText;  // the hand-off text the file was written for
    std::vector<int> table;   // results already in lines' first table (higher is better)
    bool accepted;
    std::optional<int> place;
    int result = 0;
};

TEST(ManagerIntake, DecodesTheCodeTheFileVouchesForAndFindsItsPlace) {
    const std::string good = PlayDir::code("lines", 1, 150, kToday);
    std::string other = good;
    for (std::uint64_t seed = 100; other.back() == good.back(); ++seed) {
        other = PlayDir::code("lines", 1, 150, kToday, seed);
    }
    ASSERT_NE(good.back(), other.back());
    std::string altered = good;
    altered[5] = altered[5] == 'A' ? 'B' : 'A';
    const std::string minusOne = PlayDir::code("lines", 1, -1, kToday);
    const std::string yesterday = PlayDir::code("lines", 1, 150, {2026, 12, 5});
    const std::string otherVariant = PlayDir::code("lines", 2, 150, kToday);
    const IntakeCase cases[] = {
        {"an accepted code", good, "lines*1*" + good, {}, true, 1, 150},
        {"an accepted code below two better ones",
         good,
         "lines*1*" + good,
         {300, 150, 20},
         true,
         2,
         150},
        {"a full table of better results", good, "lines*1*" + good, std::vector<int>(20, 151), true,
         std::nullopt, 150},
        {"a check character that does not match", good, "lines*1*" + other, {}, false, {}},
        {"an altered code", altered, "lines*1*" + altered, {}, false, {}},
        {"the encoded -1", minusOne, "lines*1*" + minusOne, {}, false, {}},
        {"yesterday's code", yesterday, "lines*1*" + yesterday, {}, false, {}},
        {"another variant's code", otherVariant, "lines*1*" + otherVariant, {}, false, {}},
        {"a short code", "ABC", "lines*1*ABC", {}, false, {}},
    };
    for (const IntakeCase& c : cases) {
        SCOPED_TRACE(c.what);
        PlayDir play;
        addGames(play);
        play.fillTable("lines", 0, c.table);
        FixedClock clock(kToday, kNow);
        ScriptedRandom random;
        play.handOff(c.vouchedText, {11, 59, 58});
        Manager manager(play.dir(), clock, random);
        const std::string commandLine = "lines*1*" + c.code;
        const Started started = startUp(manager, commandLine);
        ASSERT_EQ(started.kind, StartKind::Handoff);
        ASSERT_EQ(started.gameId, "lines");
        ASSERT_TRUE(started.intakeDue);
        const auto taken = manager.takeResultCode();
        EXPECT_FALSE(manager.intakeDue());
        EXPECT_FALSE(manager.handoff().pending());
        ASSERT_EQ(taken.has_value(), c.accepted);
        if (!taken) {
            continue;
        }
        EXPECT_EQ(taken->place, c.place);
        EXPECT_EQ(taken->submission.gameId, "lines");
        EXPECT_EQ(taken->submission.variant, 1);
        EXPECT_EQ(taken->submission.result, c.result);
        EXPECT_EQ(taken->submission.handoffTime, (TimeOfDay{11, 59, 58}));
    }
}

TEST(ManagerStartCommand, NamesTheProgramAndTheVariantNumber) {
    PlayDir play;
    addGames(play);
    FixedClock clock(kToday, kNow);
    ScriptedRandom random({0.99});
    Manager manager(play.dir(), clock, random);
    (void)startUp(manager, "");
    const auto command = manager.startCommand();
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, fs::absolute(play / "lines"));
    EXPECT_EQ(command->variant, 2);
}

}  // namespace
}  // namespace tro
