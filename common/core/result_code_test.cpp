#include "result_code.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "code_tables.h"
#include "testing/fakes.h"

namespace tro {
namespace {

using testing::ScriptedRandom;

std::string encode(std::string_view id, int variant, int res, const Date& day) {
    SystemRandom random(static_cast<std::uint64_t>(day.day * 31 + variant));
    return Codirovka(id, variant, res, day, random).value_or("");
}

// Every day of a leap and a common year with every variant (other game ids: the known answers).
TEST(ResultCode, RoundTripsOnEveryDayVariantAndGame) {
    for (const int year : {2023, 2024}) {
        for (int month = 1; month <= 12; ++month) {
            for (int d = 1; d <= daysInMonth(year, month); ++d) {
                const Date day{year, month, d};
                for (int variant = 0; variant <= kMaxCodeVariant; ++variant) {
                    // The largest value is exact: it encodes and decodes, one more is refused.
                    const int largest = maxEncodableResult("lines", variant, day);
                    ASSERT_GE(largest, 9999);
                    ASSERT_EQ(encode("lines", variant, largest + 1, day), "") << largest;
                    for (const int res : {-1, 0, 1, 2345, 9999, largest}) {
                        const std::string code = encode("lines", variant, res, day);
                        ASSERT_EQ(code.size(), 19u);
                        ASSERT_EQ(Rascodirovka("lines", variant, code, day), res)
                            << code << " " << year << "-" << month << "-" << d << " v" << variant;
                    }
                }
            }
        }
    }
}

// Codes made once and frozen, with fixed fill digits: a change that alters encoder and
// decoder alike still breaks these, as it breaks every code a game has already handed off.
TEST(ResultCode, KnownAnswers) {
    const std::tuple<const char*, int, int, Date, std::vector<double>, const char*> cases[] = {
        {"lines", 1, 1234, {2026, 12, 6}, {0.1, 0.6, 0.35, 0.9, 0.75}, "yw11bgeM252CLibjJoh"},
        {"bomvik", 0, -1, {2024, 2, 29}, {0.0}, "IoD1EhYEUPaHZiBBJQ6"},
        {"tsifran", 9, 14629, {2026, 12, 31}, {0.99}, "zwx0pfmU3tBCxj7NNpl"},
        {"abcdefghijklmnopqrstuvwxyz", 30, 0, {2025, 1, 10}, {0.3, 0.7}, "JwD1dgYEUtEHYi77J8j"},
        {"klavon", 23, 321, {2026, 2, 28}, {0.6, 0.2, 0.8}, "eo11XeQc2dEDZj7rNHj"},
        {"okulen", 5, 32767, {2026, 1, 1}, {0.7, 0.1}, "iSx12fjG3HZBvjJNNJ9"},
    };
    for (const auto& [id, variant, res, day, fill, code] : cases) {
        ScriptedRandom random(fill);
        EXPECT_EQ(Codirovka(id, variant, res, day, random), code) << id;
        EXPECT_EQ(Rascodirovka(id, variant, code, day), res) << code;
    }
}

// Day 31 with variant 9 has the largest factor; variants 1 and 2 are capped by the 16-bit
// range the decoded value is kept in.
TEST(ResultCode, RefusesWhatItCannotEncode) {
    EXPECT_EQ(maxEncodableResult("lines", 1, {2026, 1, 1}), kMaxCodeResult);
    const int tight = maxEncodableResult("lines", 9, {2026, 12, 31});
    EXPECT_TRUE(tight > 14000 && tight < 15000) << tight;
    const Date day{2026, 5, 5};
    const std::tuple<const char*, int, int> refused[] = {
        {"lines", 1, -2}, {"lines", 1, 40000}, {"lines", 31, 5},
        {"lines", -1, 5}, {"", 1, 5},          {"abcdefghijklmnopqrstuvwxyz1", 1, 5}};
    for (const auto& [id, variant, res] : refused) {
        EXPECT_EQ(encode(id, variant, res, day), "") << id << variant << res;
    }
    EXPECT_EQ(maxEncodableResult("lines", 31, day), -2);
}

// A code does not decode on another day, for another game or variant, nor when malformed.
TEST(ResultCode, IsBoundToTheDayTheGameAndTheVariant) {
    const Date day{2026, 12, 31};
    const std::string code = encode("lines", 2, 456, day);
    ASSERT_EQ(Rascodirovka("lines", 2, code, day), 456);
    const std::tuple<const char*, int, Date> others[] = {
        {"lines", 2, {2027, 1, 1}},  {"lines", 2, {2026, 12, 30}},
        {"lines", 2, {2027, 1, 31}}, {"bomvik", 2, day},
        {"lines", 1, day},           {"lines", 12, day}};
    for (const auto& [id, variant, other] : others) {
        EXPECT_EQ(Rascodirovka(id, variant, code, other), -1) << id << variant << other.day;
    }
    for (const std::string& bad :
         {code.substr(0, 18), code + "A", std::string(), code.substr(0, 5) + "*" + code.substr(6),
          code.substr(0, 5) + "-" + code.substr(6), code.substr(0, 5) + " " + code.substr(6),
          code.substr(0, 18) + "\xD0", std::string(19, 'A'), std::string("-1")}) {
        EXPECT_EQ(Rascodirovka("lines", 2, bad, day), -1) << ::testing::PrintToString(bad);
    }
}

// The fill digits are exactly the digits that differ between a code made with all-zero and
// one made with all-one fill; changing them goes unnoticed, changing any other digit
// (checksum, value or marker) is detected.
TEST(ResultCode, OnlyTheTwentyTwoFillDigitsMayChangeUnnoticed) {
    const Date day{2026, 2, 28};
    const auto digit = [](const std::string& code, int bit) {
        return (codes::kAlphabetIndex[static_cast<unsigned char>(code[bit / 6])] >> (bit % 6)) & 1;
    };
    for (const int variant : {1, 7, 23}) {
        ScriptedRandom zeros({0.0});
        ScriptedRandom ones({0.99});
        const std::string a = *Codirovka("klavon", variant, 321, day, zeros);
        const std::string b = *Codirovka("klavon", variant, 321, day, ones);
        int fill = 0;
        for (int bit = 0; bit < 114; ++bit) {
            std::string flipped = a;
            const int index = codes::kAlphabetIndex[static_cast<unsigned char>(a[bit / 6])];
            flipped[bit / 6] = codes::kAlphabet[static_cast<std::size_t>(index ^ (1 << (bit % 6)))];
            const bool isFill = digit(a, bit) != digit(b, bit);
            fill += isFill ? 1 : 0;
            EXPECT_EQ(Rascodirovka("klavon", variant, flipped, day), isFill ? 321 : -1)
                << "digit " << bit;
        }
        EXPECT_EQ(fill, 22);
    }
}

}  // namespace
}  // namespace tro
