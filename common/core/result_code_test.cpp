#include "result_code.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "clock.h"
#include "code_tables.h"
#include "testing/fakes.h"

namespace tro {
namespace {

using testing::ScriptedRandom;

std::vector<Date> daysOfYear(int year) {
    std::vector<Date> days;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= daysInMonth(year, m); ++d) {
            days.push_back({year, m, d});
        }
    }
    return days;
}

std::string encode(std::string_view id, int variant, int res, const Date& day,
                   std::uint64_t seed = 1) {
    SystemRandom random(seed);
    const auto code = Codirovka(id, variant, res, day, random);
    return code.value_or("");
}

// Flips one of the 114 binary digits a code carries.
std::string flipBit(const std::string& code, int bit) {
    std::string out = code;
    const auto pos = static_cast<std::size_t>(bit / 6);
    const int index = codes::kAlphabetIndex[static_cast<unsigned char>(code[pos])];
    out[pos] = codes::kAlphabet[static_cast<std::size_t>(index ^ (1 << (bit % 6)))];
    return out;
}

TEST(ResultCode, RoundTripsOnEveryDayOfALeapAndACommonYear) {
    for (const int year : {2023, 2024}) {
        for (const Date& day : daysOfYear(year)) {
            for (int variant = 0; variant <= kMaxCodeVariant; ++variant) {
                const int largest = maxEncodableResult("lines", variant, day);
                ASSERT_GE(largest, 9999);
                for (const int res : {-1, 0, 1, 2345, 9999, largest}) {
                    const std::string code = encode("lines", variant, res, day);
                    ASSERT_EQ(code.size(), 19u);
                    ASSERT_EQ(Rascodirovka("lines", variant, code, day), res)
                        << code << " " << day.year << "-" << day.month << "-" << day.day
                        << " variant " << variant;
                }
            }
        }
    }
}

// Codes made once and frozen, with fixed fill digits: a change that alters encoder and
// decoder alike still breaks these, as it breaks every code a game has already handed off.
TEST(ResultCode, KnownAnswers) {
    struct Case {
        const char* id;
        int variant, res;
        Date day;
        std::vector<double> fill;
        const char* code;
    };
    const Case cases[] = {
        {"lines", 1, 1234, {2026, 12, 6}, {0.1, 0.6, 0.35, 0.9, 0.75}, "yw11bgeM252CLibjJoh"},
        {"bomvik", 0, -1, {2024, 2, 29}, {0.0}, "IoD1EhYEUPaHZiBBJQ6"},
        {"tsifran", 9, 14629, {2026, 12, 31}, {0.99}, "zwx0pfmU3tBCxj7NNpl"},
        {"abcdefghijklmnopqrstuvwxyz", 30, 0, {2025, 1, 10}, {0.3, 0.7}, "JwD1dgYEUtEHYi77J8j"},
        {"klavon", 23, 321, {2026, 2, 28}, {0.6, 0.2, 0.8}, "eo11XeQc2dEDZj7rNHj"},
        {"okulen", 5, 32767, {2026, 1, 1}, {0.7, 0.1}, "iSx12fjG3HZBvjJNNJ9"},
    };
    for (const Case& c : cases) {
        ScriptedRandom fill(c.fill);
        EXPECT_EQ(Codirovka(c.id, c.variant, c.res, c.day, fill), c.code) << c.id;
        EXPECT_EQ(Rascodirovka(c.id, c.variant, c.code, c.day), c.res) << c.code;
    }
}

TEST(ResultCode, RoundTripsForEveryGameIdOfTheSuite) {
    const Date day{2026, 12, 6};
    for (const char* id : {"lines", "bomvik", "korvat", "okulen", "tsepko", "klavon", "vertun",
                           "bolmen", "tsifran", "rysko", "abcdefghijklmnopqrstuvwxyz", "x"}) {
        for (const int res : {0, 7, 999, 12345}) {
            EXPECT_EQ(Rascodirovka(id, 3, encode(id, 3, res, day), day), res) << id;
        }
    }
}

TEST(ResultCode, LimitsAtTheEdgesAreExactAndEveryProducedCodeDecodes) {
    struct Case {
        Date day;
        int variant;
    };
    // Day 31 with variant 9 has the largest factor; variants 1 and 2 are capped by the 16-bit
    // range the decoded value is kept in.
    for (const Case& c :
         {Case{{2026, 12, 31}, 9}, Case{{2026, 12, 31}, 29}, Case{{2026, 1, 1}, 1},
          Case{{2026, 1, 31}, 2}, Case{{2026, 7, 31}, 0}, Case{{2026, 12, 31}, 30}}) {
        const int largest = maxEncodableResult("tsifran", c.variant, c.day);
        ScriptedRandom random({0.3, 0.7});
        const auto top = Codirovka("tsifran", c.variant, largest, c.day, random);
        ASSERT_TRUE(top.has_value()) << largest;
        EXPECT_EQ(Rascodirovka("tsifran", c.variant, *top, c.day), largest);
        EXPECT_FALSE(Codirovka("tsifran", c.variant, largest + 1, c.day, random).has_value());
    }
    EXPECT_EQ(maxEncodableResult("lines", 1, {2026, 1, 1}), kMaxCodeResult);
    const int tight = maxEncodableResult("lines", 9, {2026, 12, 31});
    EXPECT_GT(tight, 14000);
    EXPECT_LT(tight, 15000);
}

