#include "okulen_game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <tuple>

#include "testing/fakes.h"

namespace tro::okulen {
namespace {

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
    std::int64_t now = 5000;  // the monotonic clock, stepped by hand
    ScriptedRandom random;
    Game game;
    Table(int variant, std::vector<double> draws)
        : random(std::move(draws)), game(variant, random) {}
    void seconds(int count) { now += count * 1000LL; }
};

// A ray task: the ray meets the mirror at equal angles and its reflection reaches the target.
void expectSoundRay(const Game& game, std::set<std::pair<bool, bool>>& corners) {
    const Point s = game.source();
    const Point t = game.target();
    const Point r = game.reflectionPoint();
    const double m = game.mirrorY();
    const bool left = s.x < kW / 2;
    corners.insert({left, game.sourceAtTop()});

    // The source lies in a 1500 corner square; source and target on one side of the
    // mirror, the mirror inside the picture.
    EXPECT_TRUE(left ? s.x < 1500 : s.x >= kW - 1500) << s.x;
    EXPECT_TRUE(game.sourceAtTop() ? s.y < 1500 : s.y >= kH - 1500) << s.y;
    EXPECT_GT((s.y - m) * (t.y - m), 0);
    EXPECT_TRUE(m > 0 && m < kH);
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
    EXPECT_EQ(t.y, line.y);
    EXPECT_TRUE(t.x >= line.x + 500 && t.x < line.x + 4500);
    // The visible ray is the first half of the way from the source to the mirror.
    EXPECT_NEAR(distance(s, game.rayMid()) * 2, distance(s, r), 1e-6);
    // The two arrow strokes end the ray, 200 long, 10 degrees off the way back; the
    // hatching and the word "зеркало" lie on the back of the mirror.
    int arrows = 0;
    for (const Stroke& stroke : game.drawing().strokes) {
        if (stroke.ink == Ink::Foreground && stroke.from.y == m && stroke.to.y != m) {
            EXPECT_LT((stroke.to.y - m) * (s.y - m), 0);
        } else if (stroke.ink == Ink::DarkRed && distance(stroke.from, s) > 1e-9) {
            ++arrows;
            EXPECT_NEAR(distance(stroke.from, game.rayMid()), 0, 1e-9);
            EXPECT_NEAR(distance(stroke.from, stroke.to), 200, 1e-6);
            EXPECT_NEAR(angleBetween(stroke.from, stroke.to, s), 10, 1e-4);
        }
    }
    EXPECT_EQ(arrows, 2);
    const Point label = game.metkaPosition(kMetkaMirror, 900, 195);
    EXPECT_DOUBLE_EQ(label.x + 450, kW / 2);
    EXPECT_LT((label.y + 97.5 - m) * (s.y - m), 0);
    EXPECT_GE(std::abs(label.y + 97.5 - m), 200 + 97.5);
}

// A centre task: three points on one circle round the centre, inside the margins and apart.
void expectSoundCentre(const Game& game) {
    const Point c = game.target();
    EXPECT_TRUE(c.x >= 1500 && c.x < kW - 1500 && c.y >= 1500 && c.y < kH - 1500);
    const auto& points = game.points();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(distance(points[i], c), game.radius(), 1e-6);
        EXPECT_TRUE(points[i].x >= 100 && points[i].x <= kW - 100 && points[i].y >= 100 &&
                    points[i].y <= kH - 100);
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_GE(std::abs(game.angles()[i] - game.angles()[j]), 15);
        }
    }
    EXPECT_EQ(game.drawing().rings.size(), 9u);  // each point three dark red circles
}

