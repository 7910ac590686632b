#include "vertun_game.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/fakes.h"

namespace tro::vertun {
namespace {

// A game driven like the window drives it: the clock is stepped by hand.
struct Driver {
    // Calibrates, then presses the start key; the first turn begins kPauseMs later.
    explicit Driver(int variant, std::vector<double> draws = {0.0})
        : random(std::move(draws)), game(variant, random) {
        game.begin(now);
        EXPECT_EQ(game.tick(now + 999), TickOutcome::Moved);
        EXPECT_EQ(game.tick(now += 1000), TickOutcome::Calibrated);
        EXPECT_EQ(game.pressKey(now += 1000), KeyOutcome::Started);
    }
    // Waits out the pause, lets the arrow turn `ms` milliseconds, and stops it.
    KeyOutcome stopAfter(std::int64_t ms) {
        game.tick(now += kPauseMs);
        return game.pressKey(now += ms);
    }
    std::int64_t now = 5000;
    testing::ScriptedRandom random;
    VertunGame game;
};

TEST(VertunGame, PointsOfAStop) {
    const std::tuple<int, double, double> cases[] = {
        {1, 90, 90},    // straight up after one pass of three o'clock
        {2, 90, 89.1},  // each further pass costs a hundredth
        {0, 90, 90.9},  // before the first pass a hundredth more
        {1, 135, 45},   // half-way down on the left
        {1, 360, 0},    // three o'clock
        {101, 90, 0},   // a hundred and one passes leave nothing
        {102, 270, 0},  // two negative factors do not make points
    };
    for (const auto& [wraps, angle, points] : cases) {
        EXPECT_NEAR(stopPoints(wraps, angle), points, 1e-9) << wraps << " passes, " << angle;
    }
    EXPECT_EQ(arrowLength(), 1668) << "3735 / 2 - 200 = 1667.5 rounds to the even 1668";
}

TEST(VertunGame, ATurnOfTheDrawnSpeedLastsTheDrawnSeconds) {
    const std::tuple<int, std::vector<double>, double> cases[] = {
        {1, {0.0, 0.99, 0.5}, 360},  // variant 1: every turn the same speed
        {2, {0.0}, 120},             // 3 seconds a turn
        {3, {0.25}, 180},            // 1 to 3 seconds: 120 + 0.25 * 240 degrees a second
        {5, {0.5}, 450},
        {6, {0.25}, 450}};
    for (const auto& [variant, draws, degreesPerSecond] : cases) {
        const auto turnMs = static_cast<std::int64_t>(360'000 / degreesPerSecond);
        Driver d(variant, draws);
        for (int turn = 0; turn < 3; ++turn) {
            // The first frame after the pause comes 3 ms late, yet the turn is timed from the
            // end of the pause; and the key, between frames, stops the arrow where it is at its
            // own moment: straight up after one pass.
            d.game.tick(d.now + kPauseMs + 3);
            EXPECT_EQ(d.game.pressKey(d.now += kPauseMs + turnMs), KeyOutcome::Stopped);
            EXPECT_NEAR(d.game.speed(), degreesPerSecond, 1e-9) << variant;
            EXPECT_NEAR(d.game.arrowAngle(), 90.0, 1e-9) << variant;
            EXPECT_NEAR(*d.game.lastPoints(), 90.0, 1e-9) << variant;
        }
        EXPECT_EQ(d.random.reseeds, 3) << "reseeded before every turn";
    }
}

TEST(VertunGame, TheHundredthStopEndsAtOnceTheTotalShowsNoMoreThanTheResult) {
    // Variant 1: 1002 ms from the top leaves the arrow at 89.28 degrees (89.28 points); then
    // 999 ms leave it at 89.64, and every further 1000 ms there again.
    const std::tuple<std::int64_t, std::int64_t, const char*, int, int> cases[] = {
        {1002, 999, "8963.64", 8964, 8963},
        // A hundred stops of 89.28 sum a hair below 8928 in binary: the player sees 8928.
        {1002, 1000, "8928", 8928, 8928},
        // Two passes in the second turn: 6442.9956 shows as 6442.99, the whole 6442 handed off.
        {928, 2001, "6442.99", 6443, 6442}};
    for (const auto& [first, second, total, message, result] : cases) {
        Driver d(1);
        d.stopAfter(first);
        d.stopAfter(second);
        for (int stop = 3; stop < kStopsPerGame; ++stop) {
            ASSERT_EQ(d.stopAfter(1000), KeyOutcome::Stopped) << stop;
        }
        EXPECT_EQ(d.stopAfter(1000), KeyOutcome::Ended);
        EXPECT_EQ(formatTotal(d.game.total()), total);
        EXPECT_EQ(d.game.messageTotal(), message);
        EXPECT_EQ(d.game.result(), result);
        EXPECT_EQ(d.game.pressKey(d.now + 6000), KeyOutcome::Ignored);
        EXPECT_EQ(d.game.stops(), 100);
    }
}

}  // namespace
}  // namespace tro::vertun
