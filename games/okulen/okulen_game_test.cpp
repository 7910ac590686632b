#include "okulen_game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "testing/fakes.h"

namespace tro::okulen {
namespace {

using testing::FixedClock;
using testing::ScriptedRandom;

constexpr double kW = kPictureWidth;
constexpr double kH = kPictureHeight;

// Draws that give the segment length 4000 (Int(0.4001 * 5000) + 2000).
constexpr double kLength4000 = 0.4001;

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The angle in degrees between the directions a -> b and a -> c.
double angleBetween(Point a, Point b, Point c) {
    const double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - a.x, vy = c.y - a.y;
    return std::acos((ux * vx + uy * vy) / (std::hypot(ux, uy) * std::hypot(vx, vy))) * 180 /
           std::numbers::pi;
}

struct Table {
    FixedClock clock;
    ScriptedRandom random;
    Game game;
    Table(int variant, std::vector<double> draws)
        : random(std::move(draws)), game(variant, random, clock) {}
    void seconds(int count) { clock.advanceMs(count * 1000LL); }
};

TEST(OkulenVariants, EachHasItsNumberOfTasks) {
    const std::vector<std::pair<int, int>> cases = {{1, 20}, {2, 50}, {3, 30}, {4, 30},
                                                    {5, 30}, {0, 0},  {6, 0}};
    for (const auto& [variant, tasks] : cases) {
        EXPECT_EQ(taskTotalOf(variant), tasks) << variant;
    }
}

TEST(OkulenRounding, HalvesGoToTheEvenNumber) {
    const std::vector<std::pair<double, double>> cases = {
        {0.5, 0},  {1.5, 2},   {2.5, 2},   {3.5, 4},   {2.4999, 2}, {2.5001, 3},
        {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-2.6, -3}, {7, 7},      {99.5, 100}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    }
}

TEST(OkulenTypedAnswer, ReadsTheLeadingNumberAndCountsOtherTextAsZero) {
    const std::vector<std::pair<const char*, double>> cases = {
        {"500", 500}, {"  42abc", 42}, {"abc", 0}, {"", 0},        {"-7", -7},
        {"+3", 3},    {"12.5", 12.5},  {"7,5", 7}, {" .25", 0.25}, {"0012", 12}};
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
    }
}

TEST(OkulenScoring, MarkPointsUseTheUnroundedAnswerAndNeverGoBelowZero) {
    struct Case {
        double exact;
        const char* typed;
        int points;
    };
    const std::vector<Case> cases = {
        {500, "500", 100},       // exact
        {500, "650", 50},        // 150 away
        {500, "800", 0},         // 300 away
        {500, "900", 0},         // further: still 0, never negative
        {500, "-1000", 0},       //
        {500, "797", 1},         // 297 away
        {500, "798.5", 1},       // typed 798 (half to even): 298 away, 0.67 points
        {498.5, "500", 100},     // 99.5 rounds to the even 100
        {495.5, "500", 98},      // 98.5 rounds to the even 98
        {500, "501.5", 99},      // typed 502
        {500, "500.5", 100},     // typed 500
        {250, "", 17},           // no number counts as 0: 100 - 250 / 3
        {250, "Ё250", 17},       //
        {500, "99999999999", 0}  // far beyond any answer: no overflow
    };
    for (const Case& c : cases) {
        EXPECT_EQ(markPoints(c.typed, c.exact), c.points) << c.exact << " " << c.typed;
    }
}

TEST(OkulenScoring, ClickPointsOfTheMiddleTheRayAndTheCentre) {
    struct Case {
        int type;
        double miss;
        int points;
    };
    const std::vector<Case> cases = {
        {2, 0, 100},   {2, 150, 50}, {2, -150, 50}, {2, 300, 0},   {2, 600, 0},
        {2, 1.5, 100}, {2, 4.5, 98}, {3, 0, 100},   {3, 500, 50},  {3, -995, 0},
        {3, 985, 2},   {3, 5, 100},  {3, 15, 98},   {3, 2000, 0},  {4, 0, 100},
        {4, 500, 67},  {4, 1500, 0}, {4, 3000, 0},  {4, 22.5, 98}, {4, 7.5, 100},
    };
    for (const Case& c : cases) {
        int points = -1;
        if (c.type == 2) {
            points = middlePoints(3000 + c.miss, 3000);
        } else if (c.type == 3) {
            points = reflectionPoints(2000 + c.miss, 2000);
        } else {
            // The miss as a 3-4-5 triangle, so the distance is exact.
            points = centrePoints({1000 + c.miss * 0.6, 1000 - c.miss * 0.8}, {1000, 1000});
        }
        EXPECT_EQ(points, c.points) << "type " << c.type << " miss " << c.miss;
    }
}

TEST(OkulenRayAngle, PointsAlongTheRayWithYUpward) {
    const std::vector<std::pair<Point, double>> cases = {
        {{100, -100}, 45}, {{-100, -100}, 135}, {{-100, 100}, 225},
        {{100, 100}, 315}, {{100, 0}, 0},       {{0, -100}, 90},
        {{-100, 0}, 180},  {{0, 100}, 270},     {{300, -100}, std::atan(1.0 / 3) * 180 / kPi},
    };
    for (const auto& [to, degrees] : cases) {
        EXPECT_NEAR(rayAngle({0, 0}, to) * 180 / kPi, degrees, 1e-9) << to.x << "," << to.y;
    }
}

TEST(OkulenMarkTask, DrawsTheSegmentTheTicksAndTheMarkWithTheAnswerRoundedDown) {
    // L = 3000; P = Int(2800 * r) + 100 = 1001; the exact answer is 333.67.
    Table t(1, {0.2001, 901.5 / 2800});
    t.game.start();
    ASSERT_EQ(t.game.taskType(), TaskType::Mark);
    EXPECT_EQ(t.game.segmentLength(), 3000);
    EXPECT_NEAR(t.game.exactAnswer(), 333.6667, 1e-4);
    EXPECT_EQ(t.game.metka(kMetkaAnswer).caption, "333");
    EXPECT_FALSE(t.game.metka(kMetkaAnswer).visible);
    EXPECT_TRUE(t.game.metka(kMetkaZero).visible);
    EXPECT_TRUE(t.game.metka(kMetkaThousand).visible);
    EXPECT_FALSE(t.game.metka(kMetkaMirror).visible);

    const auto& strokes = t.game.drawing().strokes;
    ASSERT_EQ(strokes.size(), 4u);
    int marks = 0;
    for (const Stroke& s : strokes) {
        if (s.ink == Ink::Black) {
            EXPECT_EQ(s.from.y, 1000);
            EXPECT_EQ(s.to.x - s.from.x, 3000);
        } else if (s.ink == Ink::DarkRed) {
            ++marks;
            // The mark stands where the exact answer puts it along the segment.
            EXPECT_NEAR((s.from.x - 1000) / 3000 * 1000, t.game.exactAnswer(), 1e-9);
            EXPECT_EQ(s.from.y, 900);
            EXPECT_EQ(s.to.y, 1100);
        } else {
            EXPECT_EQ(s.ink, Ink::Foreground);
            EXPECT_TRUE(s.from.x == 1000 || s.from.x == 4000) << s.from.x;
        }
    }
    EXPECT_EQ(marks, 1);

    // The labels stand centred over the ends and under the mark.
    const Point zero = t.game.metkaPosition(kMetkaZero, 120, 195);
    EXPECT_DOUBLE_EQ(zero.x + 60, 1000);
    EXPECT_DOUBLE_EQ(zero.y + 195, 900);
    const Point thousand = t.game.metkaPosition(kMetkaThousand, 480, 195);
    EXPECT_DOUBLE_EQ(thousand.x + 240, 4000);
    EXPECT_DOUBLE_EQ(thousand.y + 195, 900);
    const Point answer = t.game.metkaPosition(kMetkaAnswer, 360, 195);
    EXPECT_DOUBLE_EQ(answer.x + 180, 1000 + t.game.markOffset());
    EXPECT_DOUBLE_EQ(answer.y, 1100);
}

TEST(OkulenMarkTask, TheScoreUsesTheExactAnswerNotTheShownOne) {
    // Exact 333.67, shown 333: typed 332 is 1.67 away (99 points, 100 if measured from
    // 333); typed 335 is 1.33 away (100 points, 99 if measured from 333).
    for (const auto& [typed, points] :
         std::vector<std::pair<const char*, int>>{{"332", 99}, {"335", 100}, {"334", 100}}) {
        Table t(1, {0.2001, 901.5 / 2800});
        t.game.start();
        ASSERT_EQ(t.game.enter(typed), Step::Scored);
        EXPECT_EQ(t.game.lastPoints(), points) << typed;
        EXPECT_EQ(t.game.total(), points);
        EXPECT_TRUE(t.game.metka(kMetkaAnswer).visible);
    }
}

TEST(OkulenMarkTask, TheFirstEnterScoresAndTheSecondMovesOn) {
    Table t(1, {kLength4000, 0.5});  // exact answer 500
    t.game.start();
    EXPECT_EQ(t.game.mouseDown({3000, 1000}), Step::Nothing);
    EXPECT_EQ(t.game.enter("500"), Step::Scored);
    EXPECT_TRUE(t.game.typedAnswerShown());
    EXPECT_FALSE(t.game.countdownRunning());
    EXPECT_EQ(t.game.answers(), 0);
    EXPECT_EQ(t.game.total(), 100);
    // While the answer is on show no time passes for it.
    t.seconds(30);
    EXPECT_EQ(t.game.tick().step, Step::Nothing);
    EXPECT_EQ(t.game.secondsLeft(), 15);

    EXPECT_EQ(t.game.enter("whatever"), Step::NextTask);
    EXPECT_FALSE(t.game.typedAnswerShown());
    EXPECT_EQ(t.game.answers(), 1);
    EXPECT_EQ(t.game.total(), 100);
    EXPECT_TRUE(t.game.countdownRunning());
    EXPECT_EQ(t.game.secondsLeft(), 15);
    EXPECT_FALSE(t.game.metka(kMetkaAnswer).visible);
}

TEST(OkulenMiddleTask, ClicksNearTheLineScoreAndFarOnesAreIgnored) {
    struct Case {
        Point click;
        Step step;
        int points;
    };
    // The segment runs from 1000 to 5000 on y 1000: the middle is 3000.
    const std::vector<Case> cases = {
        {{3000, 1000}, Step::Scored, 100}, {{3150, 1200}, Step::Scored, 50},
        {{2850, 800}, Step::Scored, 50},   {{3000, 1201}, Step::Nothing, 0},
        {{3000, 799}, Step::Nothing, 0},   {{9000, 1000}, Step::Scored, 0},
    };
    for (const Case& c : cases) {
        Table t(2, {kLength4000});
        t.game.start();
        ASSERT_EQ(t.game.taskType(), TaskType::Middle);
        EXPECT_EQ(t.game.target().x, 3000);
        EXPECT_EQ(t.game.secondsLeft(), 10);
        EXPECT_EQ(t.game.mouseDown(c.click), c.step) << c.click.x << "," << c.click.y;
        EXPECT_EQ(t.game.total(), c.points);
        EXPECT_EQ(t.game.countdownRunning(), c.step == Step::Nothing);
        EXPECT_EQ(t.game.clickAnswerShown(), c.step == Step::Scored);
        EXPECT_EQ(t.game.enter("3000"), Step::Nothing);
    }
}

TEST(OkulenMiddleTask, TheTruthShowsWhileTheButtonIsHeldAndTheReleaseMovesOn) {
    Table t(2, {kLength4000});
    t.game.start();
    EXPECT_EQ(t.game.mouseUp(), Step::Nothing);
    const std::size_t taskStrokes = t.game.drawing().strokes.size();
    ASSERT_EQ(t.game.mouseDown({3030, 1000}), Step::Scored);
    EXPECT_EQ(t.game.lastPoints(), 90);
    ASSERT_EQ(t.game.drawing().strokes.size(), taskStrokes + 1);
    const Stroke& truth = t.game.drawing().strokes.back();
    EXPECT_EQ(truth.ink, Ink::DarkCyan);
    EXPECT_EQ(truth.from.x, 3000);
    EXPECT_EQ(truth.to.x, 3000);
    // A second button pressed while the first is held scores nothing more.
    EXPECT_EQ(t.game.mouseDown({3000, 1000}), Step::Nothing);
    EXPECT_EQ(t.game.total(), 90);

    EXPECT_EQ(t.game.mouseUp(), Step::NextTask);
    EXPECT_EQ(t.game.answers(), 1);
    EXPECT_FALSE(t.game.clickAnswerShown());
    EXPECT_EQ(t.game.drawing().strokes.size(), taskStrokes);
    EXPECT_EQ(t.game.mouseUp(), Step::Nothing);
    EXPECT_EQ(t.game.answers(), 1);
}

TEST(OkulenReflectionTask, AClick201AboveTheLineIsIgnoredAndTheCountdownGoesOn) {
    SequenceRandom random(7);
    FixedClock clock;
    Game game(3, random, clock);
    game.start();
    const Point target = game.target();
    EXPECT_EQ(game.secondsLeft(), 15);
    EXPECT_EQ(game.mouseDown({target.x, target.y - 201}), Step::Nothing);
    EXPECT_EQ(game.mouseDown({target.x, target.y + 201}), Step::Nothing);
    EXPECT_TRUE(game.countdownRunning());
    clock.advanceMs(1000);
    EXPECT_TRUE(game.tick().sounds.empty());
    EXPECT_EQ(game.secondsLeft(), 14);
    EXPECT_EQ(game.mouseDown({target.x + 100, target.y - 200}), Step::Scored);
    EXPECT_EQ(game.lastPoints(), 90);
    EXPECT_FALSE(game.countdownRunning());
}

TEST(OkulenReflectionTask, TheRayMeetsTheMirrorAtEqualAnglesAndReachesTheTarget) {
    SequenceRandom random(2026);
    FixedClock clock;
    Game game(3, random, clock);
    game.start();
    std::set<std::pair<bool, bool>> corners;
    for (int task = 0; task < 400; ++task) {
        ASSERT_EQ(game.taskType(), TaskType::Reflection);
        const Point s = game.source();
        const Point t = game.target();
        const Point r = game.reflectionPoint();
        const double m = game.mirrorY();
        const bool left = s.x < kW / 2;
        corners.insert({left, game.sourceAtTop()});

        // The source lies in a 1500 corner square, the target on the far side.
        EXPECT_TRUE(left ? s.x < 1500 : s.x >= kW - 1500) << s.x;
        EXPECT_TRUE(game.sourceAtTop() ? s.y < 1500 : s.y >= kH - 1500) << s.y;
        // Source and target on one side of the mirror, the mirror inside the picture.
        EXPECT_GT((s.y - m) * (t.y - m), 0);
        EXPECT_GT(m, 0);
        EXPECT_LT(m, kH);
        // The mirror image of the source, the reflection point and the target on one line.
        const Point image{s.x, 2 * m - s.y};
        const double cross = (r.x - image.x) * (t.y - r.y) - (r.y - image.y) * (t.x - r.x);
        EXPECT_NEAR(cross / (distance(image, r) * distance(r, t)), 0, 1e-9);
        // Equal angles with the mirror on both sides.
        const Point along{r.x + 1000, m};
        const Point back{r.x - 1000, m};
        const double in = std::min(angleBetween(r, s, along), angleBetween(r, s, back));
        const double out = std::min(angleBetween(r, t, along), angleBetween(r, t, back));
        EXPECT_NEAR(in, out, 1e-6);
        // The target lies on the drawn target line, at least 500 from its ends.
        const Point line = game.targetLineStart();
        EXPECT_TRUE(left ? line.x >= kW - 6000 : line.x < 1000) << line.x;
        EXPECT_TRUE(game.sourceAtTop() ? t.y < 1000 : t.y >= kH - 1500) << t.y;
        EXPECT_EQ(t.y, line.y);
        EXPECT_GE(t.x, line.x + 500);
        EXPECT_LT(t.x, line.x + 4500);

        // The visible ray is the first half of the way from the source to the mirror.
        EXPECT_NEAR(distance(s, game.rayMid()) * 2, distance(s, r), 1e-6);
        // The two arrow strokes end the ray, 200 long, 10 degrees off the way back.
        int arrows = 0;
        for (const Stroke& stroke : game.drawing().strokes) {
            if (stroke.ink != Ink::DarkRed || distance(stroke.from, s) < 1e-9) {
                continue;
            }
            ++arrows;
            EXPECT_NEAR(distance(stroke.from, game.rayMid()), 0, 1e-9);
            EXPECT_NEAR(distance(stroke.from, stroke.to), 200, 1e-6);
            EXPECT_NEAR(angleBetween(stroke.from, stroke.to, s), 10, 1e-4);
        }
        EXPECT_EQ(arrows, 2);
        // The hatching and the word "зеркало" lie on the back of the mirror.
        for (const Stroke& stroke : game.drawing().strokes) {
            if (stroke.ink == Ink::Foreground && stroke.from.y == m && stroke.to.y != m) {
                EXPECT_LT((stroke.to.y - m) * (s.y - m), 0);
            }
        }
        EXPECT_TRUE(game.metka(kMetkaMirror).visible);
        const Point label = game.metkaPosition(kMetkaMirror, 900, 195);
        EXPECT_DOUBLE_EQ(label.x + 450, kW / 2);
        EXPECT_LT((label.y + 97.5 - m) * (s.y - m), 0);
        EXPECT_GE(std::abs(label.y + 97.5 - m), 200 + 97.5);

        // A click on the target line just at the target scores in full.
        Game copy = game;
        EXPECT_EQ(copy.mouseDown(t), Step::Scored);
        EXPECT_EQ(copy.lastPoints(), 100);
        ASSERT_EQ(copy.drawing().strokes.size(), game.drawing().strokes.size() + 2);

        clock.advanceMs(15000);
        ASSERT_NE(game.tick().step, Step::Nothing);
        if (game.over()) {
            game = Game(3, random, clock);
            game.start();
        }
    }
    EXPECT_EQ(corners.size(), 4u);
}

TEST(OkulenCentreTask, ThreePointsLieOnOneCircleInsideTheMarginsAndApart) {
    SequenceRandom random(77);
    FixedClock clock;
    Game game(4, random, clock);
    game.start();
    for (int task = 0; task < 1000; ++task) {
        ASSERT_EQ(game.taskType(), TaskType::Centre);
        const Point c = game.target();
        EXPECT_GE(c.x, 1500);
        EXPECT_LT(c.x, kW - 1500);
        EXPECT_GE(c.y, 1500);
        EXPECT_LT(c.y, kH - 1500);
        const auto& points = game.points();
        const auto& angles = game.angles();
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(distance(points[i], c), game.radius(), 1e-6);
            EXPECT_GE(points[i].x, 100);
            EXPECT_LE(points[i].x, kW - 100);
            EXPECT_GE(points[i].y, 100);
            EXPECT_LE(points[i].y, kH - 100);
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_GE(std::abs(angles[i] - angles[j]), 15) << angles[i] << " " << angles[j];
            }
        }
        // Each point is three dark red circles.
        int rings = 0;
        for (const Ring& ring : game.drawing().rings) {
            EXPECT_EQ(ring.ink, Ink::DarkRed);
            EXPECT_TRUE(distance(ring.centre, points[0]) < 1e-9 ||
                        distance(ring.centre, points[1]) < 1e-9 ||
                        distance(ring.centre, points[2]) < 1e-9);
            ++rings;
        }
        EXPECT_EQ(rings, 9);
        ASSERT_EQ(game.mouseDown({c.x + 150, c.y}), Step::Scored);
        EXPECT_EQ(game.lastPoints(), 90);
        const auto& all = game.drawing().rings;
        ASSERT_EQ(all.size(), 13u);
        for (std::size_t i = 9; i < 13; ++i) {
            EXPECT_EQ(all[i].ink, Ink::DarkCyan);
            EXPECT_NEAR(distance(all[i].centre, c), 0, 1e-9);
        }
        ASSERT_NE(game.mouseUp(), Step::Nothing);
        if (game.over()) {
            game = Game(4, random, clock);
            game.start();
        }
    }
}

