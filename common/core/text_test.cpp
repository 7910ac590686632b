#include "text.h"

#include <gtest/gtest.h>

#include "numbers.h"

namespace tro {
namespace {

TEST(Text, ParsesWholeSixteenBitNumbersOnly) {
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"2", 2},      {" 3 ", 3}, {"+7", 7},   {"-1", -1}, {"32767", 32767},   {"-32768", -32768},
        {"32768", {}}, {"", {}},   {" ", {}},   {"2a", {}}, {"a2", {}},         {"1.5", {}},
        {"0x10", {}},  {"-", {}},  {"1 2", {}}, {"０", {}}, {"99999999999", {}}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parseInt16(text), value) << '"' << text << '"';
    }
}

// The number at the start of a text: a whole one (clamped to 32 bits), or a decimal one.
TEST(Text, LeadingValueAndLeadingNumberReadTheNumberAtTheStart) {
    const std::tuple<const char*, long long, double> cases[] = {
        {" 12.5abc", 12, 12.5}, {"\t-3.25", -3, -3.25},
        {"+.5", 0, 0.5},        {"7.", 7, 7},
        {"x1", 0, 0},           {"-", 0, 0},
        {" 0010", 10, 10},      {"99999999999999999999", 2147483647, 1e15}};
    for (const auto& [text, value, number] : cases) {
        EXPECT_EQ(leadingValue(text), value) << text;
        EXPECT_DOUBLE_EQ(leadingNumber(text), number) << text;
    }
}

TEST(Numbers, RoundHalfEvenTakesTheEvenNeighbourOfAHalf) {
    const std::pair<double, double> cases[] = {{2.5, 2.0},   {3.5, 4.0},    {-0.5, 0.0},
                                               {-1.5, -2.0}, {2.4999, 2.0}, {2.5001, 3.0}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    }
}

}  // namespace
}  // namespace tro
