#include "rysko_game.h"

#include <gtest/gtest.h>

#include <tuple>

#include "testing/fakes.h"

namespace tro::rysko {
namespace {

using testing::ScriptedRandom;

TEST(RyskoGame, LayoutFollowsTheWindowsOuterSizeAndTheTargetStaysInside) {
    // Variant, window width and height, draw; the field and the target's side.
    // Variant 6 on a wide window: the target grows past its first 1095 twips and must be
    // sized before it is placed, or at the far corner it would stick out of the field.
    const std::tuple<int, double, double, double, Box, double> cases[] = {
        {1, 12000, 9000, 0.5, {3720, 2300, 4560, 3000}, 60},
        {2, 9600, 7200, 0.5, {3000, 1760, 3600, 2280}, 192},
        {3, 12000, 9000, 0.5, {3720, 2300, 4560, 3000}, 960},
        {4, 12000, 9000, 0.0, {870, 425, 10260, 6750}, 60},
        {5, 12000, 9000, 0.5, {870, 425, 10260, 6750}, 240},
        {6, 28800, 15000, 0.9999999, {1710, 725, 25380, 12150}, 2304},
    };
    for (const auto& [variant, width, height, draw, field, side] : cases) {
        ScriptedRandom random{{draw}};
        RyskoGame game(variant, random, 0);
        game.layOut(width, height);
        const Box& target = game.target();
        EXPECT_EQ(std::tuple(game.field(), target.width, target.height),
                  std::tuple(field, side, side))
            << variant;
        EXPECT_NEAR(target.left, field.left + (field.width - side) * draw, 1e-6);
        EXPECT_NEAR(target.top, field.top + (field.height - side) * draw, 1e-6);
        EXPECT_TRUE(game.field().contains(target)) << variant;
    }
}

// Thousands of moves through windows from the least allowed to very large.
TEST(RyskoGame, TheTargetStaysInsideTheFieldOverThousandsOfMoves) {
    SequenceRandom sizes(7);
    for (int variant = 1; variant <= kVariantCount; ++variant) {
        SequenceRandom spots = makeTargetRandom();
        RyskoGame game(variant, spots, 0);
        for (int move = 0; move < 3000; ++move) {
            if (move % 100 == 0) {
                game.layOut(7200 + sizes.next() * 30000, 5400 + sizes.next() * 20000);
            } else {
                ASSERT_TRUE(game.hit());
            }
            ASSERT_TRUE(game.field().contains(game.target())) << variant << " " << move;
        }
    }
}

TEST(RyskoGame, TheClockCountsAMinuteFromTheLoad) {
    // A tick a hair early counts its second; a late one, after a stall, catches up.
    const std::pair<std::int64_t, int> cases[] = {
        {1000, 59}, {1999, 58}, {12400, 48}, {59000, 1}, {59998, 0}};
    ScriptedRandom random;
    RyskoGame game(1, random, 500);
    for (const auto& [at, left] : cases) {
        EXPECT_EQ(game.tick(500 + at), left == 0) << at;
        EXPECT_EQ(game.secondsLeft(), left) << at;
    }
    // Over: no more ticks, no more hits.
    EXPECT_FALSE(game.tick(500 + 61000));
    EXPECT_FALSE(game.hit());
    EXPECT_EQ(game.points(), 0);
}

}  // namespace
}  // namespace tro::rysko