TEST(OkulenCentreTask, AnglesApartInPlainDifferenceSo350And5MayMeet) {
    // Centre (4267, 2767), radius 2767 (the least distance, to the top edge); then the
    // angles 350, 5, 10 (too near 5), 90 (the point would stand on the top edge), 200.
    Table t(4, {0.5, 0.5, 0.0, 350.5 / 360, 5.5 / 360, 10.5 / 360, 90.5 / 360, 200.5 / 360});
    t.game.start();
    EXPECT_EQ(t.game.target().x, 4267);
    EXPECT_EQ(t.game.target().y, 2767);
    EXPECT_EQ(t.game.radius(), 2767);
    EXPECT_EQ(t.game.angles(), (std::array<int, 3>{350, 5, 200}));
    EXPECT_EQ(t.game.secondsLeft(), 10);
}

TEST(OkulenCentreTask, AGeneratorThatRepeatsItselfDoesNotHangTheGame) {
    Table t(4, {0.5});
    t.game.start();
    const auto& angles = t.game.angles();
    EXPECT_EQ(angles[0], 180);
    EXPECT_GE(std::abs(angles[1] - angles[0]), 15);
    EXPECT_GE(std::abs(angles[2] - angles[0]), 15);
    EXPECT_GE(std::abs(angles[2] - angles[1]), 15);
}

