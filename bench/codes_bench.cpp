// The codes that every hand-over makes and checks: the result code (made by the game,
// checked by the manager) and the time code of the hand-off file.

#include <benchmark/benchmark.h>

#include <string>

#include "checked.h"
#include "result_code.h"
#include "time_code.h"

namespace {

const tro::Date kDay{2026, 12, 6};

// The longest game id and the largest result: the most symbols to fill and check.
void ResultCodeMaking(benchmark::State& state) {
    tro::SystemRandom random(11);
    const int largest = tro::maxEncodableResult("tsifran", 3, kDay);
    timeEach(state, [&] { return tro::Codirovka("tsifran", 3, largest, kDay, random); });
}
BENCHMARK(ResultCodeMaking);

void ResultCodeChecking(benchmark::State& state) {
    tro::SystemRandom random(11);
    const int largest = tro::maxEncodableResult("tsifran", 3, kDay);
    const std::string code = tro::Codirovka("tsifran", 3, largest, kDay, random).value_or("");
    timeIfRight(state, tro::Rascodirovka("tsifran", 3, code, kDay) == largest,
                "the code does not decode to its result",
                [&] { return tro::Rascodirovka("tsifran", 3, code, kDay); });
}
BENCHMARK(ResultCodeChecking);

// A code of another day: the manager rejects it after the whole check.
void ResultCodeRejecting(benchmark::State& state) {
    tro::SystemRandom random(11);
    const std::string code = tro::Codirovka("tsifran", 3, 1234, kDay, random).value_or("");
    const tro::Date nextDay{2026, 12, 7};
    timeEach(state, [&] { return tro::Rascodirovka("tsifran", 3, code, nextDay); });
}
BENCHMARK(ResultCodeRejecting);

void TimeCodeMaking(benchmark::State& state) {
    tro::SystemRandom random(5);
    const tro::TimeOfDay time{23, 59, 58};
    timeEach(state, [&] { return tro::KodTime(time, random); });
}
BENCHMARK(TimeCodeMaking);

void TimeCodeReading(benchmark::State& state) {
    tro::SystemRandom random(5);
    const tro::TimeOfDay time{23, 59, 58};
    const std::string code = tro::KodTime(time, random);
    timeIfRight(state, tro::RasKodTime(code).time == time, "the time code does not read back",
                [&] { return tro::RasKodTime(code); });
}
BENCHMARK(TimeCodeReading);

}  // namespace
