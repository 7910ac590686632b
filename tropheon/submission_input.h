#pragma once

#include <string>

#include "clock.h"

namespace tro {

struct SubmissionInput {
    std::string gameId;
    int variant;
    int result;
    tro::TimeOfDay handoffTime;
};

}  // namespace tro