TEST(ResultCode, RefusesWhatItCannotEncode) {
    const Date day{2026, 5, 5};
    ScriptedRandom random;
    EXPECT_FALSE(Codirovka("lines", 1, -2, day, random));
    EXPECT_FALSE(Codirovka("lines", 1, 40000, day, random));
    EXPECT_FALSE(Codirovka("lines", 31, 5, day, random));
    EXPECT_FALSE(Codirovka("lines", -1, 5, day, random));
    EXPECT_FALSE(Codirovka("", 1, 5, day, random));
    EXPECT_FALSE(Codirovka("abcdefghijklmnopqrstuvwxyz1", 1, 5, day, random));
    EXPECT_EQ(maxEncodableResult("lines", 31, day), -2);
}

TEST(ResultCode, IsBoundToTheDayTheGameAndTheVariant) {
    const Date day{2026, 12, 6};
    const std::string code = encode("lines", 2, 456, day);
    ASSERT_EQ(Rascodirovka("lines", 2, code, day), 456);
    struct Case {
        const char* what;
        const char* id;
        int variant;
        Date day;
    };
    for (const Case& c : {
             Case{"next day", "lines", 2, {2026, 12, 7}},
             Case{"previous day", "lines", 2, {2026, 12, 5}},
             Case{"same day next month", "lines", 2, {2027, 1, 6}},
             Case{"another game", "bomvik", 2, day},
             Case{"another variant", "lines", 1, day},
             Case{"variant 12", "lines", 12, day},
         }) {
        EXPECT_EQ(Rascodirovka(c.id, c.variant, code, c.day), -1) << c.what;
    }
    // Made at 23:59 on the last day of the year, read after midnight.
    const std::string late = encode("okulen", 5, 80, {2026, 12, 31});
    EXPECT_EQ(Rascodirovka("okulen", 5, late, {2026, 12, 31}), 80);
    EXPECT_EQ(Rascodirovka("okulen", 5, late, {2027, 1, 1}), -1);
}

TEST(ResultCode, RejectsMalformedCodesWithoutFurtherWork) {
    const Date day{2026, 12, 6};
    const std::string code = encode("lines", 1, 77, day);
    ASSERT_EQ(Rascodirovka("lines", 1, code, day), 77);
    for (const std::string& bad : {
             code.substr(0, 18),
             code + "A",
             std::string(),
             code.substr(0, 5) + "*" + code.substr(6),
             code.substr(0, 5) + "-" + code.substr(6),
             code.substr(0, 5) + " " + code.substr(6),
             code.substr(0, 18) + "\xD0",
             std::string("AAAAAAAAAAAAAAAAAAA"),
             std::string("-1"),
         }) {
        EXPECT_EQ(Rascodirovka("lines", 1, bad, day), -1) << bad;
    }
}

// The fill digits are exactly the digits that differ between a code made with all-zero and
// one made with all-one fill; changing them goes unnoticed, changing any other digit
// (checksum, value or marker) is detected.
TEST(ResultCode, OnlyTheTwentyTwoFillDigitsMayChangeUnnoticed) {
    const Date day{2026, 2, 28};
    for (const int variant : {1, 7, 23}) {
        ScriptedRandom zeros({0.0});
        ScriptedRandom ones({0.99});
        const std::string a = *Codirovka("klavon", variant, 321, day, zeros);
        const std::string b = *Codirovka("klavon", variant, 321, day, ones);
        std::set<int> fill;
        for (int bit = 0; bit < 114; ++bit) {
            if (flipBit(a, bit) == a) {
                continue;
            }
            const int ia = codes::kAlphabetIndex[static_cast<unsigned char>(a[bit / 6])];
            const int ib = codes::kAlphabetIndex[static_cast<unsigned char>(b[bit / 6])];
            if (((ia ^ ib) >> (bit % 6)) & 1) {
                fill.insert(bit);
            }
        }
        ASSERT_EQ(fill.size(), 22u);
        for (int bit = 0; bit < 114; ++bit) {
            const int decoded = Rascodirovka("klavon", variant, flipBit(a, bit), day);
            if (fill.count(bit) != 0) {
                EXPECT_EQ(decoded, 321) << "fill digit " << bit;
            } else {
                EXPECT_EQ(decoded, -1) << "digit " << bit << " changed unnoticed";
            }
        }
    }
}

}  // namespace
}  // namespace tro
