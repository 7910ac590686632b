#include "arrow_game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "testing/fakes.h"

namespace tro::vertun {
namespace {

using testing::ScriptedRandom;

// A game driven like the window drives it: the clock is stepped by hand.
class Driver {
  public:
    explicit Driver(int variant, std::vector<double> draws = {0.0})
        : random(std::move(draws)), game(variant, random) {}

    // Calibrates, then presses the start key; the first turn begins kPauseMs later.
    void start() {
        game.begin(now);
        now += 2000;
        game.advance(now);
        EXPECT_EQ(game.pressKey(now), KeyOutcome::Started);
    }
    // Waits out the pause, lets the arrow turn `ms` milliseconds, and stops it.
    KeyOutcome stopAfter(std::int64_t ms) {
        now += kPauseMs;
        game.advance(now);
        now += ms;
        return game.pressKey(now);
    }

    std::int64_t now = 5000;
    ScriptedRandom random;
    ArrowGame game;
};

TEST(ArrowGame, VariantsGiveTheirCaptionsAndSecondsPerTurn) {
    struct Case {
        int variant;
        const char* caption;
        double minTurn, maxTurn;
    };
    const Case cases[] = {
        {1, "Останови стрелку:  всегда 1 секунда", 1, 1},
        {2, "Останови стрелку:  от 2 до 3 секунд", 2, 3},
        {3, "Останови стрелку:  от 1 до 3 секунд", 1, 3},
        {4, "Останови стрелку:  от 1 до 2 секунд", 1, 2},
        {5, "Останови стрелку:  от 0.5 до 2 секунд", 0.5, 2},
        {6, "Останови стрелку:  от 0.5 до 1 секунды", 0.5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        EXPECT_EQ(std::string(variantInfo(c.variant).caption), c.caption);
        ScriptedRandom random;
        const ArrowGame game(c.variant, random);
        EXPECT_EQ(game.minTurn(), c.minTurn);
        EXPECT_EQ(game.maxTurn(), c.maxTurn);
        EXPECT_EQ(game.arrowAngle(), 90.0);
    }
}

TEST(ArrowGame, ArrowIsHalfTheDialLessTwoHundredRoundedToEven) {
    // 3735 / 2 - 200 = 1667.5, which rounds to the even 1668.
    EXPECT_EQ(arrowLength(), 1668);
}

TEST(ArrowGame, PointsOfAStop) {
    struct Case {
        int wraps;
        double angle;
        double points;
    };
    const Case cases[] = {
        {1, 90, 90},    // straight up after one pass of three o'clock
        {2, 90, 89.1},  // each further pass costs a hundredth
        {0, 90, 90.9},  // before the first pass a hundredth more
        {1, 45, 45},    // half-way down on the right
        {1, 135, 45},   // and on the left
        {1, 100, 80},   //
        {3, 80, 78.4},  //
        {1, 180, 0},    // nine o'clock
        {1, 360, 0},    // three o'clock
        {0, 270, 0},    // six o'clock
        {1, 200, 0},    // anywhere below the sides
        {101, 90, 0},   // a hundred and one passes leave nothing
        {150, 90, 0},   //
        {102, 270, 0},  // two negative factors do not make points
        {250, 200, 0},  //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.wraps << " passes, angle " << c.angle);
        EXPECT_NEAR(stopPoints(c.wraps, c.angle), c.points, 1e-9);
    }
}

TEST(ArrowGame, LabelsShowTwoDecimalsWithoutTrailingZeros) {
    const std::pair<double, const char*> cases[] = {
        {90, "90"},      {89.1, "89.1"},  {90.9, "90.9"},       {0, "0"},     {45.678, "45.68"},
        {0.125, "0.12"}, {0.375, "0.38"}, {8963.64, "8963.64"}, {0.004, "0"}, {79.999, "80"},
    };
    for (const auto& [value, shown] : cases) {
        EXPECT_EQ(formatPoints(value), shown) << value;
    }
}

TEST(ArrowGame, RoundingToWholeNumbersTakesHalvesToEven) {
    const std::pair<double, int> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {8963.64, 8964}, {8963.49, 8963}, {0.0, 0},
    };
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    }
}

TEST(ArrowGame, CalibrationRacesForASecondAndRestsUp) {
    ScriptedRandom random;
    ArrowGame game(3, random);
    EXPECT_EQ(game.phase(), Phase::Idle);
    EXPECT_EQ(game.pressKey(0), KeyOutcome::Ignored);
    game.begin(100);
    EXPECT_EQ(game.phase(), Phase::Calibrating);
    game.advance(225);  // an eighth of a second at two turns a second: a quarter turn
    EXPECT_NEAR(game.arrowAngle(), 360.0, 1e-9);
    EXPECT_EQ(game.pressKey(350), KeyOutcome::Ignored);
    EXPECT_NEAR(game.arrowAngle(), 270.0, 1e-9);
    game.advance(1099);
    EXPECT_EQ(game.phase(), Phase::Calibrating);
    game.advance(1100);
    EXPECT_EQ(game.phase(), Phase::Waiting);
    EXPECT_EQ(game.arrowAngle(), 90.0);
    // Frames that come late still leave the arrow up.
    game.advance(1700);
    EXPECT_EQ(game.arrowAngle(), 90.0);
    EXPECT_EQ(game.stops(), 0);
}

TEST(ArrowGame, VariantOneGivesEveryTurnTheSameSpeed) {
    Driver d(1, {0.0, 0.99, 0.5, 0.123});
    d.start();
    for (int turn = 0; turn < 8; ++turn) {
        d.stopAfter(700 + 37 * turn);
        EXPECT_DOUBLE_EQ(d.game.speed(), 360.0) << turn;
    }
    EXPECT_EQ(d.random.reseeds, 8);
}

TEST(ArrowGame, EachTurnDrawsItsSpeedBetweenTheVariantsBounds) {
    struct Case {
        int variant;
        double draw;
        double degreesPerSecond;
    };
    const Case cases[] = {
        {2, 0.0, 120}, {2, 0.5, 150}, {3, 0.25, 180}, {3, 0.999, 359.76},
        {5, 0.0, 180}, {5, 0.5, 450}, {6, 0.5, 540},  {6, 0.75, 630},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "variant " << c.variant << " draw " << c.draw);
        Driver d(c.variant, {c.draw});
        d.start();
        d.stopAfter(100);
        EXPECT_NEAR(d.game.speed(), c.degreesPerSecond, 1e-9);
        EXPECT_EQ(d.random.reseeds, 1);
    }
}

