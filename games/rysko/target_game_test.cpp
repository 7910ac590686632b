#include "target_game.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/fakes.h"

namespace tro::rysko {
namespace {

using testing::ScriptedRandom;

TEST(TargetGame, VariantsPickFieldAndTargetShares) {
    struct Case {
        int variant;
        int field;   // percent
        int target;  // tenths of a percent of the width
    };
    const Case cases[] = {
        {1, 40, 5},  {2, 40, 20}, {3, 40, 80}, {4, 90, 5},
        {5, 90, 20}, {6, 90, 80}, {7, 0, 5},  // beyond the list: no field
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fieldShare(c.variant), c.field) << c.variant;
        EXPECT_EQ(targetShare(c.variant), c.target) << c.variant;
    }
}

TEST(TargetGame, LayoutFollowsTheWindowsOuterSize) {
    struct Case {
        int variant;
        double width, height;
        Box field;
        double side;
    };
    const Case cases[] = {
        {4, 12000, 9000, {870, 425, 10260, 6750}, 60},
        {3, 12000, 9000, {3720, 2300, 4560, 3000}, 960},
        {1, 12000, 9000, {3720, 2300, 4560, 3000}, 60},
        {5, 12000, 9000, {870, 425, 10260, 6750}, 240},
        {6, 15000, 10500, {1020, 500, 12960, 8100}, 1200},
        {2, 9600, 7200, {3000, 1760, 3600, 2280}, 192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "variant " << c.variant << " on " << c.width << " x " << c.height);
        ScriptedRandom random{{0.5}};
        TargetGame game(c.variant, random, 0);
        game.layOut(c.width, c.height);
        EXPECT_EQ(game.field(), c.field);
        EXPECT_EQ(game.target().width, c.side);
        EXPECT_EQ(game.target().height, c.side);
        // Half-way draws put the target in the middle of the field.
        EXPECT_DOUBLE_EQ(game.target().left + c.side / 2, c.field.left + c.field.width / 2);
        EXPECT_DOUBLE_EQ(game.target().top + c.side / 2, c.field.top + c.field.height / 2);
    }
}

TEST(TargetGame, TheFirstTargetIsSizedBeforeItIsPlaced) {
    // A wide window makes the largest target bigger than its first size of 1095 twips; placed
    // with the old size at the far corner it would stick out of the field.
    ScriptedRandom random{{0.9999999}};
    TargetGame game(6, random, 0);
    EXPECT_EQ(game.target().width, 1095);
    game.layOut(28800, 15000);
    EXPECT_EQ(game.target().width, 2304);
    EXPECT_TRUE(game.field().contains(game.target()));
    EXPECT_NEAR(game.target().right(), game.field().right(), 0.01);
    EXPECT_NEAR(game.target().bottom(), game.field().bottom(), 0.01);
}

TEST(TargetGame, TheTargetStaysInsideTheFieldOverThousandsOfMoves) {
    SequenceRandom sizes(7);
    for (int variant = 1; variant <= kVariantCount; ++variant) {
        SequenceRandom spots = makeTargetRandom();
        TargetGame game(variant, spots, 0);
        for (int layout = 0; layout < 40; ++layout) {
            // Windows from the least the game allows to very wide, very tall and very large.
            const double width = 7200 + sizes.next() * 30000;
            const double height = 5400 + sizes.next() * 20000;
            game.layOut(width, height);
            ASSERT_TRUE(game.field().contains(game.target()))
                << "variant " << variant << " on " << width << " x " << height;
            for (int click = 0; click < 100; ++click) {
                ASSERT_TRUE(game.hit());
                ASSERT_TRUE(game.field().contains(game.target()))
                    << "variant " << variant << " on " << width << " x " << height << ", click "
                    << click;
            }
        }
        EXPECT_EQ(game.points(), 4000);
    }
}

TEST(TargetGame, TheExtremeDrawsReachTheFieldsEdgesAndNoFurther) {
    for (const double draw : {0.0, 0.9999999999}) {
        ScriptedRandom random{{draw}};
        TargetGame game(5, random, 0);
        game.layOut(12000, 9000);
        const Box& field = game.field();
        const Box& target = game.target();
        EXPECT_TRUE(field.contains(target)) << draw;
        if (draw == 0.0) {
            EXPECT_EQ(target.left, field.left);
            EXPECT_EQ(target.top, field.top);
        } else {
            EXPECT_NEAR(target.right(), field.right(), 1e-3);
            EXPECT_NEAR(target.bottom(), field.bottom(), 1e-3);
        }
    }
}

TEST(TargetGame, EveryRunShowsTheSameSpotsAndNeverSeedsFromTheClock) {
    const auto spotsOfARun = [] {
        SequenceRandom spots = makeTargetRandom();
        TargetGame game(2, spots, 0);
        game.layOut(12000, 9000);
        std::vector<Box> seen{game.target()};
        for (int click = 0; click < 50; ++click) {
            game.hit();
            seen.push_back(game.target());
        }
        game.layOut(13500, 9000);
        seen.push_back(game.target());
        return seen;
    };
    const std::vector<Box> first = spotsOfARun();
    EXPECT_EQ(spotsOfARun(), first);
    // The spots do move about.
    EXPECT_NE(first[0], first[1]);

    ScriptedRandom counted{{0.1, 0.7, 0.4}};
    TargetGame game(3, counted, 0);
    game.layOut(12000, 9000);
    for (int click = 0; click < 20; ++click) {
        game.hit();
    }
    EXPECT_EQ(counted.reseeds, 0);
    EXPECT_EQ(counted.draws, 42);
}

TEST(TargetGame, ALayoutMovesTheTargetButKeepsPointsAndClock) {
    ScriptedRandom random{{0.1, 0.2, 0.8, 0.9}};
    TargetGame game(4, random, 1000);
    game.layOut(12000, 9000);
    game.hit();
    game.hit();
    game.tick(4000);
    const Box before = game.target();
    game.layOut(12000, 9000);
    EXPECT_NE(game.target(), before);
    EXPECT_EQ(game.points(), 2);
    EXPECT_EQ(game.secondsLeft(), 57);
}

TEST(TargetGame, TheClockCountsDownAMinuteFromTheLoad) {
    struct Case {
        std::int64_t at;  // milliseconds after the load
        int secondsLeft;
        bool ends;
    };
    const Case cases[] = {
        {1000, 59, false},   // the first tick
        {1999, 58, false},   // a tick a hair early counts its second
        {7003, 53, false},   //
        {12400, 48, false},  // a late tick, after a stall, catches up
        {59000, 1, false},   //
        {59998, 0, true},    // the sixtieth tick ends the game
    };
    ScriptedRandom random;
    TargetGame game(1, random, 500);
    game.layOut(12000, 9000);
    EXPECT_EQ(game.secondsLeft(), 60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        EXPECT_EQ(game.tick(500 + c.at), c.ends);
        EXPECT_EQ(game.secondsLeft(), c.secondsLeft);
        EXPECT_EQ(game.ended(), c.ends);
    }
    // Over: no more ticks, no more hits.
    EXPECT_FALSE(game.tick(500 + 61000));
    EXPECT_EQ(game.secondsLeft(), 0);
    EXPECT_FALSE(game.hit());
    EXPECT_EQ(game.points(), 0);
}

TEST(TargetGame, LabelsStandOnTheFieldsTopCorners) {
    const Box field{870, 425, 10260, 6750};
    const LabelPlaces places = placeLabels(field, 300, 435, 450, 435);
    EXPECT_EQ(places.points, (Box{870, 0, 300, 435}));  // 425 - 435 would leave the window
    EXPECT_EQ(places.seconds, (Box{10680, 0, 450, 435}));
    const LabelPlaces lower = placeLabels(Box{3720, 2300, 4560, 3000}, 300, 435, 450, 435);
    EXPECT_EQ(lower.points, (Box{3720, 1865, 300, 435}));
    EXPECT_EQ(lower.seconds.right(), 8280);
    EXPECT_EQ(lower.seconds.bottom(), 2300);
}

}  // namespace
}  // namespace tro::rysko
