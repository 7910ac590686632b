#include "submission_code.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "code_tables.h"
#include "submission_keys.h"
#include "testing/fakes.h"
#include "text.h"

namespace tro {
namespace {

using submission_detail::shiftSymbol35;
using submission_detail::swapSymbolHalves;
using submission_detail::unshiftSymbol35;

const std::string kLatin = "AbcdEfghIjklMnopQrstUvwxYzABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kCyrillic =
    "ЖёлтыйЩукаЭхоЯмаЦапляЧайкаЁжикЫрьяШмельФазанЮлаБобрГусьДятелЗубрИволга";

SubmissionRecord record(std::string name, std::string id, int variant, int result, Date date,
                        TimeOfDay stamp = {13, 45, 7}) {
    return SubmissionRecord{std::move(name), std::move(id), variant, result, date, stamp};
}

std::string code(const SubmissionRecord& r, std::uint64_t seed = 1) {
    SystemRandom random(seed);
    return Kodirovka(r, random).value_or("");
}

std::string expectRecord(const SubmissionDecode& decoded, const SubmissionRecord& expected) {
    if (const auto* refusal = std::get_if<SubmissionRefusal>(&decoded)) {
        return "refused: " + describe(*refusal);
    }
    if (!(std::get<SubmissionRecord>(decoded) == expected)) {
        return "decoded another record";
    }
    return "";
}

TEST(SubmissionCode, RoundTripsNamesOfEveryLengthInLatinAndCyrillic) {
    const std::vector<Date> dates = {{2005, 1, 1}, {2008, 2, 29}, {2019, 12, 31}, {2026, 6, 15}};
    const std::vector<int> results = {0, 7, 10, 999, 12345, 32767};
    for (const std::string& letters : {kLatin, kCyrillic}) {
        for (std::size_t length = 1; length <= 40; ++length) {
            const std::string name = utf8Prefix(letters, length);
            const std::string id = utf8Prefix("tsifranbolmenklavonvertun", length % 20 + 1);
            const int variant = static_cast<int>(length % 13);
            const int result = results[length % results.size()];
            const Date date = dates[length % dates.size()];
            const TimeOfDay stamp{static_cast<int>(length % 24), static_cast<int>(length + 17),
                                  static_cast<int>(59 - length)};
            const SubmissionRecord r = record(name, id, variant, result, date, stamp);
            const std::string c = code(r, length);
            ASSERT_EQ(c.size(), 124u) << name;
            EXPECT_EQ(expectRecord(Raskodirovka(c), r), "") << name << " " << c;
        }
    }
}

TEST(SubmissionCode, RoundTripsGameIdsOfOneToTwentyCharacters) {
    const std::string ids = "korvatokulentsepkoabcdefgh";
    for (std::size_t length = 1; length <= 20; ++length) {
        for (const int variant : {0, 1, 5, 9, 12}) {
            const SubmissionRecord r =
                record("Игрок", ids.substr(0, length), variant, 4321, {2024, 2, 29});
            EXPECT_EQ(expectRecord(Raskodirovka(code(r, length * 31 + variant)), r), "")
                << length << " " << variant;
        }
    }
}

TEST(SubmissionCode, RoundTripsEveryDayOfALeapYearAndTheTimeStampsEdges) {
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= daysInMonth(2012, month); ++day) {
            for (const TimeOfDay stamp : {TimeOfDay{0, 0, 0}, TimeOfDay{23, 59, 59}}) {
                const SubmissionRecord r =
                    record("Max", "lines", 2, day * 100 + month, {2012, month, day}, stamp);
                ASSERT_EQ(expectRecord(Raskodirovka(code(r, 1000 + day)), r), "")
                    << day << "." << month;
            }
        }
    }
}

TEST(SubmissionCode, AFortyCharacterNameIsCarriedWhole) {
    const std::string name = utf8Prefix(kCyrillic, 40);
    const SubmissionRecord r = record(name, "bomvik", 3, 95, {2026, 12, 6});
    const auto decoded = Raskodirovka(code(r));
    ASSERT_TRUE(std::holds_alternative<SubmissionRecord>(decoded));
    EXPECT_EQ(std::get<SubmissionRecord>(decoded).name, name);
}

TEST(SubmissionCode, TwoCodingsOfOneInputDifferButBothDecode) {
    const SubmissionRecord r = record("Ann", "rysko", 1, 77, {2026, 12, 6});
    const std::string first = code(r, 11);
    const std::string second = code(r, 12);
    EXPECT_NE(first, second);
    for (const std::string& c : {first, second}) {
        ASSERT_EQ(c.size(), 124u);
        EXPECT_EQ(c.substr(118), submission::kSuffix);
        EXPECT_EQ(expectRecord(Raskodirovka(c), r), "");
    }
}

