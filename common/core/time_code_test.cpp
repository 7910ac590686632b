#include "time_code.h"

#include <gtest/gtest.h>

#include <vector>

#include "code_tables.h"
#include "testing/fakes.h"

namespace tro {
namespace {

using testing::ScriptedRandom;
namespace detail = timecode_detail;

constexpr std::string_view kNoFill = "000000000000";

TEST(TimeCode, EveryTimeOfTheDayRoundTrips) {
    SystemRandom random(7);
    for (int h = 0; h < 24; ++h) {
        for (int m = 0; m < 60; ++m) {
            for (int s = 0; s < 60; ++s) {
                const std::string kod = KodTime({h, m, s}, random);
                ASSERT_EQ(kod.size(), 10u);
                const DecodedTime back = RasKodTime(kod);
                ASSERT_TRUE(back.ok()) << kod << " error " << back.error;
                ASSERT_EQ(back.time, (TimeOfDay{h, m, s})) << kod;
            }
        }
    }
}

// Codes made once and frozen, with fixed fill digits: a change that alters both directions
// alike still breaks these.
TEST(TimeCode, KnownAnswers) {
    struct Case {
        TimeOfDay time;
        std::vector<double> fill;
        const char* kod;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0.0}, "AiBOB9IATG"},
        {{23, 59, 59}, {0.99}, "LyEZrs1)Ky"},
        {{12, 34, 56}, {0.1, 0.6, 0.35, 0.9, 0.75}, "HjxO8nuYw2"},
        {{7, 5, 30}, {0.3, 0.7}, "5BeQnCuC(2"},
        {{18, 0, 9}, {0.6, 0.2, 0.8}, "XuACysv0L("},
    };
    for (const Case& c : cases) {
        ScriptedRandom fill(c.fill);
        EXPECT_EQ(KodTime(c.time, fill), c.kod);
        EXPECT_EQ(fill.reseeds, 1);
        EXPECT_EQ(RasKodTime(c.kod).time, c.time) << c.kod;
    }
}

// Nine decimal digits D = B, A, C for a time of day.
std::string digitsFor(int a, int b, int c) {
    char buf[10];
    std::snprintf(buf, sizeof buf, "%03d%03d%03d", b, a, c);
    return buf;
}

TEST(TimeCode, EachFaultHasItsErrorNumber) {
    const std::string good = detail::bitsFromDigits(digitsFor(101, 123, 219), kNoFill);
    ASSERT_TRUE(RasKodTime(detail::codeFromBits(good)).ok());

    std::string badMarker = good;
    badMarker[44] = badMarker[44] == '1' ? '0' : '1';
    std::string badDigit = good;
    badDigit.replace(3, 4, "1111");  // a group of value 15

    struct Case {
        const char* what;
        std::string kod;
        int error;
    };
    const Case cases[] = {
        {"symbol outside the alphabet", "AAAA*AAAAA", kTimeCodeBadSymbol},
        {"blanks of a missing file", "          ", kTimeCodeBadSymbol},
        {"too short", "AAAA", kTimeCodeBadSymbol},
        {"marker", detail::codeFromBits(badMarker), kTimeCodeBadMarker},
        {"digit above 9", detail::codeFromBits(badDigit), kTimeCodeBadDigit},
        {"second not whole",
         detail::codeFromBits(detail::bitsFromDigits(digitsFor(101, 123, 220), kNoFill)),
         kTimeCodeBadSecond},
        {"second 60",
         detail::codeFromBits(detail::bitsFromDigits(digitsFor(221, 123, 999), kNoFill)),
         kTimeCodeBadSecond},
        {"minute not whole",
         detail::codeFromBits(detail::bitsFromDigits(digitsFor(101, 124, 219), kNoFill)),
         kTimeCodeBadMinute},
        {"hour not whole",
         detail::codeFromBits(detail::bitsFromDigits(digitsFor(102, 123, 219), kNoFill)),
         kTimeCodeBadHour},
        {"hour 24",
         detail::codeFromBits(detail::bitsFromDigits(digitsFor(101 + 11 * 24, 123, 219), kNoFill)),
         kTimeCodeBadHour},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RasKodTime(c.kod).error, c.error) << c.what;
    }
}

}  // namespace
}  // namespace tro
