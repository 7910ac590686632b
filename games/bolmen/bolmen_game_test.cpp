#include "bolmen_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "testing/fakes.h"

namespace tro::bolmen {
namespace {

using testing::ScriptedRandom;

std::vector<int> numbers(const BolmenGame& game) {
    std::vector<int> out;
    for (int i = 1; i <= BolmenGame::kSquares; ++i) {
        out.push_back(game.number(i));
    }
    return out;
}

int wrongSquare(const BolmenGame& game) {
    return game.target() == 1 ? 2 : 1;
}

TEST(Bolmen, EverySetHasNineDifferentNumbersAndTheMarkOnTheExtreme) {
    for (int variant = 1; variant <= 3; ++variant) {
        SystemRandom random(1000 + variant);
        BolmenGame game(variant, random);
        std::set<Task> tasks;
        for (int set = 0; set < 2000; ++set) {
            const auto values = numbers(game);
            ASSERT_EQ(std::set<int>(values.begin(), values.end()).size(), 9u);
            for (const int v : values) {
                ASSERT_GE(v, 10);
                ASSERT_LE(v, 99);
            }
            const auto extreme = game.task() == Task::Minimum
                                     ? std::min_element(values.begin(), values.end())
                                     : std::max_element(values.begin(), values.end());
            ASSERT_EQ(game.target(), extreme - values.begin() + 1) << "variant " << variant;
            tasks.insert(game.task());
            game.Generation();
        }
        const std::set<Task> expected =
            variant == 1 ? std::set<Task>{Task::Minimum, Task::Maximum}
                         : std::set<Task>{variant == 2 ? Task::Minimum : Task::Maximum};
        EXPECT_EQ(tasks, expected) << "variant " << variant;
        EXPECT_EQ(game.headingVisible(), variant == 1);
    }
}

TEST(Bolmen, ADrawEqualToAnEarlierSquareIsDrawnAgain) {
    // Variant 2 draws no task; the second and third draws repeat the first.
    ScriptedRandom random(
        {0.005, 0.005, 0.005, 0.105, 0.205, 0.305, 0.405, 0.505, 0.605, 0.705, 0.805});
    BolmenGame game(2, random);
    EXPECT_EQ(numbers(game), (std::vector<int>{10, 19, 28, 37, 46, 55, 64, 73, 82}));
    EXPECT_EQ(random.draws, 11);
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(game.target(), 1);
}

TEST(Bolmen, RightAndWrongClicksBothBringANewSet) {
    SystemRandom random(5);
    BolmenGame game(1, random);
    auto before = numbers(game);
    ASSERT_EQ(game.click(game.target()), Outcome::Playing);
    EXPECT_EQ(game.right(), 1);
    EXPECT_NE(numbers(game), before);
    before = numbers(game);
    ASSERT_EQ(game.click(wrongSquare(game)), Outcome::Playing);
    EXPECT_EQ(game.wrong(), 1);
    EXPECT_NE(numbers(game), before);
    ASSERT_EQ(game.click(BolmenGame::kHeadingSquare), Outcome::Playing);
    EXPECT_EQ(game.wrong(), 2) << "the heading square is always wrong";
    EXPECT_EQ(game.clock(), 40);
}

TEST(Bolmen, ThirtyRightClicksEndWithTheClockAsResult) {
    SystemRandom random(9);
    BolmenGame game(3, random);
    for (int i = 0; i < 3; ++i) {
        game.click(wrongSquare(game));
    }
    ASSERT_EQ(game.elapse(45'000), Outcome::Playing);
    for (int i = 0; i < 29; ++i) {
        ASSERT_EQ(game.click(game.target()), Outcome::Playing);
    }
    EXPECT_EQ(game.click(game.target()), Outcome::Finished);
    EXPECT_EQ(game.clock(), 510);
    EXPECT_EQ(game.click(game.target()), Outcome::Finished)
        << "clicks after the end change nothing";
    EXPECT_EQ(game.right(), 30);
}

TEST(Bolmen, MoreThanAThousandWrongClicksEndWithoutAResult) {
    SystemRandom random(11);
    BolmenGame game(2, random);
    for (int i = 0; i < BolmenGame::kMostWrong; ++i) {
        ASSERT_EQ(game.click(wrongSquare(game)), Outcome::Playing) << i;
    }
    EXPECT_EQ(game.click(wrongSquare(game)), Outcome::TooManyMistakes);
}

TEST(Bolmen, TheClockEndsTheGameWhenItPassesTenThousandTenths) {
    struct Case {
        std::int64_t ms;
        int wrong;
        Outcome outcome;
    };
    for (const Case& c :
         {Case{1'000'000, 0, Outcome::Playing}, Case{1'000'099, 0, Outcome::Playing},
          Case{1'000'100, 0, Outcome::TooSlow}, Case{999'000, 0, Outcome::Playing},
          Case{998'000, 1, Outcome::Playing}, Case{998'100, 1, Outcome::TooSlow}}) {
        SystemRandom random(3);
        BolmenGame game(2, random);
        for (int i = 0; i < c.wrong; ++i) {
            game.click(wrongSquare(game));
        }
        EXPECT_EQ(game.elapse(c.ms), c.outcome) << c.ms << " ms, " << c.wrong << " wrong";
    }
}

TEST(Bolmen, TheClockNeverRunsBackwards) {
    SystemRandom random(3);
    BolmenGame game(1, random);
    game.elapse(5'000);
    game.elapse(4'000);
    EXPECT_EQ(game.clock(), 50);
}

}  // namespace
}  // namespace tro::bolmen
