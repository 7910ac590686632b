#pragma once
// The eye-estimation game: a fixed number of tasks drawn on the picture, each answered
// within a few seconds for 0 to 100 points. Every position is in twips of the picture
// (origin top left, y growing downward).
//
// Time enters with every event as the monotonic clock reading in milliseconds (`nowMs`): the
// countdown counts whole seconds since its task began, however often the window looks.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "random.h"

namespace tro::okulen {

inline constexpr int kVariantCount = 5;
inline constexpr int kMixedVariant = 5;

// The picture as laid out in the window.
inline constexpr double kPictureWidth = 8535;
inline constexpr double kPictureHeight = 5535;

// Clicks further than this above or below the line are not answers (types 2 and 3).
inline constexpr double kLineReach = 200;
inline constexpr int kLongCountdown = 15;   // types 1 and 3
inline constexpr int kShortCountdown = 10;  // types 2 and 4
inline constexpr int kSecondsBeforeFirstTask = 10;
// The countdown ticks audibly from this many seconds left.
inline constexpr int kTickingFrom = 5;
// Clicks on the picture this soon after the start are not answers: the second click of a
// double click on the start button lands on the first task.
inline constexpr std::int64_t kStartGuardMs = 300;

inline constexpr std::string_view kTickSound = "timertick";
inline constexpr std::string_view kTimeoutSound = "timeout";

// Tasks of a variant (20, 50, 30, 30, 30); 0 outside 1..5.
[[nodiscard]] int taskTotalOf(int variant);

enum class TaskType { None = 0, Mark = 1, Middle = 2, Reflection = 3, Centre = 4 };

enum class Ink { Black, DarkBlue, DarkCyan, DarkRed, Foreground };

struct Point {
    double x = 0;
    double y = 0;
};

struct Stroke {
    Point from;
    Point to;
    Ink ink = Ink::Foreground;
};

struct Ring {
    Point centre;
    double radius = 0;
    Ink ink = Ink::Foreground;
};

// What is on the picture: cleared at every task; the truth is added to it once an answer is
// scored.
struct Drawing {
    std::vector<Stroke> strokes;
    std::vector<Ring> rings;
};

// Points of an answer that is `miss` twips (or units) off, scaled by `perPoint`: 100 less
// the scaled miss, rounded halves to even, never below 0.
[[nodiscard]] int pointsFor(double miss, double perPoint);

// Points of each kind of answer.
[[nodiscard]] int markPoints(std::string_view typed, double exactAnswer);
[[nodiscard]] int middlePoints(double clickX, double targetX);
[[nodiscard]] int reflectionPoints(double clickX, double targetX);
[[nodiscard]] int centrePoints(Point click, Point centre);

// The labels on the picture.
inline constexpr int kMetkaCount = 5;
enum Metka { kMetkaZero = 0, kMetkaThousand = 1, kMetkaMirror = 2, kMetkaAnswer = 3 };

struct LabelState {
    bool visible = false;
    std::string caption;
};

// What an event did.
enum class Step {
    Nothing,   // ignored: not an answer at this moment
    Scored,    // an answer was scored; the truth is on show and the countdown stopped
    NextTask,  // a new task is on the picture
    GameOver,  // the last task is counted: the game ends with total()
};

struct TickOutcome {
    Step step = Step::Nothing;
    std::vector<std::string_view> sounds;  // sound groups to play, in order
};

class OkulenGame {
  public:
    // `variant` 1..5; the picture's size is read again at every task.
    OkulenGame(int variant, Random& random, double pictureWidth = kPictureWidth,
               double pictureHeight = kPictureHeight);

    // The start button: the first task.
    void start(std::int64_t nowMs);

    // Enter in the answer box (type 1): the first scores the typed text, the next moves on.
    Step enter(std::string_view typed, std::int64_t nowMs);
    // A mouse button pressed on the picture (types 2 to 4); none within kStartGuardMs of the
    // start.
    Step mouseDown(Point click, std::int64_t nowMs);
    // The mouse button released over the picture: moves on after a scored click.
    Step mouseUp(std::int64_t nowMs);
    // The countdown: call often; it counts whole seconds since the task began.
    TickOutcome tick(std::int64_t nowMs);

