#include "tsepko_game.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "testing/fakes.h"

namespace tro::tsepko {
namespace {

using tro::testing::ScriptedRandom;

constexpr Answer kA{KeyPair::Letters, Side::Left}, kD{KeyPair::Letters, Side::Right};
constexpr Answer k4{KeyPair::Keypad, Side::Left}, k6{KeyPair::Keypad, Side::Right};

TEST(TsepkoScore, FollowsTheFormulaOfEachVariant) {
    // variant, squares right, wrong, numbers right, wrong, penalty, score
    const std::tuple<int, Counts, int, int, const char*> cases[] = {
        {1, {0, 0, 0, 0}, 0, 0, "no presses"},
        {1, {3, 4, 0, 0}, 0, 0, "more wrong than right"},
        {1, {7, 0, 9, 0}, 500, 70, "p right and none wrong gives 10 p, numbers and penalty aside"},
        {1, {7, 1, 0, 0}, 0, 52, "10*7*6/8 = 52.5 rounds to the even 52"},
        {2, {9, 0, 9, 1}, 0, 72, "10*9*8/10, squares aside"},
        {3, {4, 5, 10, 0}, 0, 0, "more wrong than right on the squares"},
        {3, {2, 2, 3, 3}, 0, 0, "zero by zero gives 0"},
        {3, {10, 0, 10, 0}, 80, 120, "40*10*10/20 less the penalty"},
        {3, {10, 0, 10, 0}, 150, 100, "the penalty never takes more than half"},
        {3, {5, 0, 4, 0}, 60, 44, "88.9 rounds to 89, whose half drops its half"}};
    for (const auto& [variant, counts, penalty, score, what] : cases)
        EXPECT_EQ(variantScore(variant, counts, penalty), score) << what;
}

constexpr std::int64_t kStart = 3'000'000;  // the moment of the first key

// Draws: target colour, target parity, field layout; then per redraw: the squares' side,
// the even number, the odd number, the numbers' side.
struct Round {
    explicit Round(int variant, std::vector<double> draws = {0.0})
        : random(std::move(draws)), game(variant, random) {}
    // `times` steps on, each followed by `answer`: a press on a shown field.
    PressOutcome stepAndPress(const Answer* answer, int times = 1) {
        PressOutcome last{};
        for (; times > 0; --times) {
            game.tick(now += TsepkoGame::kTickMs);
            last = game.press(answer, now);
        }
        return last;
    }
    ScriptedRandom random;
    TsepkoGame game;
    std::int64_t now = kStart;
};

TEST(TsepkoGame, TheAnsweringKeysFollowTheVariantTheLayoutAndTheTargets) {
    // Draws: colour, parity, layout, squares' side, even, odd, numbers' side. All zero: the
    // black target on the left, the even target 10 on the left, A/D answer the squares.
    const std::vector<double> zero(7, 0.0), swapped{0, 0, 0.9, 0, 0, 0, 0};
    const std::tuple<int, std::vector<double>, Answer, Field, PressOutcome> cases[] = {
        {1, zero, kA, Field::Squares, PressOutcome::Right},
        {1, zero, k6, Field::Squares, PressOutcome::Wrong},
        {2, zero, kD, Field::Numbers, PressOutcome::Wrong},
        {2, swapped, k4, Field::Numbers, PressOutcome::Right},
        {3, zero, k4, Field::Numbers, PressOutcome::Right},
        {3, {0.5, 0, 0, 0.5, 0, 0, 0}, kA, Field::Squares, PressOutcome::Right},  // white left
        {3, {0, 0.5, 0, 0, 0, 0, 0.5}, k4, Field::Numbers, PressOutcome::Right},  // odd left
        {3, swapped, kA, Field::Numbers, PressOutcome::Right},
        {3, swapped, k6, Field::Squares, PressOutcome::Wrong}};
    for (const auto& [variant, draws, answer, field, outcome] : cases) {
        Round round(variant, draws);
        round.game.press(nullptr, kStart);
        EXPECT_EQ(round.stepAndPress(&answer), outcome) << variant;
        EXPECT_EQ(round.random.reseeds, 2) << "reseeded before the choices and the redraw";
        // The answered field is blank until the next step; the other one is still shown.
        EXPECT_EQ(round.game.squares().shown, field != Field::Squares) << variant;
        EXPECT_EQ(round.game.numbers().shown, field != Field::Numbers) << variant;
    }
}

TEST(TsepkoGame, RunsTheDueStepsAndChargesStreaksWhenTheOtherFieldIsPressedAndAtTheEnd) {
    Round round(3);
    round.game.press(nullptr, kStart);
    round.stepAndPress(&kA, 3);
    round.stepAndPress(&k4);
    EXPECT_EQ(round.game.penalty(), 0) << "a streak of 3 is free";
    round.stepAndPress(&kA, 5);
    round.stepAndPress(&k4, 4);
    EXPECT_EQ(round.game.penalty(), 28) << "the streak of 5 squares: 10 * 2^1.5";
    using enum TickOutcome;
    const std::tuple<std::int64_t, int, TickOutcome> steps[] = {
        {1'000, 587, Unchanged}, {1'399, 587, Unchanged}, {1'400, 586, Ran},
        {1'000, 586, Unchanged}, {59'999, 1, Ran},        {90'000, 0, Ended},
        {91'000, 0, Unchanged}};
    for (const auto& [elapsed, left, outcome] : steps) {
        EXPECT_EQ(round.game.tick(kStart + elapsed), outcome) << elapsed;
        EXPECT_EQ(round.game.tenthsLeft(), left) << elapsed << ": time never runs back";
    }
    // The open streak of 4 numbers costs 10 more; r = CInt(40*8*5/13) = 123.
    EXPECT_EQ(std::pair(round.game.penalty(), round.game.score()), std::pair(38, 85));
    EXPECT_EQ(round.game.press(&kA, kStart + 91'000), PressOutcome::Ignored);
}

}  // namespace
}  // namespace tro::tsepko