TEST(OkulenScoring, EachTypeScoresHalvesToEvenAndNeverBelowZero) {
    // Type 1, the typed text against the exact answer: "798.5" is 798 (halves to even), 298
    // away, 0.67 points; 99.5 and 98.5 points round to the even 100 and 98; no number is 0.
    const std::tuple<const char*, double, int> typed[] = {
        {"500", 500, 100},  {"650", 500, 50},  {"800", 500, 0},        {"-1000", 500, 0},
        {"797", 500, 1},    {"798.5", 500, 1}, {"500", 498.5, 100},    {"500", 495.5, 98},
        {"501.5", 500, 99}, {"", 250, 17},     {"  42abc", 42, 100},   {"7,5", 7, 100},
        {"-7", 0, 98},      {"+3", 3, 100},    {"99999999999", 500, 0}};
    for (const auto& [text, exact, points] : typed) {
        EXPECT_EQ(markPoints(text, exact), points) << text << " for " << exact;
    }
    // Types 2 to 4, a click so many twips off (type 4 along a 3-4-5 triangle).
    const std::tuple<int, double, int> clicks[] = {
        {2, 0, 100},  {2, 150, 50}, {2, -150, 50}, {2, 300, 0},  {2, 600, 0},
        {2, 4.5, 98}, {3, 0, 100},  {3, -995, 0},  {3, 985, 2},  {3, 15, 98},
        {4, 0, 100},  {4, 500, 67}, {4, 3000, 0},  {4, 22.5, 98}};
    for (const auto& [type, miss, points] : clicks) {
        const int got = type == 2 ? middlePoints(3000 + miss, 3000)
                        : type == 3
                            ? reflectionPoints(2000 + miss, 2000)
                            : centrePoints({1000 + miss * 0.6, 1000 - miss * 0.8}, {1000, 1000});
        EXPECT_EQ(got, points) << "type " << type << " miss " << miss;
    }
}

TEST(OkulenRayAngle, PointsAlongTheRayWithYUpwardAlsoAlongTheAxes) {
    const std::pair<Point, double> cases[] = {
        {{100, 0}, 0}, {{0, -100}, 90}, {{-100, 0}, 180}, {{0, 100}, 270}, {{-100, 100}, 225}};
    for (const auto& [to, degrees] : cases) {
        EXPECT_NEAR(rayAngle({0, 0}, to) * 180 / kPi, degrees, 1e-9) << to.x << "," << to.y;
    }
}

TEST(OkulenMarkTask, TheAnswerIsShownRoundedDownButScoredExactly) {
    // L = 3000; P = Int(2800 * r) + 100 = 1001; the exact answer is 333.67. Typed 332 is 1.67
    // away (99, 100 if measured from 333); typed 335 is 1.33 away (100, 99 from 333).
    for (const auto& [typed, points] : {std::pair{"332", 99}, {"335", 100}, {"334", 100}}) {
        Table t(1, {0.2001, 901.5 / 2800});
        t.game.start(t.now);
        ASSERT_EQ(t.game.taskType(), TaskType::Mark);
        EXPECT_EQ(t.game.metka(kMetkaAnswer).caption, "333");
        // The red mark stands where the exact answer puts it along the segment.
        const Stroke& mark = t.game.drawing().strokes.back();
        EXPECT_EQ(mark.ink, Ink::DarkRed);
        EXPECT_NEAR((mark.from.x - 1000) / 3000 * 1000, t.game.exactAnswer(), 1e-9);
        ASSERT_EQ(t.game.enter(typed, t.now), Step::Scored);
        EXPECT_EQ(t.game.total(), points) << typed;
        EXPECT_TRUE(t.game.metka(kMetkaAnswer).visible);
    }
}