TEST(SubmissionCode, ReseedsBeforeItDraws) {
    testing::ScriptedRandom random({0.1, 0.6, 0.35, 0.9});
    ASSERT_TRUE(Kodirovka("Ann", 77, "rysko", 1, 6, 12, 2026, 1, 2, 3, random).has_value());
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_GT(random.draws, 0);
}

TEST(SubmissionCode, ThePositionalFormCodesTheSameRecord) {
    testing::ScriptedRandom random({0.1, 0.6, 0.35, 0.9});
    const auto c = Kodirovka("Ann", 77, "rysko", 4, 6, 12, 2026, 21, 2, 3, random);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(
        expectRecord(Raskodirovka(*c), record("Ann", "rysko", 4, 77, {2026, 12, 6}, {21, 2, 3})),
        "");
}

// Both ways of the half swap of the symbols, and of the hidden moves inside, happen over
// many codings; every code still decodes.
TEST(SubmissionCode, EveryBranchOfTheMixingDecodes) {
    const SubmissionRecord r = record("Ёжик", "vertun", 7, 2500, {2016, 7, 31});
    int swapped = 0;
    for (std::uint64_t seed = 1; seed <= 600; ++seed) {
        const std::string c = code(r, seed);
        const bool lowerPair = c[0] >= 'a' && c[0] <= 'z' && c[59] >= 'a' && c[59] <= 'z';
        swapped += lowerPair ? 1 : 0;
        ASSERT_EQ(expectRecord(Raskodirovka(c), r), "") << seed << " " << c;
    }
    EXPECT_GT(swapped, 0);
    EXPECT_LT(swapped, 600);
}

// The stamp lies in five pieces at fixed places of the 708 binary digits.
TEST(SubmissionCode, TheStampSitsWhereTheDecoderOfTheTableLooksForIt) {
    const SubmissionRecord r = record("Ann", "lines", 1, 10, {2026, 1, 2}, {10, 20, 30});
    std::string symbols = code(r, 5).substr(0, 118);
    swapSymbolHalves(symbols);
    symbols[34] = unshiftSymbol35(symbols[34]);
    std::string bits;
    for (const char s : symbols) {
        const int v = codes::kAlphabetIndex[static_cast<unsigned char>(s)];
        for (int b = 0; b < 6; ++b) {
            bits.push_back(((v >> b) & 1) ? '1' : '0');
        }
    }
    const std::string stamp = bits.substr(400, 5) + bits.substr(445, 5) + bits.substr(480, 5) +
                              bits.substr(505, 5) + bits.substr(540, 4);
    // 37230 seconds: digits 3, 7, 2, 3, 0, least significant bit first, then the marker.
    EXPECT_EQ(stamp,
              "1100"
              "1110"
              "0100"
              "1100"
              "0000" +
                  std::string(submission::kStampMarker));
}

TEST(SubmissionCode, ReadsACodeMadeBeforeSoOldMailsStayReadable) {
    // Made once with the key material as shipped; a change of any key breaks this.
    const SubmissionRecord r = record("Пётр", "lines", 2, 1234, {2026, 12, 6}, {18, 5, 9});
    EXPECT_EQ(
        expectRecord(Raskodirovka("4rihdzWAogWl(U7AyaY7GemBq4qipjPmE5v6kxIHRU2tVCv(RQ0ViXS6TKNs(C"
                                  "ZtKBjrf38r(nUAyJJL6mjeaL5HZwnBElp6mPyxR9Mp(d6lnB0BOOk2WQmxccso"),
                     r),
        "");
}

TEST(SubmissionCode, RefusesRecordsTheFieldsCannotCarry) {
    struct Case {
        const char* what;
        SubmissionRecord r;
    };
    const std::string forty = std::string(40, 'x');
    const std::vector<Case> cases = {
        {"empty name", record("", "lines", 1, 5, {2026, 1, 1})},
        {"41 characters", record(forty + "y", "lines", 1, 5, {2026, 1, 1})},
        {"empty game id", record("Ann", "", 1, 5, {2026, 1, 1})},
        {"21 character id", record("Ann", std::string(21, 'g'), 1, 5, {2026, 1, 1})},
        {"no Windows-1251 form", record("Ann☃", "lines", 1, 5, {2026, 1, 1})},
        {"30 February", record("Ann", "lines", 1, 5, {2026, 2, 30})},
        {"month 13", record("Ann", "lines", 1, 5, {2026, 13, 1})},
        {"negative result", record("Ann", "lines", 1, -1, {2026, 1, 1})},
        {"negative variant", record("Ann", "lines", -1, 5, {2026, 1, 1})},
        {"variant 13 with 40 characters", record(forty, "lines", 13, 5, {2026, 1, 1})},
        {"hour 24", record("Ann", "lines", 1, 5, {2026, 1, 1}, {24, 0, 0})},
        {"second 60", record("Ann", "lines", 1, 5, {2026, 1, 1}, {0, 0, 60})},
    };
    for (const Case& c : cases) {
        SystemRandom random(1);
        EXPECT_FALSE(canCode(c.r)) << c.what;
        EXPECT_FALSE(Kodirovka(c.r, random).has_value()) << c.what;
    }
    EXPECT_TRUE(canCode(record(forty, "lines", 12, 32767, {2026, 1, 1})));
}