TEST(OkulenCountdown, TicksFromFiveAndTimesOutAtZero) {
    struct Case {
        int variant;
        int seconds;
    };
    for (const Case c : {Case{1, 15}, Case{2, 10}, Case{3, 15}, Case{4, 10}}) {
        Table t(c.variant, {kLength4000, 0.5});
        EXPECT_EQ(t.game.secondsLeft(), 10);
        t.game.start();
        ASSERT_EQ(t.game.secondsLeft(), c.seconds);
        std::vector<std::string_view> heard;
        for (int left = c.seconds - 1; left >= 1; --left) {
            t.seconds(1);
            const TickOutcome outcome = t.game.tick();
            EXPECT_EQ(outcome.step, Step::Nothing);
            EXPECT_EQ(t.game.secondsLeft(), left);
            heard.insert(heard.end(), outcome.sounds.begin(), outcome.sounds.end());
        }
        t.seconds(1);
        const TickOutcome last = t.game.tick();
        heard.insert(heard.end(), last.sounds.begin(), last.sounds.end());
        EXPECT_EQ(last.step, Step::NextTask) << c.variant;
        const std::vector<std::string_view> expected = {kTickSound, kTickSound, kTickSound,
                                                        kTickSound, kTickSound, kTimeoutSound};
        EXPECT_EQ(heard, expected) << c.variant;
        EXPECT_EQ(t.game.answers(), 1);
        EXPECT_EQ(t.game.lastPoints(), 0);
        EXPECT_EQ(t.game.total(), 0);
        EXPECT_EQ(t.game.secondsLeft(), c.seconds);
    }
}

