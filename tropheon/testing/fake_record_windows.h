#pragma once
// A recording stand-in for the submission, Help and About windows.

#include <functional>
#include <vector>

#include "record_windows.h"

namespace tro::testing {

class FakeRecordWindows final : public RecordWindows {
  public:
    void showSubmission(const SubmissionInput& input) override {
        submissions.push_back(input);
        if (onSubmission) {
            onSubmission();
        }
    }
    void showHelp() override { ++helps; }
    void showAbout() override { ++abouts; }

    std::vector<SubmissionInput> submissions;
    int helps = 0;
    int abouts = 0;
    std::function<void()> onSubmission;  // runs while the submission window would be open
};

}  // namespace tro::testing
