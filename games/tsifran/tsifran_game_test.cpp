#include "tsifran_game.h"

#include <gtest/gtest.h>

#include <set>

#include "testing/fakes.h"

namespace tro::tsifran {
namespace {

using testing::ScriptedRandom;

// The draw that gives n from floor(r * 500) + 1.
double drawFor(int n) {
    return (n - 0.5) / 500.0;
}

TEST(Tsifran, LogsEveryAnswerWithItsVerdict) {
    struct Case {
        const char* typed;
        const char* line;
    };
    const Case cases[] = {
        {"170", "123 + 45 = 168   170  неправильно"},
        {"168", "123 + 45 = 168   168  правильно"},
        {"", "123 + 45 = 168     неправильно"},
        {"abc", "123 + 45 = 168   abc  неправильно"},
        {"  168 ", "123 + 45 = 168   168  правильно"},
        {"168abc", "123 + 45 = 168   168abc  правильно"},
        {"168.0", "123 + 45 = 168   168.0  правильно"},
        {"168.0000000001", "123 + 45 = 168   168.0000000001  неправильно"},
        {"0.0000000001", "123 + 45 = 168   0.0000000001  неправильно"},
        {"-5", "123 + 45 = 168   -5  неправильно"},
        {"99999999999999999999", "123 + 45 = 168   99999999999999999999  неправильно"},
    };
    for (const Case& c : cases) {
        ScriptedRandom random({drawFor(123), drawFor(45)});
        TsifranGame game(1, random);
        ASSERT_EQ(game.question(), "123 + 45");
        game.answer(c.typed);
        EXPECT_EQ(game.lastLogLine(), c.line) << '"' << c.typed << '"';
    }
}

TEST(Tsifran, SubtractionPutsTheLargerNumberFirst) {
    struct Case {
        int a;
        int b;
        const char* question;
        int expected;
    };
    for (const Case& c : {Case{10, 300, "300 - 10", 290}, Case{300, 10, "300 - 10", 290},
                          Case{251, 251, "251 - 251", 0}, Case{1, 500, "500 - 1", 499}}) {
        ScriptedRandom random({drawFor(c.a), drawFor(c.b)});
        TsifranGame game(2, random);
        EXPECT_EQ(game.question(), c.question);
        EXPECT_EQ(game.expected(), c.expected);
    }
    ScriptedRandom equal({drawFor(7), drawFor(7)});
    TsifranGame game(2, equal);
    EXPECT_EQ(game.answer(""), Verdict::Right) << "an empty answer is 0, right for 7 - 7";
}

TEST(Tsifran, VariantsChooseTheirOperations) {
    for (int variant = 1; variant <= 3; ++variant) {
        SystemRandom random(77 + variant);
        TsifranGame game(variant, random);
        std::set<Operation> seen;
        for (int i = 0; i < 200; ++i) {
            ASSERT_GE(game.expected(), 0);
            seen.insert(game.operation());
            game.vopros();
        }
        const std::set<Operation> expected =
            variant == 3
                ? std::set<Operation>{Operation::Addition, Operation::Subtraction}
                : std::set<Operation>{variant == 1 ? Operation::Addition : Operation::Subtraction};
        EXPECT_EQ(seen, expected) << variant;
    }
}

TEST(Tsifran, AWrongAnswerBringsANewQuestion) {
    ScriptedRandom random({drawFor(1), drawFor(2), drawFor(3), drawFor(4)});
    TsifranGame game(1, random);
    EXPECT_EQ(game.question(), "1 + 2");
    game.answer("0");
    EXPECT_EQ(game.question(), "3 + 4");
}

TEST(Tsifran, TenRightAnswersEndWithTheClockAsResult) {
    SystemRandom random(4);
    TsifranGame game(3, random);
    game.answer("x");
    game.answer("x");
    game.elapse(25'300);
    for (int i = 0; i < 9; ++i) {
        ASSERT_EQ(game.answer(std::to_string(game.expected())), Verdict::Right);
        ASSERT_EQ(game.outcome(), Outcome::Playing);
    }
    game.answer(std::to_string(game.expected()));
    EXPECT_EQ(game.outcome(), Outcome::Finished);
    EXPECT_EQ(game.clock(), 313);
}

TEST(Tsifran, OnlyAWrongAnswerBeyondThirtyEndsTheGame) {
    SystemRandom random(8);
    TsifranGame game(1, random);
    for (int i = 0; i < 22; ++i) {
        game.answer("-1");
    }
    for (int i = 0; i < 8; ++i) {
        game.answer(std::to_string(game.expected()));
    }
    ASSERT_EQ(game.right() + game.wrong(), 30);
    ASSERT_EQ(game.outcome(), Outcome::Playing);
    game.answer(std::to_string(game.expected()));
    EXPECT_EQ(game.outcome(), Outcome::Playing) << "a right 31st answer goes on";
    game.answer("-1");
    EXPECT_EQ(game.outcome(), Outcome::TooManyAnswers);
}

TEST(Tsifran, TheClockEndsTheGameWhenItPassesTenThousandTenths) {
    SystemRandom random(2);
    TsifranGame game(1, random);
    game.answer("-1");
    EXPECT_EQ(game.elapse(997'000), Outcome::Playing);  // 9970 + 30
    EXPECT_EQ(game.elapse(997'100), Outcome::TooSlow);
}

}  // namespace
}  // namespace tro::tsifran
