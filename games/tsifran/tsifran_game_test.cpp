#include "tsifran_game.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "testing/fakes.h"

namespace tro::tsifran {
namespace {

using testing::ScriptedRandom;

constexpr std::int64_t kStart = 7'000'000;  // the monotonic moment the game begins

// The draw that gives n from floor(r * 500) + 1.
double drawFor(int n) {
    return (n - 0.5) / 500.0;
}

TEST(Tsifran, LogsEveryAnswerWithItsVerdict) {
    const std::pair<const char*, const char*> cases[] = {
        {"170", "170  неправильно"},
        {"168", "168  правильно"},
        {"", "  неправильно"},
        {"  168 ", "168  правильно"},
        {"168.0", "168.0  правильно"},
        {"-168", "-168  неправильно"},
        {"99999999999999999999", "99999999999999999999  неправильно"}};
    // (How a typed text reads as a number is the text helpers' own case table.)
    for (const auto& [typed, tail] : cases) {
        ScriptedRandom random({drawFor(123), drawFor(45)});
        TsifranGame game(1, random, kStart);
        ASSERT_EQ(game.question(), "123 + 45");
        game.answer(typed);
        EXPECT_EQ(game.lastLogLine(), std::string("123 + 45 = 168   ") + tail) << '"' << typed;
    }
}

TEST(Tsifran, QuestionsFollowTheVariantAndSubtractionPutsTheLargerFirst) {
    const std::tuple<int, int, const char*, int> cases[] = {
        {10, 300, "300 - 10", 290}, {300, 10, "300 - 10", 290}, {251, 251, "251 - 251", 0}};
    for (const auto& [a, b, question, expected] : cases) {
        ScriptedRandom random({drawFor(a), drawFor(b), drawFor(3), drawFor(4)});
        TsifranGame game(2, random, kStart);
        EXPECT_EQ(game.question(), question);
        EXPECT_EQ(game.answer(expected == 0 ? "" : "0"),
                  expected == 0 ? Verdict::Right : Verdict::Wrong);
        EXPECT_EQ(game.question(), "4 - 3") << "every answer brings a new question";
    }
    for (int variant = 1; variant <= 3; ++variant) {
        SystemRandom random(77 + variant);
        TsifranGame game(variant, random, kStart);
        std::set<Operation> seen;
        for (int i = 0; i < 200; ++i) {
            ASSERT_GE(game.expected(), 0);
            seen.insert(game.operation());
            game.vopros();
        }
        const std::set<Operation> both{Operation::Addition, Operation::Subtraction};
        EXPECT_EQ(seen, variant == 3 ? both : std::set{*std::next(both.begin(), variant - 1)});
    }
}

// Wrong answers, then a tick at a time after the start (at 0 ms it changes nothing), then
// right answers.
TEST(Tsifran, TheGameEndsByRightAnswersTooManyAnswersOrTheClock) {
    // what, wrong answers, tick, right answers, outcome, clock, right answers counted
    const std::tuple<const char*, int, std::int64_t, int, Outcome, int, int> cases[] = {
        {"10 right, 2 wrong, 25.3 s: 253 + 60", 2, 25'300, 10, Outcome::Finished, 313, 10},
        {"9 right go on", 0, 25'399, 9, Outcome::Playing, 253, 9},
        {"answers after the end change nothing", 0, 0, 12, Outcome::Finished, 0, 10},
        {"a right 31st answer goes on", 22, 0, 9, Outcome::Playing, 660, 9},
        {"30 wrong go on", 30, 0, 0, Outcome::Playing, 900, 0},
        {"the 31st wrong ends", 31, 0, 2, Outcome::TooManyAnswers, 930, 0},
        {"9970 + 30 tenths are in time", 1, 997'099, 0, Outcome::Playing, 10000, 0},
        {"10001 are not", 1, 997'100, 3, Outcome::TooSlow, 10001, 0},
    };
    for (const auto& [what, wrong, tickMs, right, outcome, clock, counted] : cases) {
        SystemRandom random(4);
        TsifranGame game(3, random, kStart);
        for (int i = 0; i < wrong; ++i) {
            game.answer("x");
        }
        game.tick(kStart + tickMs);
        for (int i = 0; i < right; ++i) {
            game.answer(std::to_string(game.expected()));
        }
        EXPECT_EQ(game.outcome(), outcome) << what;
        EXPECT_EQ(game.clock() * 100 + game.right(), clock * 100 + counted) << what;
    }
}

}  // namespace
}  // namespace tro::tsifran