TEST(ArrowGame, ATurnOfTheDrawnSpeedLastsTheDrawnSeconds) {
    struct Case {
        int variant;
        double draw;
        std::int64_t turnMs;  // 360 degrees at the drawn speed
    };
    const Case cases[] = {
        {1, 0.3, 1000}, {2, 0.0, 3000}, {3, 0.25, 2000}, {5, 0.5, 800}, {6, 0.25, 800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "variant " << c.variant);
        Driver d(c.variant, {c.draw});
        d.start();
        // Frames every 16 ms: the first after the pause comes 3 ms late, yet the turn is timed
        // from the end of the pause.
        const std::int64_t turnStart = d.now + kPauseMs;
        std::int64_t t = d.now;
        int wrapsSeen = 0;
        std::int64_t firstFullTurn = -1;
        while (firstFullTurn < 0 && t < turnStart + 10000) {
            t += 16;
            d.game.advance(t);
            wrapsSeen = d.game.wraps();
            if (d.game.phase() == Phase::Turning && wrapsSeen == 1 &&
                d.game.arrowAngle() <= 90.0 + 1e-9) {
                firstFullTurn = t;
            }
        }
        // The first frame that shows the arrow up again comes within one frame of the turn.
        ASSERT_GE(firstFullTurn, 0);
        EXPECT_GE(firstFullTurn - turnStart, c.turnMs);
        EXPECT_LT(firstFullTurn - turnStart, c.turnMs + 16);
        // A key at exactly the end of the turn stops the arrow straight up after one pass.
        Driver exact(c.variant, {c.draw});
        exact.start();
        EXPECT_EQ(exact.stopAfter(c.turnMs), KeyOutcome::Stopped);
        EXPECT_NEAR(exact.game.arrowAngle(), 90.0, 1e-9);
        EXPECT_EQ(exact.game.wraps(), 1);
        EXPECT_NEAR(*exact.game.lastPoints(), 90.0, 1e-9);
    }
}

TEST(ArrowGame, AStopTakesTheAngleAtTheKeysTimeNotTheLastFrames) {
    // Two games stopped at the same moment, one drawn every 16 ms, one never drawn, and a
    // third whose last frame came well before the key.
    Driver framed(3, {0.5});
    Driver unframed(3, {0.5});
    Driver late(3, {0.5});
    for (Driver* d : {&framed, &unframed, &late}) {
        d->start();
    }
    const std::int64_t key = framed.now + kPauseMs + 1337;
    for (std::int64_t t = framed.now; t < key; t += 16) {
        framed.game.advance(t);
    }
    late.game.advance(key - 90);
    const double lateFrameAngle = late.game.arrowAngle();
    for (Driver* d : {&framed, &unframed, &late}) {
        d->game.pressKey(key);
    }
    // 240 degrees a second for 1.337 s from the top: 320.88 degrees, one pass.
    for (Driver* d : {&framed, &unframed, &late}) {
        EXPECT_NEAR(d->game.arrowAngle(), 90.0 - 320.88 + 360.0, 1e-9);
        EXPECT_EQ(d->game.wraps(), 1);
        EXPECT_NEAR(*d->game.lastPoints(), 100.0 * (90.0 - 39.12) / 100.0, 1e-9);
    }
    EXPECT_GT(std::abs(lateFrameAngle - late.game.arrowAngle()), 20.0);
}