TEST(OkulenClicks, OnlyClicksWithin200OfTheLineAndNotRightAfterTheStartAnswer) {
    // The type, the click's offset from the target, what it does, its points and its time
    // after the start; the last two are the second click of a double click on the start
    // button.
    struct Case {
        int type;
        Point offset;
        Step step;
        int points;
        std::int64_t after = kStartGuardMs;
    };
    const Case cases[] = {
        {2, {150, 200}, Step::Scored, 50},  {2, {-150, -200}, Step::Scored, 50},
        {2, {0, 201}, Step::Nothing, 0},    {2, {0, -201}, Step::Nothing, 0},
        {3, {100, -200}, Step::Scored, 90}, {3, {0, -201}, Step::Nothing, 0},
        {3, {0, 201}, Step::Nothing, 0},    {4, {1500, 0}, Step::Scored, 0},
        {2, {0, 0}, Step::Nothing, 0, 0},   {4, {0, 0}, Step::Nothing, 0, kStartGuardMs - 1}};
    for (const auto& [type, offset, step, points, after] : cases) {
        SequenceRandom random(7);
        Game game(type, random);
        game.start(1000);
        const Point at{game.target().x + offset.x, game.target().y + offset.y};
        ASSERT_EQ(game.mouseDown(at, 1000 + after), step) << type << " " << offset.y;
        EXPECT_EQ(game.enter("1", 1000 + after), Step::Nothing);
        EXPECT_EQ(game.total(), points);
        EXPECT_EQ(game.countdownRunning(), step == Step::Nothing);
        // A second button pressed while a scored click is on show scores nothing more.
        EXPECT_EQ(game.mouseDown(game.target(), 1000 + kStartGuardMs),
                  step == Step::Nothing ? Step::Scored : Step::Nothing);
    }
}

TEST(OkulenCentreTask, AnglesApartInPlainDifferenceAndNoHangOnARepeatingGenerator) {
    // Centre (4267, 2767), radius 2767 (the least distance, to the top edge); then the
    // angles 350, 5, 10 (too near 5), 90 (the point would stand on the top edge), 200.
    Table t(4, {0.5, 0.5, 0.0, 350.5 / 360, 5.5 / 360, 10.5 / 360, 90.5 / 360, 200.5 / 360});
    t.game.start(t.now);
    EXPECT_EQ(t.game.radius(), 2767);
    EXPECT_EQ(t.game.angles(), (std::array<int, 3>{350, 5, 200}));
    Table repeating(4, {0.5});
    repeating.game.start(repeating.now);
    const auto& angles = repeating.game.angles();
    EXPECT_EQ(angles[0], 180);
    EXPECT_GE(std::min({std::abs(angles[1] - angles[0]), std::abs(angles[2] - angles[0]),
                        std::abs(angles[2] - angles[1])}),
              15);
}

TEST(OkulenCountdown, StartsWithTheFirstTaskTicksFromFiveAndTimesOutAtZero) {
    for (const auto& [variant, seconds] : {std::pair{1, 15}, {2, 10}, {3, 15}, {4, 10}}) {
        Table t(variant, {kLength4000, 0.5});
        // Nothing counts before the start, and time before it does not count.
        EXPECT_EQ(t.game.mouseDown({100, 100}, t.now), Step::Nothing);
        EXPECT_EQ(t.game.enter("5", t.now), Step::Nothing);
        t.seconds(5);
        EXPECT_EQ(t.game.tick(t.now).step, Step::Nothing);
        t.game.start(t.now);
        t.game.start(t.now + 500);  // a second start changes nothing
        EXPECT_EQ(t.random.reseeds, 1);
        t.game.tick(t.now += 999);
        EXPECT_EQ(t.game.secondsLeft(), seconds);
        // A late timer catches up on every second it missed.
        t.now += 1 + (seconds - 2) * 1000;
        EXPECT_EQ(t.game.tick(t.now).sounds, std::vector<std::string_view>(5, kTickSound));
        EXPECT_EQ(t.game.secondsLeft(), 1);
        t.seconds(1);
        const TickOutcome last = t.game.tick(t.now);
        EXPECT_EQ(last.sounds, std::vector<std::string_view>{kTimeoutSound}) << variant;
        EXPECT_EQ(last.step, Step::NextTask);
        EXPECT_EQ(t.game.answers(), 1);
        EXPECT_EQ(t.game.lastPoints(), 0);
        EXPECT_EQ(t.game.secondsLeft(), seconds);
        EXPECT_EQ(t.random.reseeds, 2);  // every task reseeds before it draws
        // A long stall times out only the task on screen.
        t.seconds(100);
        EXPECT_EQ(t.game.tick(t.now).step, Step::NextTask);
        EXPECT_EQ(t.game.answers(), 2);
    }
}

