#include "time_code.h"

#include <gtest/gtest.h>

#include <vector>

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
                const DecodedTime back = RasKodTime(kod);
                ASSERT_EQ(back.error, 0) << kod;
                ASSERT_EQ(back.time, (TimeOfDay{h, m, s})) << kod;
            }
        }
    }
}

// Codes made once and frozen, with fixed fill digits: a change that alters both directions
// alike still breaks these.
TEST(TimeCode, KnownAnswers) {
    const std::tuple<TimeOfDay, std::vector<double>, const char*> cases[] = {
        {{0, 0, 0}, {0.0}, "AiBOB9IATG"},
        {{23, 59, 59}, {0.99}, "LyEZrs1)Ky"},
        {{12, 34, 56}, {0.1, 0.6, 0.35, 0.9, 0.75}, "HjxO8nuYw2"},
        {{7, 5, 30}, {0.3, 0.7}, "5BeQnCuC(2"},
        {{18, 0, 9}, {0.6, 0.2, 0.8}, "XuACysv0L("},
    };
    for (const auto& [time, digits, kod] : cases) {
        ScriptedRandom fill(digits);
        EXPECT_EQ(KodTime(time, fill), kod);
        EXPECT_EQ(fill.reseeds, 1);
        EXPECT_EQ(RasKodTime(kod).time, time) << kod;
    }
}

// Each fault has its error number. Codes no clock gives are built from the nine decimal
// digits the decoder reads: B, A, C, where A carries the hour, B the minute, C the second.
TEST(TimeCode, EachFaultHasItsErrorNumber) {
    const auto fromDigits = [](int a, int b, int c) {
        char digits[10];
        std::snprintf(digits, sizeof digits, "%03d%03d%03d", b, a, c);
        return detail::bitsFromDigits(digits, kNoFill);
    };
    const std::string good = fromDigits(101, 123, 219);
    ASSERT_TRUE(RasKodTime(detail::codeFromBits(good)).ok());
    std::string badMarker = good;
    badMarker[44] = badMarker[44] == '1' ? '0' : '1';
    std::string badDigit = good;
    badDigit.replace(3, 4, "1111");  // a group of value 15
    const std::pair<std::string, int> cases[] = {
        {"AAAA*AAAAA", kTimeCodeBadSymbol},
        {"          ", kTimeCodeBadSymbol},  // the blanks of a missing file
        {"AAAA", kTimeCodeBadSymbol},
        {detail::codeFromBits(badMarker), kTimeCodeBadMarker},
        {detail::codeFromBits(badDigit), kTimeCodeBadDigit},
        {detail::codeFromBits(fromDigits(101, 123, 220)), kTimeCodeBadSecond},
        {detail::codeFromBits(fromDigits(221, 123, 999)), kTimeCodeBadSecond},  // second 60
        {detail::codeFromBits(fromDigits(101, 124, 219)), kTimeCodeBadMinute},
        {detail::codeFromBits(fromDigits(102, 123, 219)), kTimeCodeBadHour},
        {detail::codeFromBits(fromDigits(101 + 11 * 24, 123, 219)), kTimeCodeBadHour},
    };
    for (const auto& [kod, error] : cases) {
        EXPECT_EQ(RasKodTime(kod).error, error) << kod;
    }
}

}  // namespace
}  // namespace tro
