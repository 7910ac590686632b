#pragma once
// The windows the main window opens beside its own: the record submission after a stored
// result, Help and About. Each opens modally and returns when it is closed.

#include <QWidget>
#include <functional>

#include "services.h"
#include "submission_input.h"

namespace tro {

class RecordWindows {
  public:
    virtual ~RecordWindows() = default;
    virtual void showSubmission(const SubmissionInput& input) = 0;
    virtual void showHelp() = 0;
    virtual void showAbout() = 0;
};

// The program's own windows.
class QtRecordWindows final : public RecordWindows {
  public:
    explicit QtRecordWindows(Services& services) : services_(services) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // What the submission window's "Прогресс" opens.
    void setProgress(std::function<void()> progress) { progress_ = std::move(progress); }

    void showSubmission(const SubmissionInput& input) override;
    void showHelp() override;
    void showAbout() override;

  private:
    Services& services_;
    QWidget* parent_ = nullptr;
    std::function<void()> progress_;
};

}  // namespace tro
