#pragma once
// A player's progress in one game and variant, from the rounds of the history: the series the
// chart draws and the figures beside it. Also whose a result is, and the rounds the result
// tables already hold.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "history_store.h"

namespace tro {

// How many recent rounds the moving median takes, and how many first and last rounds the
// improvement compares.
inline constexpr std::size_t kMedianRounds = 10;

// `direction` as the game's catalogue entry gives it: below 0 a smaller result is better.
struct ProgressSeries {
    std::vector<int> results;          // one a round, in the order played
    std::vector<int> bestSoFar;        // the best result up to each round
    std::vector<double> recentMedian;  // the median of the last ten rounds up to each round
};
[[nodiscard]] ProgressSeries progressSeries(const std::vector<Round>& rounds, int direction);

enum class Trend { None, Better, Same, Worse };

struct ProgressSummary {
    int rounds = 0;
    std::optional<int> best;
    std::optional<int> last;
    std::optional<double> recentMedian;  // of the last ten rounds
    std::optional<double> firstMedian;   // of the first ten rounds
    // How much better the recent median is than the first one, in per cent of the first;
    // negative when worse. None without rounds or with a first median of 0.
    std::optional<double> improvement;
    int today = 0;  // rounds played on `today` ("YYYY-MM-DD")
    Trend trend = Trend::None;
};
[[nodiscard]] ProgressSummary progressSummary(const std::vector<Round>& rounds, int direction,
                                              const std::string& today);
// The same from the series of those rounds, when the chart has it already.
[[nodiscard]] ProgressSummary progressSummary(const ProgressSeries& series,
                                              const std::vector<Round>& rounds, int direction,
                                              const std::string& today);

// The median of some values; 0 for none.
[[nodiscard]] double median(std::vector<int> values);

// Whose an accepted result is: the name picked in the name dialog for a result that earned a
// place (`chosen`, "" when none was picked), else the current player ("" when there is none).
[[nodiscard]] std::string resultOwner(bool placed, const std::string& chosen,
                                      const std::string& current);

// The rows of every result table of the play directory as rounds of the day they name, in
// the order of their dates; rows without a name, a date or a number are left out. Reads only.
[[nodiscard]] std::vector<Round> tableRounds(const std::filesystem::path& playDir);

}  // namespace tro
