#include "random.h"

#include <gtest/gtest.h>

#include <set>

namespace tro {
namespace {

// Reseeding before every draw, many times a second, must not make the draws repeat: a coin
// drawn right after each reseed shows both sides, and about evenly.
TEST(Random, ReseedingBeforeEveryDrawDoesNotRepeatItself) {
    SystemRandom random(1);
    int heads = 0;
    std::set<double> values;
    for (int i = 0; i < 2000; ++i) {
        random.reseed();
        const double v = random.next();
        values.insert(v);
        heads += v < 0.5 ? 1 : 0;
    }
    EXPECT_EQ(values.size(), 2000u);
    EXPECT_GT(heads, 850);
    EXPECT_LT(heads, 1150);
}

TEST(Random, DrawsStayInRange) {
    SystemRandom random(2);
    for (int i = 0; i < 10000; ++i) {
        const double v = random.next();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        const int k = random.below(7);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, 7);
    }
    EXPECT_EQ(random.below(0), 0);
    EXPECT_EQ(random.below(-3), 0);
}

TEST(Random, ASequenceGeneratorIsTheSameEveryRunAndIgnoresReseeds) {
    SequenceRandom a(42);
    SequenceRandom b(42);
    for (int i = 0; i < 100; ++i) {
        b.reseed();
        ASSERT_EQ(a.next(), b.next());
    }
}

}  // namespace
}  // namespace tro