TEST(OkulenCountdown, CountsWholeSecondsFromTheStartOfTheTask) {
    Table t(2, {kLength4000});
    t.seconds(5);  // time before the start does not count
    t.game.start();
    t.clock.advanceMs(999);
    t.game.tick();
    EXPECT_EQ(t.game.secondsLeft(), 10);
    t.clock.advanceMs(1);
    t.game.tick();
    EXPECT_EQ(t.game.secondsLeft(), 9);
    // A late timer catches up on every second it missed.
    t.clock.advanceMs(3500);
    const TickOutcome late = t.game.tick();
    EXPECT_EQ(t.game.secondsLeft(), 6);
    EXPECT_TRUE(late.sounds.empty());
    t.clock.advanceMs(500);
    EXPECT_EQ(t.game.tick().sounds.size(), 1u);
    EXPECT_EQ(t.game.secondsLeft(), 5);
}

TEST(OkulenCountdown, ALongStallTimesOutOnlyTheTaskOnScreen) {
    Table t(1, {kLength4000, 0.5});
    t.game.start();
    t.seconds(100);
    EXPECT_EQ(t.game.tick().step, Step::NextTask);
    EXPECT_EQ(t.game.answers(), 1);
    EXPECT_EQ(t.game.secondsLeft(), 15);
}

