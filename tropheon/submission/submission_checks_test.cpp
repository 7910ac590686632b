#include "submission_checks.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

TEST(SubmissionChecks, ImpossibleDatesAreNamed) {
    // Day, month, year; the message ("": the date exists).
    const std::tuple<int, int, int, std::string> cases[] = {
        {30, 2, 2008, "В феврале не может быть более 29 дней"},
        {31, 2, 2006, "В феврале не может быть более 29 дней"},
        {31, 4, 2020, "В апреле 30 дней!"},
        {31, 6, 2020, "В июне 30 дней!"},
        {31, 9, 2020, "В сентябре 30 дней!"},
        {31, 11, 2020, "В ноябре 30 дней!"},
        {29, 2, 2006, "В феврале 2006 года только 28 дней"},
        {29, 2, 2100, "В феврале 2100 года только 28 дней"},
        {29, 2, 2024, ""},
        {29, 2, 2000, ""},
        {28, 2, 2006, ""},
        {30, 4, 2006, ""},
        {31, 10, 2020, ""},
        {31, 12, 2026, ""},
    };
    for (const auto& [day, month, year, text] : cases) {
        const auto problem = checkSubmissionDate(day, month, year);
        EXPECT_EQ(problem.value_or(SubmissionProblem{}),
                  (SubmissionProblem{text.empty() ? "" : "Ошибка даты", text}))
            << day << "." << month << "." << year;
    }
}

TEST(SubmissionChecks, NamesTheCodeCannotCarryAreNamed) {
    const std::string symbols = "Имя не должно содержать символов <>@$#&~";
    const std::string unknown = "Имя содержит неизвестные символы";
    const std::pair<std::string, std::string> cases[] = {
        {"  ", "Необходимо ввести имя"},
        {"#", symbols},
        {"Ivan<3", symbols},
        {"me@home", symbols},
        {"~Ёж~", symbols},
        {"Ив\tан", unknown},
        {"a\x1f", unknown},
        {"a\x7f", unknown},
        {"Snow☃", unknown},
        {"Anna-Maria O'Neil (2)", ""},
        {"Пётр Первый №1", ""},
    };
    for (const auto& [name, text] : cases) {
        EXPECT_EQ(checkSubmissionName(name).value_or(SubmissionProblem{}),
                  (SubmissionProblem{"", text}))
            << name;
    }
    EXPECT_EQ(submissionName("  Пётр Первый "), "Пётр Первый");
}

}  // namespace
}  // namespace tro
