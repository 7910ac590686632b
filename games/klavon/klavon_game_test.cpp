#include "klavon_game.h"

#include <gtest/gtest.h>

#include <string>

#include "cp1251.h"
#include "testing/fakes.h"

namespace tro::klavon {
namespace {

using tro::testing::ScriptedRandom;

// The draw that gives the code c: Int(Rnd * 255) + 1 = c.
constexpr auto drawFor = [](int code) { return (code - 1 + 0.5) / 255.0; };

TEST(CharacterSet, EachVariantHoldsExactlyItsCharactersAndTheBlank) {
    const std::string digits = "0123456789";
    const std::string small = toCp1251("абвгдежзийклмнопрстуфхцчшщъыьэюя").value();
    const std::string capital = toCp1251("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ").value();
    const std::string latin = "abcdefghijklmnopqrstuvwxyz", punctuation = "!\"(),-./:;?";
    const std::string cyrillic = capital + small + digits;
    const std::string roman = "ABCDEFGHIJKLMNOPQRSTUVWXYZ" + latin + digits;
    const std::string expected[] = {
        digits, small,          small + digits, cyrillic,           cyrillic + punctuation,
        latin,  latin + digits, roman,          roman + punctuation};
    for (int variant = 1; variant <= kVariants; ++variant) {
        const CharacterSet set = characterSet(variant);
        for (int code = 0; code < 256; ++code) {
            const bool wanted = code == kBlank || expected[variant - 1].find(
                                                      static_cast<char>(code)) != std::string::npos;
            EXPECT_EQ(allows(set, code), wanted) << variant << " code " << code;
        }
        // A code outside the set is drawn again; the blank can be drawn in every variant.
        ScriptedRandom blanks({drawFor(1), drawFor(kBlank)});
        EXPECT_EQ(KlavonGame(variant, blanks, 0).toType(), std::string(30, ' ')) << variant;
        EXPECT_EQ(blanks.draws, 2 * 30);
    }
}

TEST(KlavonGame, RightCharactersMoveTheStripOnAndTheLastTwentyStayShown) {
    ScriptedRandom random({drawFor('1'), drawFor('2'), drawFor('3'), drawFor('4'), drawFor('5'),
                           drawFor('6'), drawFor('7')});
    KlavonGame game(1, random, 0);
    ASSERT_EQ(game.toType(), "123456712345671234567123456712");
    std::string all;
    for (int i = 0; i < 25; ++i) {
        all.push_back(game.toType().front());
        ASSERT_EQ(game.type(static_cast<unsigned char>(all.back())), TypeOutcome::Correct);
        EXPECT_EQ(game.typed(), all.substr(all.size() > 20 ? all.size() - 20 : 0));
    }
    EXPECT_EQ(game.count() * 100 + random.reseeds, 2526) << "reseeded before every character";
    EXPECT_EQ(game.toType(), "567123456712345671234567123456") << "drawn on after the 30th";
}

TEST(KlavonGame, AMistakeChangesNothing) {
    // a when A is due, А when а is, Latin a when ф is, 5 when a blank is, no character.
    const std::tuple<int, int, int> cases[] = {
        {8, 'A', 'a'}, {4, 0xE0, 0xC0}, {2, 0xF4, 'a'}, {1, ' ', '5'}, {9, '?', 0}};
    for (const auto& [variant, due, typed] : cases) {
        ScriptedRandom random({drawFor(due)});
        KlavonGame game(variant, random, 0);
        const std::string before = game.toType();
        EXPECT_EQ(game.type(static_cast<unsigned char>(typed)), TypeOutcome::Mistake) << due;
        EXPECT_EQ(game.toType() + '|' + game.typed() + std::to_string(game.count() + random.draws),
                  before + "|30")
            << due << ": nothing typed, counted or drawn";
        EXPECT_EQ(game.type(static_cast<unsigned char>(due)), TypeOutcome::Correct) << due;
    }
}

TEST(KlavonGame, TheCountdownRunsFromTheOpeningWithoutAFirstKey) {
    constexpr std::int64_t kOpened = 5'000'000;
    ScriptedRandom random({drawFor('1')});
    KlavonGame game(1, random, kOpened);
    using enum TickOutcome;
    const std::tuple<std::int64_t, int, TickOutcome> steps[] = {
        {0, 60, Unchanged},      {999, 60, Unchanged}, {1000, 59, Counted}, {30'000, 30, Counted},
        {20'000, 30, Unchanged}, {59'999, 1, Counted}, {60'000, 0, Ended},  {61'000, 0, Unchanged}};
    for (const auto& [elapsed, left, outcome] : steps) {
        EXPECT_EQ(game.tick(kOpened + elapsed), outcome) << elapsed;
        EXPECT_EQ(game.secondsLeft(), left) << elapsed;
    }
    EXPECT_EQ(game.type('1'), TypeOutcome::Ignored);
    KlavonGame late(1, random, kOpened);
    EXPECT_EQ(late.tick(kOpened + 75'000), Ended) << "a late timer ends the minute at once";
}

}  // namespace
}  // namespace tro::klavon
