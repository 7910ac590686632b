#include "submission_code.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "code_tables.h"
#include "submission_keys.h"
#include "testing/fakes.h"
#include "text.h"

namespace tro {
namespace {

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

// Names of 1 to 40 characters, game ids of 1 to 20, variants, results, dates and stamps.
TEST(SubmissionCode, RoundTripsEveryFieldOverItsWholeRange) {
    const std::vector<int> results = {0, 7, 10, 999, 12345, 32767};
    for (const std::string& letters : {kLatin, kCyrillic}) {
        for (int length = 1; length <= 40; ++length) {
            const int month = length % 12 + 1;
            const int year = 2005 + length % 24;
            const SubmissionRecord r = record(
                utf8Prefix(letters, static_cast<std::size_t>(length)),
                utf8Prefix("tsifranbolmenklavonvertun", static_cast<std::size_t>(length % 20 + 1)),
                length % 13, results[static_cast<std::size_t>(length) % results.size()],
                {year, month, length % 3 == 0 ? daysInMonth(year, month) : length % 28 + 1},
                {length % 24, (length * 17) % 60, 59 - length});
            const std::string c = code(r, static_cast<std::uint64_t>(length));
            ASSERT_EQ(c.size(), 124u) << r.name;
            EXPECT_EQ(expectRecord(Raskodirovka(c), r), "") << r.name << " " << c;
        }
    }
    for (const TimeOfDay stamp : {TimeOfDay{0, 0, 0}, TimeOfDay{23, 59, 59}}) {
        const SubmissionRecord edge = record("Max", "lines", 12, 5, {2012, 2, 29}, stamp);
        EXPECT_EQ(expectRecord(Raskodirovka(code(edge)), edge), "");
    }
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

// Codes made once and frozen, with fixed fill digits: a change of a key or an offset that
// alters both directions alike still breaks these, as it breaks every code already mailed.
TEST(SubmissionCode, KnownAnswers) {
    struct Case {
        SubmissionRecord record;
        std::vector<double> fill;
        const char* code;
    };
    const Case cases[] = {
        {record("Пётр", "lines", 2, 1234, {2026, 12, 6}, {18, 5, 9}),
         {0.1, 0.6, 0.35, 0.9, 0.75},
         "(rsuG3CQms2ykcBZNoQzGYpBTOniXNYmFDABPDEJCPyPaAMBnk3K2QTK6Bni)Ak1568FmnpFxGUsfR(hABtnbA"
         "sWbXRpHtvQ74eDLJWZxCa3vqbNlTasPOmxccso"},
        {record("Ann", "rysko", 0, 0, {2024, 2, 29}, {0, 0, 0}),
         {0.0},
         "ANALAFMAnnAGMUgAmgLWGz07sbpVhuGKATCYQrARDHDnAABtYSeUBmWlA6AKHaQJ0AKmIAjQBLATQcMBAO9NA"
         "BQDRfRKEdRCQMZiL9SAfD6lZBTQHKceGBmxccso"},
        {record("Жёлтый Щукарь из деревни Верхние Ряды.", "tsifranbolmenklavonv", 12, 32767,
                {2005, 1, 31}, {23, 59, 59}),
         {0.99},
         "k58hEe4fnPGEMPvSaqOfdyfJ(8yf)eUoEj0)Enj15zftOuvVJODWHQWieLJ))6kw3mLokSnUlisElXz5EqpZd"
         "a))73nn(WQ6aHgjx)rMhYjUkaNHvxdpD5mxccso"},
        {record("Marina", "tsifran", 4, 3210, {2025, 3, 14}, {13, 45, 7}),
         {0.3, 0.7},
         "(cjhcyX1nhQUstc0o8avGezBEIxiH7tpHe35a)AOn24hgSZ9pZ2ce1SbS83ddXZnT5NruNgE)TZAmjunBgAq3"
         "L(NBxBNMiZQrE37XdrCkdrlzB5RGwkyVnmxccso"},
    };
    for (const Case& c : cases) {
        testing::ScriptedRandom fill(c.fill);
        EXPECT_EQ(Kodirovka(c.record, fill), c.code) << c.record.name;
        EXPECT_EQ(expectRecord(Raskodirovka(c.code), c.record), "") << c.record.name;
    }
}

TEST(SubmissionCode, RefusesRecordsTheFieldsCannotCarry) {
    const std::string forty = std::string(40, 'x');
    const std::vector<std::pair<const char*, SubmissionRecord>> cases = {
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
    for (const auto& [what, r] : cases) {
        SystemRandom random(1);
        EXPECT_FALSE(canCode(r)) << what;
        EXPECT_FALSE(Kodirovka(r, random).has_value()) << what;
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
                EXPECT_EQ(std::tie(got->result, got->variant, got->date.day, got->date.month,
                                   got->date.year),
                          std::tie(r.result, r.variant, r.date.day, r.date.month, r.date.year))
                    << pos;
            } else {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 118);
}

}  // namespace
}  // namespace tro
