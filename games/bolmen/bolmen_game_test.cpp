#include "bolmen_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "testing/fakes.h"

namespace tro::bolmen {
namespace {

using testing::ScriptedRandom;

constexpr std::int64_t kStart = 7'000'000;  // the monotonic moment the game begins
constexpr std::int64_t kNoTick = -1;

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
        BolmenGame game(variant, random, kStart);
        std::set<Task> tasks;
        for (int set = 0; set < 2000; ++set) {
            const auto values = numbers(game);
            ASSERT_EQ(std::set<int>(values.begin(), values.end()).size(), 9u);
            ASSERT_TRUE(std::ranges::all_of(values, [](int v) { return v >= 10 && v <= 99; }));
            const auto extreme = game.task() == Task::Minimum ? std::ranges::min_element(values)
                                                              : std::ranges::max_element(values);
            ASSERT_EQ(game.target(), extreme - values.begin() + 1) << "variant " << variant;
            tasks.insert(game.task());
            if (set < 3) {
                // A right and a wrong click, the heading's too, each bring a new set.
                ASSERT_EQ(game.click(std::array{game.target(), wrongSquare(game), 0}[set]),
                          Outcome::Playing);
                ASSERT_NE(numbers(game), values) << set;
            } else {
                game.Generation();
            }
        }
        EXPECT_EQ(game.right() * 10 + game.wrong(), 12) << "the heading square is always wrong";
        EXPECT_EQ(tasks.size(), variant == 1 ? 2u : 1u) << variant;
        EXPECT_EQ(*tasks.begin(), variant == 3 ? Task::Maximum : Task::Minimum) << variant;
        EXPECT_EQ(game.headingVisible(), variant == 1);
    }
}

TEST(Bolmen, ADrawEqualToAnEarlierSquareIsDrawnAgain) {
    // Variant 2 draws no task; the second and third draws repeat the first.
    ScriptedRandom random(
        {0.005, 0.005, 0.005, 0.105, 0.205, 0.305, 0.405, 0.505, 0.605, 0.705, 0.805});
    BolmenGame game(2, random, kStart);
    EXPECT_EQ(numbers(game), (std::vector<int>{10, 19, 28, 37, 46, 55, 64, 73, 82}));
    EXPECT_EQ(random.draws * 10 + random.reseeds, 111);
    EXPECT_EQ(game.target(), 1);
}

// Wrong clicks, then a tick at a time after the start, then right clicks.
TEST(Bolmen, TheGameEndsByRightClicksWrongClicksOrTheClock) {
    struct Case {
        const char* what;
        int wrong;
        std::int64_t tickMs;
        int right;
        Outcome outcome;
        int clock;
        int counted;  // right clicks
    };
    const Case cases[] = {
        {"30 right, 3 wrong, 45 s: 450 + 60", 3, 45'000, 30, Outcome::Finished, 510, 30},
        {"29 right go on", 0, 45'099, 29, Outcome::Playing, 450, 29},
        {"clicks after the end change nothing", 0, kNoTick, 32, Outcome::Finished, 0, 30},
        {"a thousand wrong go on", 1000, kNoTick, 0, Outcome::Playing, 20000, 0},
        {"the 1001st wrong ends", 1001, kNoTick, 5, Outcome::TooManyMistakes, 20020, 0},
        {"10000 tenths are in time", 0, 1'000'099, 0, Outcome::Playing, 10000, 0},
        {"10001 are not", 0, 1'000'100, 3, Outcome::TooSlow, 10001, 0},
        {"penalties count", 1, 998'100, 0, Outcome::TooSlow, 10001, 0},
    };
    for (const Case& c : cases) {
        SystemRandom random(3);
        BolmenGame game(1, random, kStart);
        for (int i = 0; i < c.wrong; ++i) {
            game.click(wrongSquare(game));
        }
        if (c.tickMs != kNoTick) {
            game.tick(kStart + c.tickMs);
        }
        for (int i = 0; i < c.right; ++i) {
            game.click(game.target());
        }
        EXPECT_EQ(game.outcome(), c.outcome) << c.what;
        EXPECT_EQ(game.clock(), c.clock) << c.what;
        EXPECT_EQ(game.right(), c.counted) << c.what;
    }
}

TEST(Bolmen, TheClockNeverRunsBackwards) {
    SystemRandom random(3);
    BolmenGame game(1, random, kStart);
    game.tick(kStart + 5'000);
    game.tick(kStart + 4'000);
    EXPECT_EQ(game.clock(), 50);
}

}  // namespace
}  // namespace tro::bolmen