TEST(OkulenEndOfGame, TwentyTimeOutsInVariantOneEndWithZero) {
    Table t(1, {0.3, 0.6, 0.9});
    t.game.start();
    for (int task = 1; task <= 20; ++task) {
        t.seconds(15);
        const Step step = t.game.tick().step;
        EXPECT_EQ(step, task < 20 ? Step::NextTask : Step::GameOver) << task;
    }
    EXPECT_TRUE(t.game.over());
    EXPECT_EQ(t.game.answers(), 20);
    EXPECT_EQ(t.game.total(), 0);
    EXPECT_FALSE(t.game.countdownRunning());
    t.seconds(15);
    EXPECT_EQ(t.game.tick().step, Step::Nothing);
    EXPECT_EQ(t.game.enter("1"), Step::Nothing);
    EXPECT_EQ(t.game.answers(), 20);
}

TEST(OkulenEndOfGame, EveryVariantEndsAfterItsLastTaskWithTheSumOfItsPoints) {
    for (int variant = 1; variant <= kVariantCount; ++variant) {
        SequenceRandom random(static_cast<std::uint64_t>(variant));
        FixedClock clock;
        Game game(variant, random, clock);
        game.start();
        int sum = 0;
        std::set<TaskType> types;
        Step step = Step::Nothing;
        int tasks = 0;
        while (!game.over() && tasks < 100) {
            ++tasks;
            types.insert(game.taskType());
            if (game.taskType() == TaskType::Mark) {
                ASSERT_EQ(game.enter(std::to_string(static_cast<int>(game.exactAnswer()) + 30)),
                          Step::Scored);
                sum += game.lastPoints();
                step = game.enter("");
            } else {
                ASSERT_EQ(game.mouseDown({game.target().x + 60, game.target().y}), Step::Scored);
                sum += game.lastPoints();
                step = game.mouseUp();
            }
        }
        EXPECT_EQ(step, Step::GameOver);
        EXPECT_EQ(tasks, taskTotalOf(variant)) << variant;
        EXPECT_EQ(game.answers(), taskTotalOf(variant));
        EXPECT_EQ(game.total(), sum);
        EXPECT_GT(sum, 0);
        EXPECT_EQ(types.size(), variant == 5 ? 4u : 1u) << variant;
    }
}

