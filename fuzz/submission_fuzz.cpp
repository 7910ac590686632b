// The submission-code decoder on arbitrary text: whatever it accepts is a record the encoder
// can code, and coding it again decodes to the same record.

#include "fuzz_input.h"
#include "submission_code.h"
#include "testing/fakes.h"

using namespace tro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::string code = in.rest();
    const SubmissionDecode decoded = Raskodirovka(code);
    const auto* record = std::get_if<SubmissionRecord>(&decoded);
    if (record == nullptr) {
        return 0;
    }
    fuzz::check(canCode(*record));
    testing::ScriptedRandom random({0.3, 0.8, 0.1});
    const auto again = Kodirovka(*record, random);
    fuzz::check(again.has_value());
    const SubmissionDecode back = Raskodirovka(*again);
    const auto* same = std::get_if<SubmissionRecord>(&back);
    fuzz::check(same != nullptr && *same == *record);
    return 0;
}