    // Rules and counters.
    [[nodiscard]] int variant() const { return variant_; }
    [[nodiscard]] int taskTotal() const { return taskTotal_; }
    [[nodiscard]] bool started() const { return started_; }
    [[nodiscard]] bool over() const { return over_; }
    [[nodiscard]] TaskType taskType() const { return taskType_; }
    [[nodiscard]] int secondsLeft() const { return secondsLeft_; }
    [[nodiscard]] bool countdownRunning() const { return countdownRunning_; }
    [[nodiscard]] int total() const { return total_; }
    [[nodiscard]] int answers() const { return answers_; }
    [[nodiscard]] int lastPoints() const { return lastPoints_; }
    // The answer of type 1 is scored and on show; the second Enter moves on.
    [[nodiscard]] bool typedAnswerShown() const { return typedAnswerShown_; }
    // A click of types 2 to 4 is scored and on show; the release moves on.
    [[nodiscard]] bool clickAnswerShown() const { return clickAnswerShown_; }

    // The task on screen.
    [[nodiscard]] const Drawing& drawing() const { return drawing_; }
    [[nodiscard]] double pictureWidth() const { return width_; }
    [[nodiscard]] double pictureHeight() const { return height_; }
    [[nodiscard]] double segmentLength() const { return segmentLength_; }       // types 1, 2
    [[nodiscard]] double markOffset() const { return markOffset_; }             // type 1: P
    [[nodiscard]] double exactAnswer() const { return exactAnswer_; }           // type 1
    [[nodiscard]] Point target() const { return target_; }                      // types 2 to 4
    [[nodiscard]] Point source() const { return source_; }                      // type 3
    [[nodiscard]] double mirrorY() const { return mirrorY_; }                   // type 3
    [[nodiscard]] double mirrorOffset() const { return mirrorOffset_; }         // type 3
    [[nodiscard]] Point reflectionPoint() const;                                // type 3
    [[nodiscard]] Point rayMid() const { return rayMid_; }                      // type 3
    [[nodiscard]] Point targetLineStart() const { return targetLine_; }         // type 3
    [[nodiscard]] bool sourceAtTop() const { return sourceAtTop_; }             // type 3
    [[nodiscard]] double radius() const { return radius_; }                     // type 4
    [[nodiscard]] const std::array<int, 3>& angles() const { return angles_; }  // type 4
    [[nodiscard]] const std::array<Point, 3>& points() const { return points_; }

    [[nodiscard]] const LabelState& metka(int index) const { return metka_.at(index); }
    // Where a label of the given size goes (left and top, twips).
    [[nodiscard]] Point metkaPosition(int index, double width, double height) const;

  private:
    void drawMark();
    void drawMiddle();
    void drawReflection();
    void drawCentre();
    void drawSegment();
    void line(Point from, Point to, Ink ink);
    void makePicture(std::int64_t nowMs);
    void score(int points, bool typed);
    Step moveOn(std::int64_t nowMs);
    [[nodiscard]] double rnd() { return random_->next(); }

    int variant_;
    int taskTotal_;
    Random* random_;
    double width_;
    double height_;

    bool started_ = false;
    std::int64_t startMs_ = 0;
    bool over_ = false;
    TaskType taskType_ = TaskType::None;
    int secondsLeft_ = kSecondsBeforeFirstTask;
    bool countdownRunning_ = false;
    std::int64_t countdownStartMs_ = 0;
    int secondsCounted_ = 0;
    int total_ = 0;
    int answers_ = 0;
    int lastPoints_ = 0;
    bool typedAnswerShown_ = false;
    bool clickAnswerShown_ = false;

    Drawing drawing_;
    double segmentLength_ = 0;
    double markOffset_ = 0;
    double exactAnswer_ = 0;
    Point target_;
    Point source_;
    double mirrorY_ = 0;
    double mirrorOffset_ = 0;
    Point rayMid_;
    Point targetLine_;
    bool sourceAtTop_ = true;
    double radius_ = 0;
    std::array<int, 3> angles_{};
    std::array<Point, 3> points_{};
    std::array<LabelState, kMetkaCount> metka_{};
};

// The arrowhead direction of type 3: the angle (radians, 0 to 2 pi) of the ray from `from`
// to `to`, as seen with y growing upward.
[[nodiscard]] double rayAngle(Point from, Point to);

}  // namespace tro::okulen