TEST(OkulenMixedVariant, EveryTaskDrawsItsOwnTypeAndTheGameHasThirtyTasks) {
    SequenceRandom random(11);
    FixedClock clock;
    std::array<int, 5> seen{};
    for (int game = 0; game < 20; ++game) {
        Game mixed(5, random, clock);
        mixed.start();
        int tasks = 0;
        while (!mixed.over()) {
            ++tasks;
            ++seen[static_cast<std::size_t>(mixed.taskType())];
            const bool longTask =
                mixed.taskType() == TaskType::Mark || mixed.taskType() == TaskType::Reflection;
            EXPECT_EQ(mixed.secondsLeft(), longTask ? 15 : 10);
            EXPECT_EQ(mixed.metka(kMetkaZero).visible, mixed.taskType() == TaskType::Mark);
            EXPECT_EQ(mixed.metka(kMetkaMirror).visible, mixed.taskType() == TaskType::Reflection);
            clock.advanceMs(15000);
            mixed.tick();
        }
        EXPECT_EQ(tasks, 30);
        EXPECT_EQ(mixed.total(), 0);
    }
    EXPECT_EQ(seen[0], 0);
    for (int type = 1; type <= 4; ++type) {
        // 600 tasks: each type about 150 times.
        EXPECT_GT(seen[static_cast<std::size_t>(type)], 100) << type;
    }
}

