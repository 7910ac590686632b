#pragma once
// What the record submission window is given after a stored result.

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
