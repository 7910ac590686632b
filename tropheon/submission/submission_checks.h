#pragma once
// The checks the submission window makes before it codes a result, with the messages it shows.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tro {

struct SubmissionProblem {
    std::string title;
    std::string text;
    friend bool operator==(const SubmissionProblem&, const SubmissionProblem&) = default;
};

// The month names as the date lists show them (genitive) and as the messages use them
// (prepositional), January first.
inline constexpr std::array<std::string_view, 12> kMonthsGenitive = {
    "января", "февраля", "марта",    "апреля",  "мая",    "июня",
    "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
inline constexpr std::array<std::string_view, 12> kMonthsPrepositional = {
    "январе", "феврале", "марте",    "апреле",  "мае",    "июне",
    "июле",   "августе", "сентябре", "октябре", "ноябре", "декабре"};

inline constexpr int kFirstSubmissionYear = 2005;

// A day picked from the lists (day 1..31, month 1..12) that does not exist.
[[nodiscard]] std::optional<SubmissionProblem> checkSubmissionDate(int day, int month, int year);

// A name (UTF-8, as typed) the code cannot carry.
[[nodiscard]] std::optional<SubmissionProblem> checkSubmissionName(std::string_view name);

// The name as it is coded: without leading and trailing blanks.
[[nodiscard]] std::string submissionName(std::string_view typed);

}  // namespace tro
