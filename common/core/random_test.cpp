#include "random.h"

#include <gtest/gtest.h>

#include <set>

namespace tro {
namespace {

// Reseeding before every draw, many times a second, must not make the draws repeat: a coin
// drawn right after each reseed shows both sides, and about evenly. A draw below a count
// gives every value below it and nothing else.
TEST(Random, DrawsDoNotRepeatAfterReseedsAndStayInRange) {
    SystemRandom random(1);
    int heads = 0;
    std::set<double> values;
    std::set<int> below;
    for (int i = 0; i < 2000; ++i) {
        random.reseed();
        const double v = random.next();
        ASSERT_TRUE(v >= 0.0 && v < 1.0) << v;
        values.insert(v);
        heads += v < 0.5 ? 1 : 0;
        below.insert(random.below(7));
    }
    EXPECT_EQ(values.size(), 2000u);
    EXPECT_TRUE(heads > 850 && heads < 1150) << heads;
    EXPECT_EQ(below, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(random.below(0) + random.below(-3), 0);
    // A sequence generator is the same every run and ignores reseeds.
    SequenceRandom a(42);
    SequenceRandom b(42);
    for (int i = 0; i < 100; ++i) {
        b.reseed();
        ASSERT_EQ(a.next(), b.next());
    }
}

}  // namespace
}  // namespace tro
