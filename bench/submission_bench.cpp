// The submission code: made once per stored result on the player's side, and decoded by the
// keeper's tool, possibly for a whole mailbox of codes.

#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "checked.h"
#include "submission_code.h"

namespace {

// The longest name the code takes, in Cyrillic, with the largest numbers that fit beside it.
tro::SubmissionRecord longestRecord() {
    std::string name;
    for (int i = 0; i < tro::kMaxSubmissionNameLength; ++i) {
        name += "Ж";
    }
    return {name, "klavon", 9, 32767, {2026, 12, 31}, {23, 59, 59}};
}

void SubmissionCodeMaking(benchmark::State& state) {
    tro::SystemRandom random(3);
    const tro::SubmissionRecord record = longestRecord();
    timeEach(state, [&] { return tro::Kodirovka(record, random); });
}
BENCHMARK(SubmissionCodeMaking);

void SubmissionCodeDecoding(benchmark::State& state) {
    tro::SystemRandom random(3);
    const tro::SubmissionRecord record = longestRecord();
    const std::string code = tro::Kodirovka(record, random).value_or("");
    const auto decoded = tro::Raskodirovka(code);
    const auto* read = std::get_if<tro::SubmissionRecord>(&decoded);
    timeIfRight(state, read != nullptr && *read == record,
                "the submission code does not decode to its record",
                [&] { return tro::Raskodirovka(code); });
}
BENCHMARK(SubmissionCodeDecoding);

}  // namespace
