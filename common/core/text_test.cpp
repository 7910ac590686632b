#include "text.h"

#include "numbers.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

TEST(Text, ParsesWholeSixteenBitNumbersOnly) {
    struct Case {
        const char* text;
        std::optional<std::int16_t> value;
    };
    for (const Case& c :
         {Case{"2", 2}, Case{" 3 ", 3}, Case{"+7", 7}, Case{"-1", -1}, Case{"32767", 32767},
          Case{"-32768", -32768}, Case{"32768", {}}, Case{"99999999999", {}}, Case{"", {}},
          Case{" ", {}}, Case{"2a", {}}, Case{"a2", {}}, Case{"1.5", {}}, Case{"0x10", {}},
          Case{"-", {}}, Case{"1 2", {}}, Case{"０", {}}}) {
        EXPECT_EQ(parseInt16(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(Text, LeadingValueReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        long long value;
    };
    for (const Case& c : {Case{" 12abc", 12}, Case{"-5", -5}, Case{"abc", 0}, Case{"", 0},
                          Case{"99999999999999999999", 2147483647}, Case{" 0010", 10}}) {
        EXPECT_EQ(leadingValue(c.text), c.value) << c.text;
    }
}

TEST(Text, LeadingNumberReadsADecimalAtTheStart) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c :
         {Case{" 12.5abc", 12.5}, Case{"\t-3.25", -3.25}, Case{"+.5", 0.5}, Case{"7.", 7},
          Case{"x1", 0}, Case{"", 0}, Case{"-", 0}, Case{"99999999999999999999", 1e15}}) {
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
    }
}

TEST(Numbers, RoundHalfEvenTakesTheEvenNeighbourOfAHalf) {
    for (const auto& [value, rounded] : {std::pair{2.5, 2.0},
                                         {3.5, 4.0},
                                         {-0.5, 0.0},
                                         {-1.5, -2.0},
                                         {2.4999, 2.0},
                                         {2.5001, 3.0},
                                         {7.0, 7.0}}) {
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    }
}

TEST(Text, CountsAndCutsByCharactersNotBytes) {
    EXPECT_EQ(utf8Length("Ёжик"), 4u);
    EXPECT_EQ(utf8Prefix("Ёжик", 2), "Ёж");
    EXPECT_EQ(utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(trimBlanks("  a b\t "), "a b");
}

}  // namespace
}  // namespace tro