TEST(OkulenPlay, EveryTaskIsSoundAndEveryVariantEndsAfterItsLastWithTheSum) {
    const int kTasks[] = {0, 20, 50, 30, 30, 30};
    std::set<std::pair<bool, bool>> corners;  // where the sources of the rays lie
    SequenceRandom random(11);
    // Every answer comes when the clicks count, before the countdown runs out.
    constexpr std::int64_t kNow = kStartGuardMs;
    for (int variant = 1; variant <= kVariantCount; ++variant) {
        std::array<int, 5> seen{};
        for (int round = 0; round < (variant == kMixedVariant ? 40 : 1); ++round) {
            Game game(variant, random);
            game.start(0);
            int sum = 0;
            int tasks = 0;
            Step step = Step::Nothing;
            for (; !game.over() && tasks < 100; ++tasks) {
                const TaskType type = game.taskType();
                ++seen[static_cast<std::size_t>(type)];
                const bool longTask = type == TaskType::Mark || type == TaskType::Reflection;
                EXPECT_EQ(game.secondsLeft(), longTask ? 15 : 10);
                EXPECT_EQ(game.metka(kMetkaZero).visible, type == TaskType::Mark);
                EXPECT_EQ(game.metka(kMetkaMirror).visible, type == TaskType::Reflection);
                if (type == TaskType::Reflection) {
                    expectSoundRay(game, corners);
                } else if (type == TaskType::Centre) {
                    expectSoundCentre(game);
                }
                if (type == TaskType::Mark) {
                    ASSERT_EQ(
                        game.enter(std::to_string(static_cast<int>(game.exactAnswer()) + 30), kNow),
                        Step::Scored);
                    sum += game.lastPoints();
                    step = game.enter("", kNow);
                } else {
                    ASSERT_EQ(game.mouseDown({game.target().x + 60, game.target().y}, kNow),
                              Step::Scored);
                    sum += game.lastPoints();
                    step = game.mouseUp(kNow);
                }
            }
            EXPECT_EQ(step, Step::GameOver);
            EXPECT_EQ(tasks, kTasks[variant]) << variant;
            EXPECT_EQ(game.total(), sum);
            EXPECT_GT(sum, 0);
            EXPECT_EQ(game.enter("1", kNow), Step::Nothing);
            EXPECT_EQ(game.mouseUp(kNow), Step::Nothing);
        }
        // The mixed variant draws every type, each about 300 times in 1200 tasks.
        for (std::size_t type = 0; type <= 4; ++type) {
            EXPECT_EQ(seen[type] > (variant == kMixedVariant ? 200 : 0),
                      variant == kMixedVariant ? type > 0 : type == std::size_t(variant))
                << variant << " " << type;
        }
    }
    EXPECT_EQ(corners.size(), 4u);
    // The mixed type is the first draw of the task.
    const std::pair<double, TaskType> types[] = {{0.2499, TaskType::Mark},
                                                 {0.25, TaskType::Middle},
                                                 {0.5, TaskType::Reflection},
                                                 {0.9999, TaskType::Centre}};
    for (const auto& [draw, type] : types) {
        Table t(5, {draw, 0.4, 0.4, 0.4, 0.4, 0.4, 0.4, 0.4, 0.3, 0.1, 0.7});
        t.game.start(t.now);
        EXPECT_EQ(t.game.taskType(), type) << draw;
    }
}

}  // namespace
}  // namespace tro::okulen
