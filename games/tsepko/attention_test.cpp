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
    const std::pair<int, int> cases[] = {{0, 0},  {1, 0},  {3, 0},   {4, 10},   {5, 28},
                                         {6, 52}, {7, 80}, {8, 112}, {12, 270}, {-2, 0}};
    for (const auto& [streak, cost] : cases) {
        EXPECT_EQ(streakPenalty(streak), cost) << "streak " << streak;
    }
}

TEST(VariantScore, FollowsTheFormulaOfEachVariant) {
    struct Case {
        int variant;
        Counts counts;
        int penalty;
        int score;
        const char* what;
    };
    const Case cases[] = {
        {1, {0, 0, 0, 0}, 0, 0, "no presses"},
        {1, {3, 4, 0, 0}, 0, 0, "more wrong than right"},
        {1, {2, 2, 0, 0}, 0, 0, "as many wrong as right"},
        {1, {7, 0, 0, 0}, 0, 70, "p right and none wrong gives 10 p"},
        {1, {3, 1, 0, 0}, 0, 15, "10*3*2/4"},
        {1, {5, 3, 0, 0}, 0, 12, "12.5 rounds to the even 12"},
        {1, {7, 1, 0, 0}, 0, 52, "10*7*6/8 = 52.5 rounds to the even 52"},
        {1, {7, 5, 0, 0}, 0, 12, "11.67 rounds up"},
        {1, {0, 0, 9, 0}, 0, 0, "variant 1 counts only squares"},
        {1, {4, 0, 0, 0}, 500, 40, "variant 1 ignores the penalty"},
        {2, {0, 0, 9, 0}, 0, 90, "p right and none wrong gives 10 p"},
        {2, {9, 0, 0, 0}, 0, 0, "variant 2 counts only numbers"},
        {2, {0, 0, 4, 5}, 0, 0, "more wrong than right"},
        {2, {0, 0, 9, 1}, 0, 72, "10*9*8/10"},
        {3, {0, 0, 0, 0}, 0, 0, "no presses"},
        {3, {10, 0, 0, 0}, 0, 0, "no presses on the numbers"},
        {3, {0, 0, 10, 0}, 0, 0, "no presses on the squares"},
        {3, {10, 0, 4, 5}, 0, 0, "more wrong than right on the numbers"},
        {3, {4, 5, 10, 0}, 0, 0, "more wrong than right on the squares"},
        {3, {2, 2, 3, 3}, 0, 0, "zero by zero gives 0"},
        {3, {2, 2, 5, 0}, 0, 0, "one field rated 0"},
        {3, {10, 0, 10, 0}, 0, 200, "40*10*10/20"},
        {3, {10, 0, 10, 0}, 80, 120, "penalty taken off"},
        {3, {10, 0, 10, 0}, 100, 100, "penalty of exactly half"},
        {3, {10, 0, 10, 0}, 150, 100, "penalty never takes more than half"},
        {3, {5, 0, 4, 0}, 0, 89, "88.9 rounds up"},
        {3, {5, 0, 4, 0}, 60, 44, "half of 89 drops its half"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(variantScore(c.variant, c.counts, c.penalty), c.score) << c.what;
    }
}

// Draws: target colour, target parity, field layout; then per redraw: the squares' side,
// the even number, the odd number, the numbers' side.
struct Round {
    explicit Round(int variant, std::vector<double> draws = {0.0})
        : random(std::move(draws)), game(variant, random) {}
    ScriptedRandom random;
    AttentionGame game;
};

TEST(AttentionGame, MakesItsChoicesAfterReseeding) {
    Round round(3, {0.5, 0.0, 0.7});
    EXPECT_EQ(round.random.reseeds, 1);
    EXPECT_FALSE(round.game.blackTarget());
    EXPECT_TRUE(round.game.evenTarget());
    EXPECT_EQ(round.game.fieldLayout(), 1);
    EXPECT_EQ(round.game.letterField(), Field::Numbers);
}

TEST(AttentionGame, ShowsItsInitialLookUntilTheFirstTick) {
    Round round(3);
    EXPECT_TRUE(round.game.leftSquareBlack());
    EXPECT_EQ(round.game.leftNumber(), 88);
    EXPECT_EQ(round.game.rightNumber(), 88);
    EXPECT_EQ(round.game.tenthsLeft(), 600);
    round.game.tick();
    EXPECT_EQ(round.game.tenthsLeft(), 600) << "the clock waits for the first key";
}

TEST(AttentionGame, TheFirstKeyOnlyStartsWhateverItIs) {
    for (const Answer* first : {static_cast<const Answer*>(nullptr), &kA, &kD, &k4, &k6}) {
        Round round(1);
        EXPECT_EQ(round.game.press(first), PressOutcome::Started);
        EXPECT_TRUE(round.game.started());
        EXPECT_EQ(round.game.squares().right + round.game.squares().wrong, 0);
        // Until the first tick both fields still wait for their first drawing.
        EXPECT_EQ(round.game.press(&kA), PressOutcome::Ignored);
        round.game.tick();
        EXPECT_EQ(round.game.tenthsLeft(), 599);
        EXPECT_EQ(round.game.press(&kA), PressOutcome::Right);
    }
}

TEST(AttentionGame, OtherKeysAreIgnoredOnceStarted) {
    Round round(1);
    round.game.press(nullptr);
    round.game.tick();
    EXPECT_EQ(round.game.press(nullptr), PressOutcome::Ignored);
    EXPECT_TRUE(round.game.squares().shown);
    EXPECT_EQ(round.game.squares().wrong, 0);
}

TEST(AttentionGame, PressesDuringABlankAreIgnoredAndNotCountedWrong) {
    Round round(1);
    round.game.press(nullptr);
    round.game.tick();
    ASSERT_EQ(round.game.press(&kA), PressOutcome::Right);
    EXPECT_FALSE(round.game.squares().shown);
    EXPECT_EQ(round.game.press(&kD), PressOutcome::Ignored);
    EXPECT_EQ(round.game.press(&kA), PressOutcome::Ignored);
    EXPECT_EQ(round.game.squares().right, 1);
    EXPECT_EQ(round.game.squares().wrong, 0);
    round.game.tick();
    EXPECT_TRUE(round.game.squares().shown);
    EXPECT_EQ(round.game.press(&kD), PressOutcome::Wrong);
    EXPECT_EQ(round.game.squares().wrong, 1);
}

TEST(AttentionGame, AnUnansweredFieldKeepsItsPicture) {
    // The second redraw would put the black square right, but only a blank field is redrawn.
    Round round(1, {0.0, 0.0, 0.0, /*tick 1*/ 0.0, 0.0, 0.0, 0.0, /*tick 2*/ 0.9, 0.9, 0.9, 0.9});
    round.game.press(nullptr);
    round.game.tick();
    round.game.tick();
    EXPECT_TRUE(round.game.leftSquareBlack());
    EXPECT_EQ(round.game.leftNumber(), 10);
    EXPECT_EQ(round.game.rightNumber(), 11);
}

TEST(AttentionGame, RedrawsDrawTheSidesAndTheNumbers) {
    struct Case {
        std::vector<double> redraw;  // squares' side, even, odd, numbers' side
        bool leftBlack;
        int left;
        int right;
    };
    const Case cases[] = {
        {{0.0, 0.0, 0.0, 0.0}, true, 10, 11},
        {{0.5, 0.999, 0.999, 0.5}, false, 99, 98},
        {{0.49, 0.5, 0.1, 0.2}, true, 54, 19},
    };
    for (const Case& c : cases) {
        std::vector<double> draws{0.0, 0.0, 0.0};
        draws.insert(draws.end(), c.redraw.begin(), c.redraw.end());
        Round round(2, draws);
        round.game.press(nullptr);
        round.game.tick();
        EXPECT_EQ(round.game.leftSquareBlack(), c.leftBlack);
        EXPECT_EQ(round.game.leftNumber(), c.left);
        EXPECT_EQ(round.game.rightNumber(), c.right);
        EXPECT_EQ(round.random.reseeds, 2) << "reseeded before the redraw";
    }
}

TEST(AttentionGame, TheAnsweringKeysFollowTheVariantAndTheLayout) {
    struct Case {
        int variant;
        double layoutDraw;
        KeyPair pair;
        Field field;
    };
    const Case cases[] = {
        {1, 0.0, KeyPair::Letters, Field::Squares}, {1, 0.0, KeyPair::Keypad, Field::Squares},
        {1, 0.9, KeyPair::Keypad, Field::Squares},  {2, 0.0, KeyPair::Letters, Field::Numbers},
        {2, 0.9, KeyPair::Keypad, Field::Numbers},  {3, 0.0, KeyPair::Letters, Field::Squares},
        {3, 0.0, KeyPair::Keypad, Field::Numbers},  {3, 0.9, KeyPair::Letters, Field::Numbers},
        {3, 0.9, KeyPair::Keypad, Field::Squares},
    };
    for (const Case& c : cases) {
        Round round(c.variant, {0.0, 0.0, c.layoutDraw, 0.0, 0.0, 0.0, 0.0});
        EXPECT_EQ(round.game.fieldAnswered(c.pair), c.field) << c.variant << " " << c.layoutDraw;
        // And the press lands there.
        round.game.press(nullptr);
        round.game.tick();
        const Answer answer{c.pair, Side::Left};
        EXPECT_EQ(round.game.press(&answer), PressOutcome::Right);
        const FieldState& hit =
            c.field == Field::Squares ? round.game.squares() : round.game.numbers();
        const FieldState& other =
            c.field == Field::Squares ? round.game.numbers() : round.game.squares();
        EXPECT_EQ(hit.right, 1);
        EXPECT_EQ(other.right, 0);
        EXPECT_TRUE(other.shown);
    }
}

TEST(AttentionGame, RightAndWrongFollowTheTargets) {
    struct Case {
        std::vector<double> draws;
        Answer answer;
        PressOutcome outcome;
        const char* what;
    };
    // Draws: colour, parity, layout 0 (A/D squares, 4/6 numbers), squares' side, even, odd,
    // numbers' side.
    const Case cases[] = {
        {{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, kA, PressOutcome::Right, "black left, black target"},
        {{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, kD, PressOutcome::Wrong, "white right, black target"},
        {{0.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, kD, PressOutcome::Right, "white right, white target"},
        {{0.5, 0.0, 0.0, 0.5, 0.0, 0.0, 0.0}, kA, PressOutcome::Right, "white left, white target"},
        {{0.5, 0.0, 0.0, 0.5, 0.0, 0.0, 0.0}, kD, PressOutcome::Wrong, "black right, white target"},
        {{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, k4, PressOutcome::Right, "even left, even target"},
        {{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, k6, PressOutcome::Wrong, "odd right, even target"},
        {{0.0, 0.5, 0.0, 0.0, 0.0, 0.0, 0.0}, k6, PressOutcome::Right, "odd right, odd target"},
        {{0.0, 0.5, 0.0, 0.0, 0.0, 0.0, 0.5}, k4, PressOutcome::Right, "odd left, odd target"},
        {{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.5}, k4, PressOutcome::Wrong, "odd left, even target"},
    };
    for (const Case& c : cases) {
        Round round(3, c.draws);
        round.game.press(nullptr);
        round.game.tick();
        EXPECT_EQ(round.game.press(&c.answer), c.outcome) << c.what;
    }
}

// Presses `count` keys of `answer`, one per tick, so each lands on a shown field.
void pressRepeatedly(AttentionGame& game, const Answer& answer, int count) {
    for (int i = 0; i < count; ++i) {
        game.tick();
        game.press(&answer);
    }
}

TEST(AttentionGame, AStreakIsChargedWhenTheOtherFieldIsPressed) {
    struct Case {
        int streak;
        int penalty;
    };
    for (const Case c : {Case{3, 0}, Case{4, 10}, Case{7, 80}}) {
        Round round(3);
        round.game.press(nullptr);
        pressRepeatedly(round.game, kA, c.streak);
        EXPECT_EQ(round.game.squares().streak, c.streak);
        EXPECT_EQ(round.game.penalty(), 0);
        pressRepeatedly(round.game, k4, 1);
        EXPECT_EQ(round.game.penalty(), c.penalty) << c.streak;
        EXPECT_EQ(round.game.squares().streak, 0);
        EXPECT_EQ(round.game.numbers().streak, 1);
    }
}

TEST(AttentionGame, EndsAfterSixHundredTicksWithTheScore) {
    Round round(3);
    round.game.press(nullptr);
    pressRepeatedly(round.game, kA, 5);  // 5 right squares
    pressRepeatedly(round.game, k4, 4);  // 4 right numbers, the squares' 5 cost 28
    EXPECT_EQ(round.game.penalty(), 28);
    while (round.game.tenthsLeft() > 1) {
        round.game.tick();
    }
    EXPECT_FALSE(round.game.ended());
    round.game.tick();
    EXPECT_TRUE(round.game.ended());
    EXPECT_EQ(round.game.tenthsLeft(), 0);
    // The open streak of 4 numbers is charged at the end: 28 + 10, r = CInt(40*5*4/9) = 89.
    EXPECT_EQ(round.game.penalty(), 38);
    EXPECT_EQ(round.game.score(), 51);
    EXPECT_EQ(round.game.press(&kA), PressOutcome::Ignored);
    round.game.tick();
    EXPECT_EQ(round.game.squares().right, 5);
}

TEST(AttentionGame, PressingNothingForTheWholeMinuteGivesZero) {
    for (int variant = 1; variant <= 3; ++variant) {
        Round round(variant);
        round.game.press(nullptr);
        round.game.advanceTo(60'000);
        EXPECT_TRUE(round.game.ended());
        EXPECT_EQ(round.game.score(), 0);
    }
}

TEST(AttentionGame, ElapsedTimeRunsTheTicksThatAreDue) {
    Round round(1);
    round.game.advanceTo(5'000);
    EXPECT_EQ(round.game.tenthsLeft(), 600) << "no clock before the first key";
    round.game.press(nullptr);
    round.game.advanceTo(99);
    EXPECT_EQ(round.game.tenthsLeft(), 600);
    round.game.advanceTo(100);
    EXPECT_EQ(round.game.tenthsLeft(), 599);
    round.game.advanceTo(1'050);
    EXPECT_EQ(round.game.tenthsLeft(), 590);
    round.game.advanceTo(1'000);
    EXPECT_EQ(round.game.tenthsLeft(), 590) << "time never runs back";
    round.game.advanceTo(59'999);
    EXPECT_FALSE(round.game.ended());
    round.game.advanceTo(90'000);
    EXPECT_TRUE(round.game.ended());
    EXPECT_EQ(round.game.tenthsLeft(), 0);
}

TEST(AttentionGame, APerfectSquaresRoundScoresTenPerPress) {
    Round round(1);
    round.game.press(nullptr);
    pressRepeatedly(round.game, kA, 30);
    round.game.advanceTo(60'000);
    EXPECT_EQ(round.game.squares().right, 30);
    EXPECT_EQ(round.game.score(), 300) << "variant 1 ignores the streak penalty";
    EXPECT_GT(round.game.penalty(), 0);
}

}  // namespace
}  // namespace tro::tsepko
