#include "bolmen_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "testing/fakes.h"

namespace tro::bolmen {
namespace {

constexpr std::int64_t kStart = 7'000'000;  // the monotonic moment the game begins

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
        for (int set = 0; set < 1000; ++set) {
            const auto values = numbers(game);
            ASSERT_EQ(std::set<int>(values.begin(), values.end()).size(), 9u);
            ASSERT_TRUE(std::ranges::all_of(values, [](int v) { return v >= 10 && v <= 99; }));
            const auto extreme = game.task() == Task::Minimum ? std::ranges::min_element(values)
                                                              : std::ranges::max_element(values);
            ASSERT_EQ(game.target(), extreme - values.begin() + 1) << "variant " << variant;
            tasks.insert(game.task());
            // A right click, one on the heading and a wrong one each bring a new set.
            const int square = set % 40 == 0   ? game.target()
                               : set % 40 == 1 ? 0
                                               : wrongSquare(game);
            ASSERT_EQ(game.click(square), Outcome::Playing);
            ASSERT_NE(numbers(game), values) << set;
        }
        EXPECT_EQ(game.right() * 10000 + game.wrong(), 250975) << "the heading is always wrong";
        EXPECT_EQ(tasks.size(), variant == 1 ? 2u : 1u) << variant;
        EXPECT_EQ(*tasks.rbegin(), variant == 2 ? Task::Minimum : Task::Maximum) << variant;
        EXPECT_EQ(game.headingVisible(), variant == 1);
    }
    // Variant 2 draws no task; a draw equal to an earlier square is drawn again.
    testing::ScriptedRandom random(
        {0.005, 0.005, 0.005, 0.105, 0.205, 0.305, 0.405, 0.505, 0.605, 0.705, 0.805});
    const BolmenGame game(2, random, kStart);
    EXPECT_EQ(numbers(game), (std::vector<int>{10, 19, 28, 37, 46, 55, 64, 73, 82}));
    EXPECT_EQ(random.draws * 10 + random.reseeds + game.target(), 112);
}

// Wrong clicks, a tick (and one earlier, which never turns the clock back), right clicks.
TEST(Bolmen, TheGameEndsByRightClicksWrongClicksOrTheClock) {
    // what, wrong clicks, tick, right clicks, outcome, clock, right clicks counted
    const std::tuple<const char*, int, std::int64_t, int, Outcome, int, int> cases[] = {
        {"30 right, 3 wrong, 45 s: 450 + 60", 3, 45'000, 30, Outcome::Finished, 510, 30},
        {"29 right go on", 0, 45'099, 29, Outcome::Playing, 450, 29},
        {"clicks after the end change nothing", 0, 0, 32, Outcome::Finished, 0, 30},
        {"a thousand wrong go on", 1000, 0, 0, Outcome::Playing, 20000, 0},
        {"the 1001st wrong ends", 1001, 0, 5, Outcome::TooManyMistakes, 20020, 0},
        {"10000 tenths are in time", 0, 1'000'099, 0, Outcome::Playing, 10000, 0},
        {"10001 are not", 0, 1'000'100, 3, Outcome::TooSlow, 10001, 0},
        {"penalties count", 1, 998'100, 0, Outcome::TooSlow, 10001, 0},
    };
    for (const auto& [what, wrong, tickMs, right, outcome, clock, counted] : cases) {
        SystemRandom random(3);
        BolmenGame game(1, random, kStart);
        for (int i = 0; i < wrong; ++i) {
            game.click(wrongSquare(game));
        }
        if (tickMs != 0) {  // a tick would end a round with a thousand penalties
            game.tick(kStart + tickMs);
            game.tick(kStart);
        }
        for (int i = 0; i < right; ++i) {
            game.click(game.target());
        }
        EXPECT_EQ(game.outcome(), outcome) << what;
        EXPECT_EQ(game.clock() * 100 + game.right(), clock * 100 + counted) << what;
    }
}

}  // namespace
}  // namespace tro::bolmen
