#include "attention.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/fakes.h"

namespace tro::tsepko {
namespace {

using tro::testing::ScriptedRandom;

constexpr Answer kA{KeyPair::Letters, Side::Left};
constexpr Answer kD{KeyPair::Letters, Side::Right};
constexpr Answer k4{KeyPair::Keypad, Side::Left};
constexpr Answer k6{KeyPair::Keypad, Side::Right};

TEST(StreakPenalty, CostsTenTimesTheStreakBeyondThreeToThePowerOneAndAHalf) {
    const std::pair<int, int> cases[] = {{0, 0},  {3, 0},  {4, 10},  {5, 28},
                                         {6, 52}, {7, 80}, {8, 112}, {12, 270}};
    for (const auto& [streak, cost] : cases) {
        EXPECT_EQ(streakPenalty(streak), cost) << "streak " << streak;
    }
}

TEST(VariantScore, FollowsTheFormulaOfEachVariant) {
    struct Case {
        int variant;
        Counts counts;  // squares right, wrong, numbers right, wrong
        int penalty;
        int score;
        const char* what;
    };
    const Case cases[] = {
        {1, {0, 0, 0, 0}, 0, 0, "no presses"},
        {1, {3, 4, 0, 0}, 0, 0, "more wrong than right"},
        {1, {7, 0, 9, 0}, 500, 70, "p right and none wrong gives 10 p, numbers and penalty aside"},
        {1, {7, 1, 0, 0}, 0, 52, "10*7*6/8 = 52.5 rounds to the even 52"},
        {1, {7, 5, 0, 0}, 0, 12, "11.67 rounds up"},
        {2, {9, 0, 9, 1}, 0, 72, "10*9*8/10, squares aside"},
        {2, {0, 0, 4, 5}, 0, 0, "more wrong than right"},
        {3, {10, 0, 0, 0}, 0, 0, "no presses on the numbers"},
        {3, {4, 5, 10, 0}, 0, 0, "more wrong than right on the squares"},
        {3, {2, 2, 3, 3}, 0, 0, "zero by zero gives 0"},
        {3, {10, 0, 10, 0}, 80, 120, "40*10*10/20 less the penalty"},
        {3, {10, 0, 10, 0}, 150, 100, "the penalty never takes more than half"},
        {3, {5, 0, 4, 0}, 60, 44, "88.9 rounds to 89, whose half drops its half"}};
    for (const Case& c : cases) {
        EXPECT_EQ(variantScore(c.variant, c.counts, c.penalty), c.score) << c.what;
    }
}

// Draws: target colour, target parity, field layout; then per redraw: the squares' side,
// the even number, the odd number, the numbers' side.
struct Round {
    explicit Round(int variant, std::vector<double> draws = {0.0})
        : random(std::move(draws)), game(variant, random) {}
    // Presses `count` times, one press per tick, so each lands on a shown field.
    void pressEachTick(const Answer& answer, int count) {
        for (int i = 0; i < count; ++i) {
            game.tick();
            game.press(&answer);
        }
    }
    ScriptedRandom random;
    AttentionGame game;
};

TEST(AttentionGame, TheFirstKeyOnlyStartsAndABlankFieldTakesNoPress) {
    for (const Answer* first : {static_cast<const Answer*>(nullptr), &kA, &k6}) {
        Round round(1);
        round.game.tick();
        EXPECT_EQ(round.game.tenthsLeft(), 600) << "the clock waits for the first key";
        EXPECT_EQ(round.game.press(first), PressOutcome::Started);
        EXPECT_EQ(round.game.press(&kA), PressOutcome::Ignored) << "not drawn yet";
        round.game.tick();
        EXPECT_EQ(round.game.press(nullptr), PressOutcome::Ignored);
        EXPECT_EQ(round.game.press(&kA), PressOutcome::Right);
        EXPECT_EQ(round.game.press(&kD), PressOutcome::Ignored) << "a blank takes no press";
        round.game.tick();
        EXPECT_EQ(round.game.press(&kD), PressOutcome::Wrong);
        EXPECT_EQ(round.game.squares().right * 10 + round.game.squares().wrong, 11);
    }
}

TEST(AttentionGame, TheAnsweringKeysFollowTheVariantTheLayoutAndTheTargets) {
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
        round.game.press(nullptr);
        round.game.tick();
        EXPECT_EQ(round.random.reseeds, 2) << "reseeded before the choices and the redraw";
        EXPECT_EQ(round.game.press(&answer), outcome) << variant;
        // The answered field is blank until the next tick; the other one is still shown.
        EXPECT_EQ(round.game.squares().shown, field != Field::Squares) << variant;
        EXPECT_EQ(round.game.numbers().shown, field != Field::Numbers) << variant;
    }
}

TEST(AttentionGame, RunsTheDueTicksAndChargesStreaksWhenTheOtherFieldIsPressedAndAtTheEnd) {
    Round round(3);
    round.game.advanceTo(5'000);
    EXPECT_EQ(round.game.tenthsLeft(), 600) << "no clock before the first key";
    round.game.press(nullptr);
    round.pressEachTick(kA, 3);
    round.pressEachTick(k4, 1);
    EXPECT_EQ(round.game.penalty(), 0) << "a streak of 3 is free";
    round.pressEachTick(kA, 5);
    round.pressEachTick(k4, 4);
    EXPECT_EQ(round.game.penalty(), 28) << "the streak of 5 squares";
    const std::pair<std::int64_t, int> steps[] = {
        {1'000, 587}, {1'399, 587}, {1'400, 586}, {59'999, 1}, {90'000, 0}};
    for (const auto& [elapsed, left] : steps) {
        round.game.advanceTo(elapsed);
        EXPECT_EQ(round.game.tenthsLeft(), left) << elapsed << ": time never runs back";
        EXPECT_EQ(round.game.ended(), left == 0) << elapsed;
    }
    // The open streak of 4 numbers costs 10 more; r = CInt(40*8*5/13) = 123.
    EXPECT_EQ(round.game.penalty(), 38);
    EXPECT_EQ(round.game.score(), 85);
    EXPECT_EQ(round.game.press(&kA), PressOutcome::Ignored);
}

}  // namespace
}  // namespace tro::tsepko
