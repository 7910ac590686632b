#include "okulen_game.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "numbers.h"
#include "text.h"

namespace tro::okulen {
namespace {

constexpr std::array<int, kVariantCount> kTaskTotals = {20, 50, 30, 30, 30};

// Types 1 and 2: the segment lies on this line, its ticks reach 100 above and below it.
constexpr double kSegmentLeft = 1000;
constexpr double kSegmentY = 1000;
constexpr double kTickTop = 900;
constexpr double kTickBottom = 1100;

// Type 3.
constexpr double kCorner = 1500;  // the source lies in a corner square this wide
constexpr double kTargetLineLength = 5000;
constexpr double kHatchStep = 100;
constexpr double kHatchDepth = 150;
constexpr double kArrowLength = 200;
constexpr double kArrowSpread = 170;  // degrees between the ray and each arrow stroke
constexpr double kMirrorLabelGap = 200;

// Type 4.
constexpr double kCentreMargin = 1500;
constexpr double kPointMargin = 100;
constexpr int kLeastAngleApart = 15;
// A generator that keeps giving rejected angles must not hang the game: after this many
// draws the remaining angles are taken in order from the first whole degree that fits.
constexpr int kAngleDrawLimit = 3600;

double whole(double value) {
    return std::floor(value);
}

std::string wholeText(double value) {
    return std::to_string(static_cast<long long>(std::floor(value)));
}

}  // namespace

int taskTotalOf(int variant) {
    if (variant < 1 || variant > kVariantCount) {
        return 0;
    }
    return kTaskTotals[static_cast<std::size_t>(variant - 1)];
}

int pointsFor(double miss, double perPoint) {
    const double points = roundHalfEven(100 - std::abs(miss) / perPoint);
    return points < 0 ? 0 : static_cast<int>(points);
}

int markPoints(std::string_view typed, double exactAnswer) {
    return pointsFor(roundHalfEven(leadingNumber(typed)) - exactAnswer, 3);
}

int middlePoints(double clickX, double targetX) {
    return pointsFor(clickX - targetX, 3);
}

int reflectionPoints(double clickX, double targetX) {
    return pointsFor(clickX - targetX, 10);
}

int centrePoints(Point click, Point centre) {
    return pointsFor(std::hypot(click.x - centre.x, click.y - centre.y), 15);
}

double rayAngle(Point from, Point to) {
    const double dx = to.x - from.x;
    const double up = from.y - to.y;
    // Straight along an axis the quadrants below are undefined.
    if (dx == 0) {
        return up >= 0 ? kPi / 2 : 3 * kPi / 2;
    }
    if (up == 0) {
        return dx > 0 ? 0 : kPi;
    }
    double phi = std::atan(up / dx);
    if (phi < 0) {
        phi += 2 * kPi;
    }
    const int byAngle = 1 + static_cast<int>(2 * phi / kPi);
    int byDirection = 4;
    if (dx > 0 && up > 0) {
        byDirection = 1;
    } else if (dx < 0 && up > 0) {
        byDirection = 2;
    } else if (dx < 0 && up < 0) {
        byDirection = 3;
    }
    if (byAngle != byDirection) {
        phi += kPi;
    }
    return phi >= 2 * kPi ? phi - 2 * kPi : phi;
}

OkulenGame::OkulenGame(int variant, Random& random, double pictureWidth, double pictureHeight)
    : variant_(variant),
      taskTotal_(taskTotalOf(variant)),
      random_(&random),
      width_(pictureWidth),
      height_(pictureHeight) {
    metka_[kMetkaZero].caption = "0";
    metka_[kMetkaThousand].caption = "1000";
    metka_[kMetkaMirror].caption = "зеркало";
}

void OkulenGame::start(std::int64_t nowMs) {
    if (started_) {
        return;
    }
    started_ = true;
    startMs_ = nowMs;
    makePicture(nowMs);
}

void OkulenGame::makePicture(std::int64_t nowMs) {
    random_->reseed();
    taskType_ = variant_ == kMixedVariant ? static_cast<TaskType>(whole(rnd() * 4) + 1)
                                          : static_cast<TaskType>(variant_);
    drawing_ = {};
    metka_[kMetkaZero].visible = taskType_ == TaskType::Mark;
    metka_[kMetkaThousand].visible = taskType_ == TaskType::Mark;
    metka_[kMetkaMirror].visible = taskType_ == TaskType::Reflection;
    metka_[kMetkaAnswer].visible = false;
    metka_[4].visible = false;
    switch (taskType_) {
        case TaskType::Mark:
            drawMark();
            break;
        case TaskType::Middle:
            drawMiddle();
            break;
        case TaskType::Reflection:
            drawReflection();
            break;
        case TaskType::Centre:
        case TaskType::None:
            drawCentre();
            break;
    }
    const bool longTask = taskType_ == TaskType::Mark || taskType_ == TaskType::Reflection;
    secondsLeft_ = longTask ? kLongCountdown : kShortCountdown;
    countdownRunning_ = true;
    countdownStartMs_ = nowMs;
    secondsCounted_ = 0;
}

void OkulenGame::line(Point from, Point to, Ink ink) {
    drawing_.strokes.push_back({from, to, ink});
}

void OkulenGame::drawSegment() {
    segmentLength_ = whole(rnd() * 5000) + 2000;
    const double right = kSegmentLeft + segmentLength_;
    line({kSegmentLeft, kSegmentY}, {right, kSegmentY}, Ink::Black);
    line({kSegmentLeft, kTickTop}, {kSegmentLeft, kTickBottom}, Ink::Foreground);
    line({right, kTickTop}, {right, kTickBottom}, Ink::Foreground);
}

void OkulenGame::drawMark() {
    drawSegment();
    markOffset_ = whole((segmentLength_ - 200) * rnd()) + 100;
    exactAnswer_ = 1000 * markOffset_ / segmentLength_;
    metka_[kMetkaAnswer].caption = wholeText(exactAnswer_);
    const double x = kSegmentLeft + markOffset_;
    line({x, kTickTop}, {x, kTickBottom}, Ink::DarkRed);
}

void OkulenGame::drawMiddle() {
    drawSegment();
    target_ = {kSegmentLeft + segmentLength_ / 2, kSegmentY};
}

void OkulenGame::drawReflection() {
    const double sx = whole(rnd() * 2);
    const double sy = whole(rnd() * 2);
    sourceAtTop_ = sy == 0;
    source_.x = (width_ - kCorner) * sx + whole(rnd() * kCorner);
    source_.y = (height_ - kCorner) * sy + whole(rnd() * kCorner);
    drawing_.rings.push_back({source_, 50, Ink::DarkBlue});

    mirrorY_ = 500 + (height_ - 2000) * (1 - sy) + whole(rnd() * 1000);

    const double x0 = (width_ - 6000) * (1 - sx) + whole(rnd() * 1000);
    const double y0 = (height_ - kCorner) * sy + whole(rnd() * 1000);
    targetLine_ = {x0, y0};
    line({x0, y0}, {x0 + kTargetLineLength, y0}, Ink::Black);
    line({x0, y0 - 100}, {x0, y0 + 100}, Ink::Foreground);
    line({x0 + kTargetLineLength, y0 - 100}, {x0 + kTargetLineLength, y0 + 100}, Ink::Foreground);

    // The mirror, hatched on its back, the side away from the source.
    line({0, mirrorY_}, {width_, mirrorY_}, Ink::Foreground);
    const double side = sourceAtTop_ ? 1 : -1;
    for (double x = 1; x <= width_; x += kHatchStep) {
        line({x, mirrorY_}, {x - kHatchStep, mirrorY_ + kHatchDepth * side}, Ink::Foreground);
    }

    target_ = {x0 + 500 + whole(rnd() * 4000), y0};
    // The reflection point divides the horizontal way from the target to the source in the
    // ratio of their heights above the mirror, so the two angles with the mirror are equal.
    mirrorOffset_ = (source_.x - target_.x) / ((source_.y - mirrorY_) / (target_.y - mirrorY_) + 1);
    const Point reflection = reflectionPoint();

    // Only the first half of the incoming ray is shown, with an arrowhead at its end.
    rayMid_.x = source_.x + 0.5 * (reflection.x - source_.x);
    rayMid_.y = source_.y + 0.5 * (mirrorY_ - source_.y);
    line(source_, rayMid_, Ink::DarkRed);
    const double phi = rayAngle(source_, rayMid_);
    const double spread = kArrowSpread * kPi / 180;
    for (const double alpha : {phi - spread, phi + spread}) {
        line(rayMid_,
             {rayMid_.x + kArrowLength * std::cos(alpha),
              rayMid_.y - kArrowLength * std::sin(alpha)},
             Ink::DarkRed);
    }
}

Point OkulenGame::reflectionPoint() const {
    return {target_.x + mirrorOffset_, mirrorY_};
}

void OkulenGame::drawCentre() {
    target_.x = whole((width_ - 2 * kCentreMargin) * rnd()) + kCentreMargin;
    target_.y = whole((height_ - 2 * kCentreMargin) * rnd()) + kCentreMargin;
    const std::array<double, 4> distances = {target_.x, target_.y, width_ - target_.x,
                                             height_ - target_.y};
    const double dmin = *std::min_element(distances.begin(), distances.end());
    const double dmax = *std::max_element(distances.begin(), distances.end());
    radius_ = dmin + rnd() * (0.8 * dmax - dmin);

    const auto pointAt = [this](int degrees) {
        const double theta = 2 * kPi * degrees / 360;
        return Point{target_.x + radius_ * std::cos(theta), target_.y - radius_ * std::sin(theta)};
    };
    int taken = 0;
    const auto fits = [&](int degrees) {
        const Point p = pointAt(degrees);
        if (p.x < kPointMargin || p.x > width_ - kPointMargin || p.y < kPointMargin ||
            p.y > height_ - kPointMargin) {
            return false;
        }
        for (int j = 0; j < taken; ++j) {
            if (std::abs(degrees - angles_[static_cast<std::size_t>(j)]) < kLeastAngleApart) {
                return false;
            }
        }
        return true;
    };
    const auto take = [&](int degrees) {
        angles_[static_cast<std::size_t>(taken)] = degrees;
        points_[static_cast<std::size_t>(taken)] = pointAt(degrees);
        ++taken;
    };
    for (int draws = 0; taken < 3 && draws < kAngleDrawLimit; ++draws) {
        const int degrees = static_cast<int>(whole(rnd() * 360));
        if (fits(degrees)) {
            take(degrees);
        }
    }
    for (int degrees = 0; taken < 3 && degrees < 360; ++degrees) {
        if (fits(degrees)) {
            take(degrees);
        }
    }
    // A picture too small for three points: the ones found are all there is to draw.
    for (int i = 0; i < taken; ++i) {
        for (const double r : {20.0, 30.0, 50.0}) {
            drawing_.rings.push_back({points_[static_cast<std::size_t>(i)], r, Ink::DarkRed});
        }
    }
}

void OkulenGame::score(int points, bool typed) {
    lastPoints_ = points;
    total_ += points;
    (typed ? typedAnswerShown_ : clickAnswerShown_) = true;
    countdownRunning_ = false;
    switch (taskType_) {
        case TaskType::Mark:
            metka_[kMetkaAnswer].visible = true;
            break;
        case TaskType::Middle:
            line({target_.x, kTickTop}, {target_.x, kTickBottom}, Ink::DarkCyan);
            break;
        case TaskType::Reflection:
            line(rayMid_, reflectionPoint(), Ink::DarkCyan);
            line(reflectionPoint(), target_, Ink::DarkCyan);
            break;
        case TaskType::Centre:
            for (const double r : {20.0, 40.0, 50.0, 70.0}) {
                drawing_.rings.push_back({target_, r, Ink::DarkCyan});
            }
            break;
        case TaskType::None:
            break;
    }
}

Step OkulenGame::moveOn(std::int64_t nowMs) {
    ++answers_;
    if (answers_ >= taskTotal_) {
        over_ = true;
        countdownRunning_ = false;
        return Step::GameOver;
    }
    makePicture(nowMs);
    return Step::NextTask;
}

Step OkulenGame::enter(std::string_view typed, std::int64_t nowMs) {
    if (!started_ || over_ || taskType_ != TaskType::Mark) {
        return Step::Nothing;
    }
    if (typedAnswerShown_) {
        typedAnswerShown_ = false;
        return moveOn(nowMs);
    }
    score(markPoints(typed, exactAnswer_), true);
    return Step::Scored;
}

Step OkulenGame::mouseDown(Point click, std::int64_t nowMs) {
    // A second button pressed while a scored click is on show scores nothing more.
    if (!started_ || over_ || clickAnswerShown_ || !countdownRunning_ ||
        nowMs - startMs_ < kStartGuardMs) {
        return Step::Nothing;
    }
    switch (taskType_) {
        case TaskType::Middle:
            if (std::abs(click.y - target_.y) > kLineReach) {
                return Step::Nothing;
            }
            score(middlePoints(click.x, target_.x), false);
            return Step::Scored;
        case TaskType::Reflection:
            if (std::abs(click.y - target_.y) > kLineReach) {
                return Step::Nothing;
            }
            score(reflectionPoints(click.x, target_.x), false);
            return Step::Scored;
        case TaskType::Centre:
            score(centrePoints(click, target_), false);
            return Step::Scored;
        case TaskType::Mark:
        case TaskType::None:
            return Step::Nothing;
    }
    return Step::Nothing;
}

Step OkulenGame::mouseUp(std::int64_t nowMs) {
    if (!clickAnswerShown_ || over_) {
        return Step::Nothing;
    }
    clickAnswerShown_ = false;
    return moveOn(nowMs);
}

TickOutcome OkulenGame::tick(std::int64_t nowMs) {
    TickOutcome outcome;
    if (!countdownRunning_ || over_) {
        return outcome;
    }
    const std::int64_t due = (nowMs - countdownStartMs_) / 1000;
    while (countdownRunning_ && secondsCounted_ < due) {
        ++secondsCounted_;
        --secondsLeft_;
        if (secondsLeft_ <= kTickingFrom) {
            outcome.sounds.push_back(secondsLeft_ != 0 ? kTickSound : kTimeoutSound);
        }
        if (secondsLeft_ == 0) {
            lastPoints_ = 0;
            outcome.step = moveOn(nowMs);
            return outcome;
        }
    }
    return outcome;
}

Point OkulenGame::metkaPosition(int index, double width, double height) const {
    switch (index) {
        case kMetkaZero:
            return {kSegmentLeft - width / 2, kTickTop - height};
        case kMetkaThousand:
            return {kSegmentLeft + segmentLength_ - width / 2, kTickTop - height};
        case kMetkaMirror:
            return {(width_ - width) / 2, sourceAtTop_ ? mirrorY_ + kMirrorLabelGap
                                                       : mirrorY_ - kMirrorLabelGap - height};
        case kMetkaAnswer:
            return {kSegmentLeft + markOffset_ - width / 2, kTickBottom};
        default:
            return {};
    }
}

}  // namespace tro::okulen
