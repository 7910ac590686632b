// The submission code: made once per stored result on the player's side, and decoded by the
// keeper's tool, possibly for a whole mailbox of codes.

#include <benchmark/benchmark.h>

#include <string>
#include <variant>

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
    for (auto _ : state) {
        auto code = tro::Kodirovka(record, random);
        benchmark::DoNotOptimize(code);
    }
}
BENCHMARK(SubmissionCodeMaking);

void SubmissionCodeDecoding(benchmark::State& state) {
    tro::SystemRandom random(3);
    const tro::SubmissionRecord record = longestRecord();
    const std::string code = tro::Kodirovka(record, random).value_or("");
    const auto decoded = tro::Raskodirovka(code);
    if (!std::holds_alternative<tro::SubmissionRecord>(decoded) ||
        !(std::get<tro::SubmissionRecord>(decoded) == record)) {
        state.SkipWithError("the submission code does not decode to its record");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(tro::Raskodirovka(code));
    }
}
BENCHMARK(SubmissionCodeDecoding);

}  // namespace
