#include "progress.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "clock.h"
#include "result_table.h"
#include "slot_file.h"
#include "text.h"

namespace tro {
namespace {

namespace fs = std::filesystem;

bool better(int a, int b, int direction) {
    return direction < 0 ? a < b : a > b;
}

double medianOf(const std::vector<int>& results, std::size_t from, std::size_t to) {
    return median(std::vector<int>(results.begin() + static_cast<std::ptrdiff_t>(from),
                                   results.begin() + static_cast<std::ptrdiff_t>(to)));
}

// "dd.mm.yyyy" as "yyyy-mm-dd"; empty for anything else.
std::string tableDateAsIso(const std::string& date) {
    int day = 0, month = 0, year = 0;
    char tail = 0;
    if (date.size() != 10 ||
        std::sscanf(date.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &tail) != 3 || month < 1 ||
        month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return {};
    }
    return isoDate(Date{year, month, day});
}

}  // namespace

double median(std::vector<int> values) {
    if (values.empty()) {
        return 0;
    }
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

ProgressSeries progressSeries(const std::vector<Round>& rounds, int direction) {
    ProgressSeries series;
    for (const Round& round : rounds) {
        series.results.push_back(round.result);
        const std::size_t n = series.results.size();
        series.bestSoFar.push_back(n == 1 ||
                                           better(round.result, series.bestSoFar.back(), direction)
                                       ? round.result
                                       : series.bestSoFar.back());
        series.recentMedian.push_back(
            medianOf(series.results, n > kMedianRounds ? n - kMedianRounds : 0, n));
    }
    return series;
}

ProgressSummary progressSummary(const std::vector<Round>& rounds, int direction,
                                const std::string& today) {
    return progressSummary(progressSeries(rounds, direction), rounds, direction, today);
}

ProgressSummary progressSummary(const ProgressSeries& series, const std::vector<Round>& rounds,
                                int direction, const std::string& today) {
    ProgressSummary summary;
    const std::size_t n = series.results.size();
    summary.rounds = static_cast<int>(n);
    summary.today =
        static_cast<int>(std::count_if(rounds.begin(), rounds.end(), [&](const Round& r) {
            return r.when.compare(0, 10, today) == 0;
        }));
    if (n == 0) {
        return summary;
    }
    summary.best = series.bestSoFar.back();
    summary.last = series.results.back();
    summary.recentMedian = series.recentMedian.back();
    summary.firstMedian = medianOf(series.results, 0, std::min(n, kMedianRounds));
    if (*summary.firstMedian != 0) {
        const double change =
            (*summary.recentMedian - *summary.firstMedian) / std::abs(*summary.firstMedian) * 100;
        summary.improvement = direction < 0 ? -change : change;
    }
    // A trend needs more rounds than one median takes; a change within 1 % is none.
    if (n > kMedianRounds && summary.improvement) {
        summary.trend = *summary.improvement > 1    ? Trend::Better
                        : *summary.improvement < -1 ? Trend::Worse
                                                    : Trend::Same;
    }
    return summary;
}

std::string resultOwner(bool placed, const std::string& chosen, const std::string& current) {
    return placed && !chosen.empty() ? chosen : current;
}

std::vector<Round> tableRounds(const fs::path& playDir) {
    std::vector<Round> rounds;
    std::error_code ec;
    for (fs::directory_iterator game(playDir / kDataFolder, ec), end; !ec && game != end;
         game.increment(ec)) {
        for (fs::directory_iterator table(game->path(), ec), last; !ec && table != last;
             table.increment(ec)) {
            // "res<k>.dat" holds variant k + 1.
            const std::string name = table->path().filename().string();
            int index = -1;
            if (name.size() < 8 || name.rfind("res", 0) != 0 ||
                name.compare(name.size() - 4, 4, ".dat") != 0 ||
                std::from_chars(name.data() + 3, name.data() + name.size() - 4, index).ptr !=
                    name.data() + name.size() - 4 ||
                index < 0 || index >= 1000) {
                continue;
            }
            SlotFile file(table->path(), kResultTableSlotLength);
            if (file.openExisting() != SlotStatus::Ok) {
                continue;
            }
            for (int r = 0; r < kTableRows; ++r) {
                const std::string player = file.text(3 * r + 1);
                const std::string when = tableDateAsIso(file.text(3 * r + 2));
                const std::string text = file.text(3 * r + 3);
                const auto result = parseInt16(text);
                if (!player.empty() && !when.empty() && result && !isEmptyMark(text)) {
                    rounds.push_back(
                        {when, player, game->path().filename().string(), index + 1, *result, true});
                }
            }
        }
        ec.clear();
    }
    std::stable_sort(rounds.begin(), rounds.end(),
                     [](const Round& a, const Round& b) { return a.when < b.when; });
    return rounds;
}

}  // namespace tro