TEST(SubmissionCode, RefusesTextThatIsNoCode) {
    const std::string good = code(record("Ann", "lines", 1, 5, {2026, 1, 1}));
    std::string foreign = good;
    foreign[10] = '-';
    std::string noSuffix = good;
    noSuffix[123] = noSuffix[123] == 'a' ? 'b' : 'a';
    std::string markerless = good;
    // All binary digits "1" but a valid suffix: every marker and field is wrong.
    markerless.replace(0, 118, std::string(118, ')'));
    const std::vector<std::pair<std::string, SubmissionRefusal>> cases = {
        {"", SubmissionRefusal::WrongLength},
        {good.substr(0, 123), SubmissionRefusal::WrongLength},
        {good + "a", SubmissionRefusal::WrongLength},
        {foreign, SubmissionRefusal::ForeignSymbol},
        {noSuffix, SubmissionRefusal::WrongSuffix},
        {markerless, SubmissionRefusal::BrokenMarker},
    };
    for (const auto& [text, refusal] : cases) {
        const auto decoded = Raskodirovka(text);
        ASSERT_TRUE(std::holds_alternative<SubmissionRefusal>(decoded)) << text;
        EXPECT_EQ(std::get<SubmissionRefusal>(decoded), refusal) << text;
    }
}

// The numbers are carried twice and checked against each other: a code changed in one
// symbol is refused, or still reads the same result, variant and date.
TEST(SubmissionCode, AChangedSymbolNeverYieldsAnotherResultOrDate) {
    const SubmissionRecord r = record("Marina", "tsifran", 4, 3210, {2025, 3, 14});
    const std::string good = code(r, 77);
    int refused = 0;
    for (std::size_t pos = 0; pos < 118; ++pos) {
        for (const int delta : {1, 17, 40}) {
            std::string changed = good;
            const int index = codes::kAlphabetIndex[static_cast<unsigned char>(good[pos])];
            changed[pos] = codes::kAlphabet[static_cast<std::size_t>((index + delta) % 64)];
            const auto decoded = Raskodirovka(changed);
            if (const auto* got = std::get_if<SubmissionRecord>(&decoded)) {
                EXPECT_EQ(got->result, r.result) << pos;
                EXPECT_EQ(got->variant, r.variant) << pos;
                EXPECT_EQ(got->date.day, r.date.day) << pos;
                EXPECT_EQ(got->date.month, r.date.month) << pos;
                EXPECT_EQ(got->date.year, r.date.year) << pos;
            } else {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 118);
}

TEST(SubmissionSymbols, Symbol35MovesBetweenTheLetterRanges) {
    const std::vector<std::pair<char, char>> cases = {
        {'A', 'O'}, {'L', 'Z'}, {'M', 'A'}, {'Z', 'N'}, {'F', 'T'}, {'N', 'B'},
        {'0', '0'}, {'9', '9'}, {'a', 'a'}, {'z', 'z'}, {'(', '('}, {')', ')'},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(shiftSymbol35(in), out) << in;
        EXPECT_EQ(unshiftSymbol35(out), in) << out;
    }
    std::set<char> images;
    for (const char c : codes::kAlphabet) {
        images.insert(shiftSymbol35(c));
        EXPECT_EQ(unshiftSymbol35(shiftSymbol35(c)), c) << c;
    }
    EXPECT_EQ(images.size(), 64u);
}

TEST(SubmissionSymbols, HalvesChangePlacesOnlyWhenSymbols1And60AreLowerCase) {
    const std::string front(59, 'A');
    const std::string back(59, '7');
    struct Case {
        char first, sixtieth;
        bool swaps;
    };
    for (const Case c : {Case{'a', 'z', true}, Case{'q', 'b', true}, Case{'A', 'z', false},
                         Case{'a', 'Z', false}, Case{'(', 'z', false}, Case{'a', '0', false}}) {
        std::string symbols = front + back;
        symbols[0] = c.first;
        symbols[59] = c.sixtieth;
        const std::string before = symbols;
        EXPECT_EQ(swapSymbolHalves(symbols), c.swaps) << c.first << c.sixtieth;
        if (c.swaps) {
            EXPECT_EQ(symbols, before.substr(59) + before.substr(0, 59));
            // Still both lower-case afterwards: the decoder swaps back with the same rule.
            EXPECT_TRUE(swapSymbolHalves(symbols));
        }
        EXPECT_EQ(symbols, before);
    }
}

}  // namespace
}  // namespace tro
