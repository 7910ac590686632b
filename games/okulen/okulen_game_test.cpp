#include "okulen_game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "numbers.h"
#include "testing/fakes.h"

namespace tro::okulen {
namespace {

using testing::ScriptedRandom;

constexpr double kW = kPictureWidth, kH = kPictureHeight;

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// A ray task: the ray leaves a corner square for the mirror and its reflection reaches the
// target on the drawn line, the visible half ends at the ray's middle; the word "зеркало" lies
// on the back of the mirror.
void expectSoundRay(const OkulenGame& game, std::set<std::pair<bool, bool>>& corners) {
    const Point s = game.source(), t = game.target(), r = game.reflectionPoint();
    const double m = game.mirrorY();
    const bool left = s.x < kW / 2;
    corners.insert({left, game.sourceAtTop()});
    EXPECT_TRUE(left ? s.x < 1500 : s.x >= kW - 1500) << s.x;
    EXPECT_TRUE(game.sourceAtTop() ? s.y < 1500 : s.y >= kH - 1500) << s.y;
    EXPECT_TRUE(m > 0 && m < kH && (s.y - m) * (t.y - m) > 0);
    // The mirror image of the source, the reflection point and the target on one line.
    const Point image{s.x, 2 * m - s.y};
    const double cross = (r.x - image.x) * (t.y - r.y) - (r.y - image.y) * (t.x - r.x);
    EXPECT_NEAR(cross / (distance(image, r) * distance(r, t)), 0, 1e-9);
    EXPECT_EQ(r.y, m);
    const Point line = game.targetLineStart();
    EXPECT_TRUE(t.y == line.y && t.x >= line.x + 500 && t.x < line.x + 4500);
    EXPECT_NEAR(distance(s, game.rayMid()) * 2, distance(s, r), 1e-6);
    const double label = game.metkaPosition(kMetkaMirror, 900, 195).y + 97.5;  // its middle
    EXPECT_LE((label - m) * (s.y - m), -(200 + 97.5) * std::abs(s.y - m));
}

// A centre task: three points on one circle round the centre, inside the margins and apart.
void expectSoundCentre(const OkulenGame& game) {
    const Point c = game.target();
    EXPECT_TRUE(c.x >= 1500 && c.x < kW - 1500 && c.y >= 1500 && c.y < kH - 1500);
    const auto& points = game.points();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(distance(points[i], c), game.radius(), 1e-6);
        EXPECT_TRUE(points[i].x >= 100 && points[i].x <= kW - 100 && points[i].y >= 100 &&
                    points[i].y <= kH - 100);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_GE(std::abs(game.angles()[i] - game.angles()[j]), 15);
    }
    EXPECT_EQ(game.drawing().rings.size(), 9u);  // each point three dark red circles
}

TEST(OkulenScoring, EachTypeScoresHalvesToEvenAndNeverBelowZero) {
    // Type 1, the typed text against the exact answer: "798.5" is 798 (halves to even), 298
    // away, 0.67 points; 99.5 and 98.5 points round to the even 100 and 98; no number is 0.
    const std::tuple<const char*, double, int> typed[] = {
        {"650", 500, 50},     {"800", 500, 0},    {"797", 500, 1},    {"798.5", 500, 1},
        {"500", 498.5, 100},  {"500", 495.5, 98}, {"501.5", 500, 99}, {"", 250, 17},
        {"  42abc", 42, 100}, {"7,5", 7, 100},    {"-7", 0, 98},      {"99999999999", 500, 0}};
    for (const auto& [text, exact, points] : typed)
        EXPECT_EQ(markPoints(text, exact), points) << text << " for " << exact;
    // Types 2 to 4, a click so many twips off (type 4 along a 3-4-5 triangle).
    const std::tuple<int, double, int> clicks[] = {
        {2, 0, 100}, {2, -150, 50}, {2, 300, 0}, {2, 4.5, 98}, {3, -995, 0},
        {3, 985, 2}, {3, 15, 98},   {4, 0, 100}, {4, 500, 67}, {4, 22.5, 98}};
    for (const auto& [type, miss, points] : clicks) {
        const int got = type == 2 ? middlePoints(3000 + miss, 3000)
                        : type == 3
                            ? reflectionPoints(2000 + miss, 2000)
                            : centrePoints({1000 + miss * 0.6, 1000 - miss * 0.8}, {1000, 1000});
        EXPECT_EQ(got, points) << "type " << type << " miss " << miss;
    }
    // The arrowhead's angle: along the ray with y upward, also along the axes.
    const std::pair<Point, double> rays[] = {
        {{100, 0}, 0}, {{0, -100}, 90}, {{-100, 0}, 180}, {{0, 100}, 270}, {{-100, 100}, 225}};
    for (const auto& [to, degrees] : rays) {
        EXPECT_NEAR(rayAngle({0, 0}, to) * 180 / kPi, degrees, 1e-9) << to.x << "," << to.y;
    }
}

TEST(OkulenClicks, OnlyClicksWithin200OfTheLineAndNotRightAfterTheStartAnswer) {
    // The type, the click's offset from the target, what it does, its points and its time
    // after the start; the last two are the second click of a double click on the start
    // button.
    using enum Step;
    constexpr std::int64_t kIn = kStartGuardMs;
    const std::tuple<int, Point, Step, int, std::int64_t> cases[] = {
        {2, {150, 200}, Scored, 50, kIn}, {2, {-150, -200}, Scored, 50, kIn},
        {2, {0, 201}, Nothing, 0, kIn},   {3, {100, -200}, Scored, 90, kIn},
        {3, {0, -201}, Nothing, 0, kIn},  {4, {1500, 0}, Scored, 0, kIn},
        {2, {0, 0}, Nothing, 0, 0},       {4, {0, 0}, Nothing, 0, kIn - 1}};
    for (const auto& [type, offset, step, points, after] : cases) {
        SequenceRandom random(7);
        OkulenGame game(type, random);
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
    ScriptedRandom random(
        {0.5, 0.5, 0.0, 350.5 / 360, 5.5 / 360, 10.5 / 360, 90.5 / 360, 200.5 / 360});
    OkulenGame game(4, random);
    game.start(0);
    EXPECT_EQ(game.radius(), 2767);
    EXPECT_EQ(game.angles(), (std::array<int, 3>{350, 5, 200}));
    ScriptedRandom repeating({0.5});
    OkulenGame again(4, repeating);
    again.start(0);
    EXPECT_EQ(again.angles(), (std::array<int, 3>{180, 0, 15}));
}

TEST(OkulenCountdown, StartsWithTheFirstTaskTicksFromFiveAndTimesOutAtZero) {
    for (const auto& [variant, seconds] : {std::pair{1, 15}, {2, 10}, {3, 15}, {4, 10}}) {
        ScriptedRandom random({0.4001, 0.5});
        OkulenGame game(variant, random);
        std::int64_t now = 5000;
        // Nothing counts before the start, and time before it does not count.
        EXPECT_EQ(game.mouseDown({100, 100}, now), Step::Nothing);
        EXPECT_EQ(game.tick(now += 5000).step, Step::Nothing);
        game.start(now);
        game.start(now + 500);  // a second start changes nothing
        game.tick(now += 999);
        EXPECT_EQ(game.secondsLeft(), seconds);
        // A late timer catches up on every second it missed.
        now += 1 + (seconds - 2) * 1000;
        EXPECT_EQ(game.tick(now).sounds, std::vector<std::string_view>(5, kTickSound));
        EXPECT_EQ(game.secondsLeft(), 1);
        const TickOutcome last = game.tick(now += 1000);
        EXPECT_EQ(last.sounds, std::vector<std::string_view>{kTimeoutSound}) << variant;
        // The next task, with its full time; every task reseeds before it draws.
        EXPECT_EQ(std::tuple(last.step, game.answers(), game.secondsLeft(), random.reseeds),
                  std::tuple(Step::NextTask, 1, seconds, 2));
        // A long stall times out only the task on screen.
        EXPECT_EQ(game.tick(now += 100'000).step, Step::NextTask);
        EXPECT_EQ(game.answers(), 2);
    }
}

TEST(OkulenPlay, EveryTaskIsSoundAndEveryVariantEndsAfterItsLastWithTheSum) {
    std::set<std::pair<bool, bool>> corners;  // where the sources of the rays lie
    SequenceRandom random(11);
    constexpr std::int64_t kNow = kStartGuardMs;  // every answer in time, when clicks count
    for (int variant = 1; variant <= kVariantCount; ++variant) {
        std::array<int, 5> seen{};  // tasks of each type
        for (int round = 0; round < (variant == kMixedVariant ? 40 : 1); ++round) {
            OkulenGame game(variant, random);
            game.start(0);
            int sum = 0, tasks = 0;
            Step step = Step::Nothing;
            for (; !game.over() && tasks < 100; ++tasks) {
                const TaskType type = game.taskType();
                ++seen[static_cast<std::size_t>(type)];
                const bool longTask = type == TaskType::Mark || type == TaskType::Reflection;
                EXPECT_EQ(game.secondsLeft(), longTask ? 15 : 10);
                EXPECT_EQ(game.metka(kMetkaZero).visible, type == TaskType::Mark);
                EXPECT_EQ(game.metka(kMetkaMirror).visible, type == TaskType::Reflection);
                if (type == TaskType::Reflection)
                    expectSoundRay(game, corners);
                if (type == TaskType::Centre)
                    expectSoundCentre(game);
                const bool mark = type == TaskType::Mark;
                if (mark) {
                    // The answer is shown rounded down; the red mark stands at the exact one.
                    EXPECT_EQ(game.metka(kMetkaAnswer).caption,
                              std::to_string(int(game.exactAnswer())));
                    const double markX = game.drawing().strokes.back().from.x;
                    EXPECT_NEAR((markX - 1000) / game.segmentLength() * 1000, game.exactAnswer(),
                                1e-9);
                }
                const Point off{game.target().x + 60, game.target().y};
                ASSERT_EQ(mark ? game.enter(std::to_string(int(game.exactAnswer()) + 30), kNow)
                               : game.mouseDown(off, kNow),
                          Step::Scored);
                sum += game.lastPoints();
                step = mark ? game.enter("", kNow) : game.mouseUp(kNow);
            }
            EXPECT_EQ(step, Step::GameOver);
            EXPECT_EQ(tasks, (std::array{0, 20, 50, 30, 30, 30}[variant]));
            EXPECT_EQ(game.total(), sum);
            EXPECT_GT(sum, 0);
        }
        // The mixed variant draws every type, each about 300 times in 1200 tasks.
        for (int type = 1; type <= 4; ++type)
            EXPECT_EQ(seen[type] > (variant == kMixedVariant ? 200 : 0),
                      variant == kMixedVariant || type == variant);
    }
    EXPECT_EQ(corners.size(), 4u);
}

}  // namespace
}  // namespace tro::okulen