TEST(ArrowGame, AStopBeforeTheFirstPassEarnsAHundredthMore) {
    Driver d(1);
    d.start();
    d.stopAfter(250);              // a quarter turn: three o'clock, nothing
    EXPECT_EQ(d.game.wraps(), 1);  // reaching 0 counts as a pass and shows as 360
    EXPECT_NEAR(d.game.arrowAngle(), 360.0, 1e-9);
    EXPECT_EQ(*d.game.lastPoints(), 0.0);
    d.stopAfter(750);  // from three o'clock three quarters round: up, no pass
    EXPECT_EQ(d.game.wraps(), 0);
    EXPECT_NEAR(d.game.arrowAngle(), 90.0, 1e-9);
    EXPECT_NEAR(*d.game.lastPoints(), 90.9, 1e-9);
    d.stopAfter(2000);  // two passes
    EXPECT_EQ(d.game.wraps(), 2);
    EXPECT_NEAR(*d.game.lastPoints(), 89.1, 1e-9);
}

TEST(ArrowGame, KeysDuringThePauseDoNothingAndTheNextTurnStartsWhereTheArrowStopped) {
    Driver d(1);
    d.start();
    d.stopAfter(1100);  // 36 degrees short of a second pass: angle 54
    const double stopped = d.game.arrowAngle();
    EXPECT_NEAR(stopped, 54.0, 1e-9);
    EXPECT_EQ(d.game.pressKey(d.now + 60), KeyOutcome::Ignored);
    EXPECT_EQ(d.game.phase(), Phase::Pause);
    EXPECT_EQ(d.game.stops(), 1);
    d.game.advance(d.now + kPauseMs);
    EXPECT_EQ(d.game.phase(), Phase::Turning);
    EXPECT_NEAR(d.game.arrowAngle(), stopped, 1e-9);
    d.game.advance(d.now + kPauseMs + 100);
    EXPECT_NEAR(d.game.arrowAngle(), 18.0, 1e-9);
}

TEST(ArrowGame, TotalKeepsFractionsAndMarksShowTheAverage) {
    Driver d(1);
    d.start();
    EXPECT_FALSE(d.game.averageMarks().has_value());
    EXPECT_FALSE(d.game.lastPoints().has_value());
    d.stopAfter(1000);  // 90
    d.stopAfter(1001);  // 89.64
    d.stopAfter(1250);  // three o'clock: 0
    EXPECT_EQ(d.game.stops(), 3);
    EXPECT_NEAR(d.game.total(), 179.64, 1e-9);
    const auto marks = d.game.averageMarks();
    ASSERT_TRUE(marks.has_value());
    EXPECT_NEAR(marks->first, 59.88, 1e-9);
    EXPECT_NEAR(marks->second, 120.12, 1e-9);
}

TEST(ArrowGame, TheHundredthStopEndsAtOnce) {
    Driver d(6, {0.5});
    d.start();
    for (int stop = 1; stop < kStopsPerGame; ++stop) {
        ASSERT_EQ(d.stopAfter(300), KeyOutcome::Stopped) << stop;
    }
    EXPECT_EQ(d.game.phase(), Phase::Pause);
    EXPECT_EQ(d.stopAfter(300), KeyOutcome::Ended);
    EXPECT_EQ(d.game.phase(), Phase::Ended);
    EXPECT_EQ(d.game.stops(), 100);
    // Nothing turns or scores any more.
    const double angle = d.game.arrowAngle();
    d.game.advance(d.now + 5000);
    EXPECT_EQ(d.game.arrowAngle(), angle);
    EXPECT_EQ(d.game.pressKey(d.now + 6000), KeyOutcome::Ignored);
    EXPECT_EQ(d.game.stops(), 100);
}

TEST(ArrowGame, TheMessageRoundsTheTotalWhileTheResultTruncatesIt) {
    Driver d(1);
    d.start();
    d.stopAfter(1002);  // 89.28
    d.stopAfter(999);   // back to 89.64
    for (int stop = 3; stop <= kStopsPerGame; ++stop) {
        d.stopAfter(1000);  // 89.64 each
    }
    ASSERT_EQ(d.game.phase(), Phase::Ended);
    EXPECT_NEAR(d.game.total(), 8963.64, 1e-6);
    EXPECT_EQ(d.game.messageTotal(), 8964);
    EXPECT_EQ(d.game.result(), 8963);
}

TEST(ArrowGame, AWholeTotalIsNotLostToTheSumsRoundingErrors) {
    // A hundred stops of 89.28 add up to 8928 on paper; the binary sum lies a hair below.
    Driver d(1);
    d.start();
    d.stopAfter(1002);
    for (int stop = 2; stop <= kStopsPerGame; ++stop) {
        d.stopAfter(1000);
    }
    ASSERT_EQ(d.game.phase(), Phase::Ended);
    EXPECT_EQ(formatPoints(d.game.total()), "8928");
    EXPECT_EQ(d.game.messageTotal(), 8928);
    EXPECT_EQ(d.game.result(), 8928);
}

}  // namespace
}  // namespace tro::vertun
