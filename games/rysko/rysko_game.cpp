#include "rysko_game.h"

#include <algorithm>

namespace tro::rysko {

int fieldShare(int variant) {
    const int group = (variant - 1) / 3 + 1;
    switch (group) {
        case 1:
            return 40;
        case 2:
            return 90;
        default:
            return 0;
    }
}

int targetShare(int variant) {
    const int group = (variant - 1) / 3 + 1;
    const int size = variant - 3 * (group - 1);
    switch (size) {
        case 1:
            return 5;
        case 2:
            return 20;
        case 3:
            return 80;
        default:
            return 0;
    }
}

SequenceRandom makeTargetRandom() {
    return SequenceRandom(kTargetSeed);
}

LabelPlaces placeLabels(const Box& field, double pointsWidth, double pointsHeight,
                        double secondsWidth, double secondsHeight) {
    // Above the field, but never above the window's top edge, where they could not be read.
    return {
        {field.left, std::max(0.0, field.top - pointsHeight), pointsWidth, pointsHeight},
        {field.right() - secondsWidth, std::max(0.0, field.top - secondsHeight), secondsWidth,
         secondsHeight},
    };
}

RyskoGame::RyskoGame(int variant, Random& random, std::int64_t loadedMs)
    : variant_(variant), random_(random), loadedMs_(loadedMs) {}

void RyskoGame::layOut(double outerWidth, double outerHeight) {
    const double share = fieldShare(variant_);
    field_.width = std::max(0.0, (outerWidth - 600) * share / 100);
    field_.height = std::max(0.0, (outerHeight - 1500) * share / 100);
    field_.left = (outerWidth - field_.width) / 2;
    field_.top = (outerHeight - field_.height) / 2 - 700;
    // The target takes its new size before it is placed, so a target grown with the window
    // still lies wholly inside the field; in a field narrower than the target it shrinks to
    // fit.
    const double side =
        std::min({outerWidth * targetShare(variant_) / 1000.0, field_.width, field_.height});
    target_.width = target_.height = std::max(0.0, side);
    moveTarget();
}

bool RyskoGame::hit() {
    if (ended_) {
        return false;
    }
    ++points_;
    moveTarget();
    return true;
}

bool RyskoGame::tick(std::int64_t nowMs) {
    if (ended_) {
        return false;
    }
    // Whole seconds since the load, to the nearest: a tick a hair early still counts.
    const std::int64_t elapsed = std::max<std::int64_t>(0, nowMs - loadedMs_);
    const auto seconds = static_cast<int>(std::min<std::int64_t>((elapsed + 500) / 1000, 1000));
    secondsLeft_ = std::max(0, kGameSeconds - seconds);
    if (secondsLeft_ <= 0) {
        ended_ = true;
        return true;
    }
    return false;
}

void RyskoGame::moveTarget() {
    target_.left = (field_.width - target_.width) * random_.next() + field_.left;
    target_.top = (field_.height - target_.height) * random_.next() + field_.top;
}

}  // namespace tro::rysko
