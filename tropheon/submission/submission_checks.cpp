#include "submission_checks.h"

#include "clock.h"
#include "cp1251.h"
#include "text.h"

namespace tro {
namespace {

constexpr std::string_view kDateTitle = "Ошибка даты";
constexpr std::string_view kForbidden = "<>@$#&~";

}  // namespace

std::optional<SubmissionProblem> checkSubmissionDate(int day, int month, int year) {
    if (day > 29 && month == 2) {
        return SubmissionProblem{std::string(kDateTitle), "В феврале не может быть более 29 дней"};
    }
    if (day == 31 && (month == 4 || month == 6 || month == 9 || month == 11)) {
        return SubmissionProblem{
            std::string(kDateTitle),
            "В " + std::string(kMonthsPrepositional[static_cast<std::size_t>(month - 1)]) +
                " 30 дней!"};
    }
    if (day == 29 && month == 2 && !isLeapYear(year)) {
        return SubmissionProblem{std::string(kDateTitle),
                                 "В феврале " + std::to_string(year) + " года только 28 дней"};
    }
    return std::nullopt;
}

std::string submissionName(std::string_view typed) {
    return std::string(trimBlanks(typed));
}

std::optional<SubmissionProblem> checkSubmissionName(std::string_view name) {
    if (trimBlanks(name).empty()) {
        return SubmissionProblem{"", "Необходимо ввести имя"};
    }
    // A character without a Windows-1251 form is as unknown to the code as a control one.
    const auto bytes = toCp1251(name);
    if (!bytes) {
        return SubmissionProblem{"", "Имя содержит неизвестные символы"};
    }
    for (const char c : *bytes) {
        if (kForbidden.find(c) != std::string_view::npos) {
            return SubmissionProblem{"", "Имя не должно содержать символов <>@$#&~"};
        }
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127) {
            return SubmissionProblem{"", "Имя содержит неизвестные символы"};
        }
    }
    return std::nullopt;
}

}  // namespace tro