TEST(OkulenMixedVariant, TheTypeIsTheFirstDrawOfTheTask) {
    const std::vector<std::pair<double, TaskType>> cases = {{0.0, TaskType::Mark},
                                                            {0.2499, TaskType::Mark},
                                                            {0.25, TaskType::Middle},
                                                            {0.5, TaskType::Reflection},
                                                            {0.9999, TaskType::Centre}};
    for (const auto& [draw, type] : cases) {
        Table t(5, {draw, 0.4, 0.4, 0.4, 0.4, 0.4, 0.4, 0.4, 0.3, 0.1, 0.7});
        t.game.start();
        EXPECT_EQ(t.game.taskType(), type) << draw;
    }
}

TEST(OkulenTasks, TheGeneratorIsReseededAtEveryTask) {
    Table t(2, {kLength4000});
    EXPECT_EQ(t.random.reseeds, 0);
    t.game.start();
    EXPECT_EQ(t.random.reseeds, 1);
    t.game.start();  // a second start changes nothing
    EXPECT_EQ(t.random.reseeds, 1);
    t.seconds(10);
    t.game.tick();
    EXPECT_EQ(t.random.reseeds, 2);
}

TEST(OkulenTasks, NothingCountsBeforeTheStart) {
    Table t(4, {0.5});
    EXPECT_EQ(t.game.mouseDown({100, 100}), Step::Nothing);
    EXPECT_EQ(t.game.mouseUp(), Step::Nothing);
    EXPECT_EQ(t.game.enter("5"), Step::Nothing);
    t.seconds(60);
    EXPECT_EQ(t.game.tick().step, Step::Nothing);
    EXPECT_EQ(t.game.secondsLeft(), 10);
    EXPECT_EQ(t.game.answers(), 0);
    EXPECT_TRUE(t.game.drawing().strokes.empty());
}

}  // namespace
}  // namespace tro::okulen
