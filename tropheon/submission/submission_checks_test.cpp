#include "submission_checks.h"

#include <gtest/gtest.h>

#include <vector>

namespace tro {
namespace {

TEST(SubmissionDate, ImpossibleDaysAreRefusedWithTheirMessage) {
    struct Case {
        int day, month, year;
        const char* message;  // nullptr: accepted
    };
    const std::vector<Case> cases = {
        {30, 2, 2008, "В феврале не может быть более 29 дней"},
        {31, 2, 2006, "В феврале не может быть более 29 дней"},
        {31, 4, 2020, "В апреле 30 дней!"},
        {31, 6, 2020, "В июне 30 дней!"},
        {31, 9, 2020, "В сентябре 30 дней!"},
        {31, 11, 2020, "В ноябре 30 дней!"},
        {29, 2, 2006, "В феврале 2006 года только 28 дней"},
        {29, 2, 2026, "В феврале 2026 года только 28 дней"},
        {29, 2, 2008, nullptr},
        {29, 2, 2024, nullptr},
        {28, 2, 2006, nullptr},
        {31, 1, 2006, nullptr},
        {31, 12, 2026, nullptr},
        {30, 4, 2006, nullptr},
    };
    for (const Case& c : cases) {
        const auto problem = checkSubmissionDate(c.day, c.month, c.year);
        if (c.message == nullptr) {
            EXPECT_FALSE(problem.has_value()) << c.day << "." << c.month << "." << c.year;
        } else {
            ASSERT_TRUE(problem.has_value()) << c.day << "." << c.month << "." << c.year;
            EXPECT_EQ(problem->text, c.message);
            EXPECT_EQ(problem->title, "Ошибка даты");
        }
    }
}

TEST(SubmissionName, NamesTheCodeCannotCarryAreRefused) {
    struct Case {
        const char* name;
        const char* message;  // nullptr: accepted
    };
    const std::vector<Case> cases = {
        {"", "Необходимо ввести имя"},
        {"   ", "Необходимо ввести имя"},
        {"#", "Имя не должно содержать символов <>@$#&~"},
        {"Ivan<3", "Имя не должно содержать символов <>@$#&~"},
        {"me@home", "Имя не должно содержать символов <>@$#&~"},
        {"~Ёж~", "Имя не должно содержать символов <>@$#&~"},
        {"Ив\tан", "Имя содержит неизвестные символы"},
        {"a\x1f", "Имя содержит неизвестные символы"},
        {"a\x7f", "Имя содержит неизвестные символы"},
        {"Snow☃man", "Имя содержит неизвестные символы"},
        {"Пётр Первый", nullptr},
        {"Anna-Maria O'Neil (2)", nullptr},
        {" Ann ", nullptr},
    };
    for (const Case& c : cases) {
        const auto problem = checkSubmissionName(c.name);
        if (c.message == nullptr) {
            EXPECT_FALSE(problem.has_value()) << c.name;
        } else {
            ASSERT_TRUE(problem.has_value()) << c.name;
            EXPECT_EQ(problem->text, c.message) << c.name;
            EXPECT_EQ(problem->title, "");
        }
    }
}

TEST(SubmissionName, IsCodedWithoutSurroundingBlanks) {
    EXPECT_EQ(submissionName("  Пётр Первый \t"), "Пётр Первый");
}

}  // namespace
}  // namespace tro
