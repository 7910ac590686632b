#include "typing.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "cp1251.h"
#include "testing/fakes.h"

namespace tro::klavon {
namespace {

using tro::testing::ScriptedRandom;

// The draw that gives the code c: Int(Rnd * 255) + 1 = c.
double drawFor(int code) {
    return (code - 1 + 0.5) / 255.0;
}

std::string bytes(const char* utf8) {
    return toCp1251(utf8).value();
}

TEST(CharacterSet, EachVariantHoldsExactlyItsCharactersAndTheBlank) {
    const std::string digits = "0123456789";
    const std::string small = bytes("абвгдежзийклмнопрстуфхцчшщъыьэюя");
    const std::string capital = bytes("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    const std::string latin = "abcdefghijklmnopqrstuvwxyz";
    const std::string latinCapital = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const std::string punctuation = "!\"(),-./:;?";
    const std::map<int, std::string> expected = {
        {1, digits},
        {2, small},
        {3, small + digits},
        {4, capital + small + digits},
        {5, capital + small + digits + punctuation},
        {6, latin},
        {7, latin + digits},
        {8, latinCapital + latin + digits},
        {9, latinCapital + latin + digits + punctuation},
    };
    for (const auto& [variant, characters] : expected) {
        const CharacterSet set = characterSet(variant);
        std::set<int> wanted{kBlank};
        for (const char c : characters) {
            wanted.insert(static_cast<unsigned char>(c));
        }
        for (int code = 0; code < 256; ++code) {
            EXPECT_EQ(allows(set, code), wanted.contains(code))
                << "variant " << variant << " code " << code;
        }
    }
}

TEST(CharacterSet, NoVariantLetsInYoOrTheNullCode) {
    for (int variant = 1; variant <= kVariants; ++variant) {
        EXPECT_FALSE(allows(characterSet(variant), 0));
        EXPECT_FALSE(allows(characterSet(variant), 168));  // Ё
        EXPECT_FALSE(allows(characterSet(variant), 184));  // ё
    }
}

TEST(TypingGame, TheBlankCanBeDrawnInEveryVariant) {
    for (int variant = 1; variant <= kVariants; ++variant) {
        ScriptedRandom random({drawFor(kBlank)});
        TypingGame game(variant, random);
        EXPECT_EQ(game.toType(), std::string(30, ' ')) << variant;
    }
}

TEST(TypingGame, DrawsAgainUntilTheCodeIsAllowed) {
    // 'A', 0xFF and '!' are not digits: redrawn until '7'.
    ScriptedRandom random({drawFor('A'), drawFor(255), drawFor('!'), drawFor('7')});
    TypingGame game(1, random);
    EXPECT_EQ(game.toType(), std::string(30, '7'));
    EXPECT_EQ(random.draws, 4 * 30);
    EXPECT_EQ(random.reseeds, 1);
}

TEST(TypingGame, DrawsEveryAllowedCharacterAndNothingElse) {
    for (int variant : {1, 5, 9}) {
        SequenceRandom random(20261206 + variant);
        TypingGame game(variant, random);
        std::map<int, int> seen;
        for (int i = 0; i < 20000; ++i) {
            const auto next = static_cast<unsigned char>(game.toType().front());
            ASSERT_TRUE(allows(game.characters(), next)) << int(next);
            ++seen[next];
            ASSERT_EQ(game.type(next), TypeOutcome::Correct);
        }
        int allowed = 0;
        for (int code = 1; code < 256; ++code) {
            allowed += allows(game.characters(), code) ? 1 : 0;
        }
        EXPECT_EQ(static_cast<int>(seen.size()), allowed) << variant;
        // Equally likely: no character far from its share.
        const double share = 20000.0 / allowed;
        for (const auto& [code, times] : seen) {
            EXPECT_GT(times, share * 0.6) << variant << " " << code;
            EXPECT_LT(times, share * 1.4) << variant << " " << code;
        }
    }
}

TEST(TypingGame, ARightCharacterMovesTheStripOn) {
    ScriptedRandom random({drawFor('1'), drawFor('2'), drawFor('3')});
    TypingGame game(1, random);
    ASSERT_EQ(game.toType().substr(0, 4), "1231");
    EXPECT_EQ(game.type('1'), TypeOutcome::Correct);
    EXPECT_EQ(game.typed(), "1");
    EXPECT_EQ(game.toType().size(), 30u);
    EXPECT_EQ(game.toType().substr(0, 3), "231");
    EXPECT_EQ(game.toType().back(), '1') << "the 31st draw comes after the first 30";
    EXPECT_EQ(game.count(), 1);
}

TEST(TypingGame, AfterTwentyFiveRightCharactersShowsTheLastTwenty) {
    ScriptedRandom random({drawFor('1'), drawFor('2'), drawFor('3'), drawFor('4'), drawFor('5'),
                           drawFor('6'), drawFor('7')});
    TypingGame game(1, random);
    std::string all;
    for (int i = 0; i < 25; ++i) {
        all.push_back(game.toType().front());
        ASSERT_EQ(game.type(static_cast<unsigned char>(game.toType().front())),
                  TypeOutcome::Correct);
    }
    EXPECT_EQ(game.count(), 25);
    EXPECT_EQ(game.typed(), all.substr(5));
    EXPECT_EQ(game.typed().size(), 20u);
    EXPECT_EQ(game.toType().size(), 30u);
}

TEST(TypingGame, AMistakeChangesNothing) {
    struct Case {
        int variant;
        int due;
        int typed;
        const char* what;
    };
    const Case cases[] = {
        {8, 'A', 'a', "a when A is due"},        {8, 'a', 'A', "A when a is due"},
        {4, 0xC0, 0xE0, "а when А is due"},      {4, 0xE0, 0xC0, "А when а is due"},
        {2, 0xF4, 'a', "Latin a when ф is due"}, {1, '5', ' ', "a blank when 5 is due"},
        {1, ' ', '5', "5 when a blank is due"},  {9, '?', 0, "no character"},
    };
    for (const Case& c : cases) {
        ScriptedRandom random({drawFor(c.due)});
        TypingGame game(c.variant, random);
        const std::string before = game.toType();
        ASSERT_EQ(static_cast<unsigned char>(before.front()), c.due) << c.what;
        const int drawsBefore = random.draws;
        EXPECT_EQ(game.type(static_cast<unsigned char>(c.typed)), TypeOutcome::Mistake) << c.what;
        EXPECT_EQ(game.toType(), before) << c.what;
        EXPECT_EQ(game.typed(), "") << c.what;
        EXPECT_EQ(game.count(), 0) << c.what;
        EXPECT_EQ(random.draws, drawsBefore) << c.what;
        EXPECT_EQ(game.type(static_cast<unsigned char>(c.due)), TypeOutcome::Correct) << c.what;
    }
}

TEST(TypingGame, ReseedsBeforeEveryTypedCharacter) {
    ScriptedRandom random({drawFor('1')});
    TypingGame game(1, random);
    game.type('1');
    game.type('2');
    EXPECT_EQ(random.reseeds, 3);
}

TEST(TypingGame, TheCountdownRunsWithoutAFirstKey) {
    ScriptedRandom random({drawFor('1')});
    TypingGame game(1, random);
    struct Step {
        std::int64_t elapsedMs;
        int secondsLeft;
        bool justEnded;
    };
    const Step steps[] = {{0, 60, false},     {999, 60, false},    {1000, 59, false},
                          {1500, 59, false},  {30'000, 30, false}, {20'000, 30, false},
                          {59'999, 1, false}, {60'000, 0, true},   {61'000, 0, false}};
    for (const Step& s : steps) {
        EXPECT_EQ(game.advanceTo(s.elapsedMs), s.justEnded) << s.elapsedMs;
        EXPECT_EQ(game.secondsLeft(), s.secondsLeft) << s.elapsedMs;
    }
    EXPECT_TRUE(game.ended());
    EXPECT_EQ(game.type('1'), TypeOutcome::Ignored);
    EXPECT_EQ(game.count(), 0);
}

TEST(TypingGame, ALateTimerEndsTheMinuteAtOnce) {
    ScriptedRandom random({drawFor('1')});
    TypingGame game(1, random);
    EXPECT_TRUE(game.advanceTo(75'000));
    EXPECT_EQ(game.secondsLeft(), 0);
}

TEST(Layouts, EachVariantTypesInItsLayout) {
    const char* expected[] = {"", "R", "R", "R", "R", "E", "E", "E", "E"};
    for (int variant = 1; variant <= kVariants; ++variant) {
        EXPECT_EQ(variantLayout(variant), expected[variant - 1]) << variant;
    }
}

TEST(Layouts, TheStartLayoutIsKnownOnlyForUsEnglishAndRussian) {
    const std::pair<const char*, const char*> cases[] = {
        {"00000409", "E"}, {"00000419", "R"}, {"00000422", ""}, {"00010409", ""},
        {"00020419", ""},  {"0000040C", ""},  {"", ""},         {"409", "E"},
    };
    for (const auto& [name, letter] : cases) {
        EXPECT_EQ(startLayout(name), letter) << name;
    }
}

TEST(Layouts, ALetterAsksForItsLayoutId) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"R", "00000419"},  {"r", "00000419"},   {"Russian", "00000419"},
        {"U", "00000422"},  {"E", "00000409"},   {"e", "00000409"},
        {"", std::nullopt}, {"X", std::nullopt}, {" E", std::nullopt},
    };
    for (const auto& [letter, id] : cases) {
        EXPECT_EQ(layoutIdFor(letter), id) << letter;
    }
}

}  // namespace
}  // namespace tro::klavon
