#include "submission_checks.h"

#include <gtest/gtest.h>

#include <array>

namespace tro {
namespace {

TEST(SubmissionChecks, DatesThatDoNotExistAndNamesTheCodeCannotCarryAreNamed) {
    // The message ("": none), and the dates (day, month, year) or names that get it.
    const std::vector<std::pair<std::string, std::vector<std::array<int, 3>>>> dates = {
        {"", {{29, 2, 2024}, {29, 2, 2000}, {30, 4, 2006}, {31, 10, 2020}, {31, 12, 2026}}},
        {"В феврале не может быть более 29 дней", {{30, 2, 2008}, {31, 2, 2006}}},
        {"В апреле 30 дней!", {{31, 4, 2020}}},
        {"В июне 30 дней!", {{31, 6, 2020}}},
        {"В сентябре 30 дней!", {{31, 9, 2020}}},
        {"В ноябре 30 дней!", {{31, 11, 2020}}},
        {"В феврале 2100 года только 28 дней", {{29, 2, 2100}}}};
    for (const auto& [text, days] : dates) {
        for (const auto& [day, month, year] : days) {
            EXPECT_EQ(checkSubmissionDate(day, month, year).value_or(SubmissionProblem{}),
                      (SubmissionProblem{text.empty() ? "" : "Ошибка даты", text}))
                << day << "." << month << "." << year;
        }
    }
    const std::vector<std::pair<std::string, std::vector<std::string>>> names = {
        {"", {"Anna-Maria O'Neil (2)", "Пётр №1"}},
        {"Необходимо ввести имя", {"", "  "}},
        {"Имя не должно содержать символов <>@$#&~", {"#", "Ivan<3", "me@home", "~Ёж~"}},
        {"Имя содержит неизвестные символы", {"Ив\tан", "a\x1f", "a\x7f", "Snow☃"}}};
    for (const auto& [text, typed] : names) {
        for (const std::string& name : typed) {
            EXPECT_EQ(checkSubmissionName(name).value_or(SubmissionProblem{}),
                      (SubmissionProblem{"", text}))
                << name;
        }
    }
}

}  // namespace
}  // namespace tro
