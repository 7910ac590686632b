// The history at its size limits: a database of 100 000 rounds, 10 000 of them one player's
// in one variant. How long the progress window takes from its making to its first full
// drawing, how long the whole history takes to become CSV, and what recording one more result
// costs the hand-over (opening the history and one transaction).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <ostream>
#include <streambuf>

#include "history.h"
#include "history_csv.h"
#include "platform_services.h"
#include "progress_window.h"
#include "testing/fakes.h"
#include "testing/temp_dir.h"

namespace {

constexpr int kRounds = 100'000;
constexpr int kPlayersRounds = 10'000;

// A play directory whose history holds the rounds, made once for all benchmarks.
struct BigHistory {
    tro::testing::TempDir dir;
    tro::testing::FixedClock clock{{2026, 12, 7}, {12, 0, 0}};
    BigHistory() {
        tro::HistoryStore store(dir / "DATA" / "history.db");
        (void)store.open("2026-12-07");
        std::vector<tro::Round> rounds;
        for (int i = 0; i < kRounds; ++i) {
            const bool mine = i % (kRounds / kPlayersRounds) == 0;
            rounds.push_back(
                {"2026-11-01T10:00:00", mine ? "Аня" : "Игрок " + std::to_string(i % 37),
                 mine ? "lines" : "klavon", mine ? 1 : 1 + i % 9, 100 + i % 900, false});
        }
        (void)store.add(rounds);
    }
};

BigHistory& big() {
    static BigHistory history;
    return history;
}

void ProgressWindowFirstDrawing(benchmark::State& state) {
    tro::PlatformServices platform;
    const tro::ProgressGame game{"lines", "ЛАЙНС", 1, {"на очки", "на время"}};
    for (auto _ : state) {
        tro::History history(big().dir.path(), big().clock);
        tro::ProgressWindow window(platform.services(), history, {"Аня", game, 1, {game}});
        window.show();
        QPixmap drawn = window.grab();
        benchmark::DoNotOptimize(drawn);
    }
}
BENCHMARK(ProgressWindowFirstDrawing)->Unit(benchmark::kMillisecond)->MinTime(2.0);

class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void WholeHistoryAsCsv(benchmark::State& state) {
    NullBuffer nothing;
    std::ostream out(&nothing);
    for (auto _ : state) {
        tro::History history(big().dir.path(), big().clock);
        const auto rounds = history.rounds({});
        if (rounds.size() != kRounds) {
            state.SkipWithError("the history is not whole");
        }
        tro::writeHistoryCsv(out, rounds, big().dir.path());
    }
}
BENCHMARK(WholeHistoryAsCsv)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What the hand-over of a result adds: the history opened as the manager opens it, and the
// result recorded in a transaction of its own.
void RecordingAResult(benchmark::State& state) {
    for (auto _ : state) {
        tro::History history(big().dir.path(), big().clock);
        benchmark::DoNotOptimize(history.record("Аня", "lines", 1, 321));
    }
}
BENCHMARK(RecordingAResult)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
