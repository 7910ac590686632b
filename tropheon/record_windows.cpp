#include "record_windows.h"

#include "form3.h"
#include "form4.h"
#include "form5.h"

namespace tro {

void QtRecordWindows::showSubmission(const SubmissionInput& input) {
    Form5 window(input, services_, parent_, progress_);
    window.exec();
}

void QtRecordWindows::showHelp() {
    Form4 window(services_, parent_);
    window.exec();
}

void QtRecordWindows::showAbout() {
    Form3 window(services_, parent_);
    window.exec();
}

}  // namespace tro
