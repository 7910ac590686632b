// The result table on a full table: finding the place of a new result and storing it, which
// writes the whole table back to its file.

#include <benchmark/benchmark.h>

#include <string>

#include "result_table.h"
#include "testing/temp_dir.h"

namespace {

// Twenty players, results 2000 down to 100 in a higher-is-better table.
void fill(tro::ResultTable& table) {
    for (int row = 0; row < tro::kTableRows; ++row) {
        table.store(row + 1, "Игрок " + std::to_string(row + 1), "06.12.2026",
                    std::to_string(2000 - 100 * row));
    }
}

void FindPlaceOnAFullTable(benchmark::State& state) {
    tro::testing::TempDir dir;
    tro::ResultTable table;
    table.load(dir.path(), "lines", 0);
    fill(table);
    // Worse than every row: all twenty cells are read before the answer "no place".
    if (table.findPlace(50, 1).has_value() || table.findPlace(2000, 1) != 1) {
        state.SkipWithError("the full table does not rank as filled");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.findPlace(50, 1));
        benchmark::DoNotOptimize(table.findPlace(1050, 1));
    }
}
BENCHMARK(FindPlaceOnAFullTable);

// A new player takes place 1: every row moves down, the last drops out, and the file is
// rewritten.
void StoreResultOnAFullTable(benchmark::State& state) {
    tro::testing::TempDir dir;
    tro::ResultTable table;
    table.load(dir.path(), "lines", 0);
    fill(table);
    int n = 0;
    for (auto _ : state) {
        const auto outcome =
            table.store(1, "Новичок " + std::to_string(++n % 1000), "06.12.2026", "3000");
        if (outcome != tro::StoreOutcome::Stored) {
            state.SkipWithError("the result was not stored");
            break;
        }
    }
}
BENCHMARK(StoreResultOnAFullTable)->Unit(benchmark::kMicrosecond);

}  // namespace
