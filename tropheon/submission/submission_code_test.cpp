#include "submission_code.h"

#include <gtest/gtest.h>

#include "code_tables.h"
#include "testing/fakes.h"
#include "text.h"

namespace tro {
namespace {

std::string code(const SubmissionRecord& r, std::uint64_t seed = 1) {
    SystemRandom random(seed);
    return Kodirovka(r, random).value_or("");
}

// The decoded record, or a default one with the refusal's reason as its name.
SubmissionRecord decoded(std::string_view code) {
    const SubmissionDecode out = Raskodirovka(code);
    if (const auto* refusal = std::get_if<SubmissionRefusal>(&out)) {
        return {"refused: " + describe(*refusal), "", 0, 0, {}, {}};
    }
    return std::get<SubmissionRecord>(out);
}

// Names of 1 to 40 characters, game ids of 1 to 20, variants, results, dates and stamps,
// each under its own seed, so that both ways of the mixing steps are taken.
TEST(SubmissionCode, RoundTripsEveryFieldOverItsWholeRange) {
    const std::string kLetters[] = {
        "AbcdEfghIjklMnopQrstUvwxYzABCDEFGHIJKLMNOPQRSTUVWXYZ",
        "ЖёлтыйЩукаЭхоЯмаЦапляЧайкаЁжикЫрьяШмельФазанЮлаБобрГусьДятелЗубрИволга"};
    const int results[] = {0, 7, 10, 999, 12345, 32767};
    for (const std::string& letters : kLetters) {
        for (int n = 1; n <= 40; ++n) {
            const int month = n % 12 + 1;
            const int year = 2005 + n % 24;
            const SubmissionRecord r{
                utf8Prefix(letters, static_cast<std::size_t>(n)),
                utf8Prefix("tsifranbolmenklavonvertun", static_cast<std::size_t>(n % 20 + 1)),
                n % 13,
                results[n % 6],
                {year, month, n % 3 == 0 ? daysInMonth(year, month) : n % 28 + 1},
                {n % 24, (n * 17) % 60, 59 - n}};
            const std::string c = code(r, static_cast<std::uint64_t>(n + letters.size()));
            EXPECT_EQ(decoded(c), r) << r.name << " " << c;
        }
    }
}

// Codes made once and frozen, with fixed fill digits: a change of a key or an offset that
// alters both directions alike still breaks these, as it breaks every code already mailed.
TEST(SubmissionCode, KnownAnswers) {
    const std::tuple<SubmissionRecord, std::vector<double>, const char*> cases[] = {
        {{"Пётр", "lines", 2, 1234, {2026, 12, 6}, {18, 5, 9}},
         {0.1, 0.6, 0.35, 0.9, 0.75},
         "(rsuG3CQms2ykcBZNoQzGYpBTOniXNYmFDABPDEJCPyPaAMBnk3K2QTK6Bni)Ak1568FmnpFxGUsfR(hABtnbA"
         "sWbXRpHtvQ74eDLJWZxCa3vqbNlTasPOmxccso"},
        {{"Ann", "rysko", 0, 0, {2024, 2, 29}, {0, 0, 0}},
         {0.0},
         "ANALAFMAnnAGMUgAmgLWGz07sbpVhuGKATCYQrARDHDnAABtYSeUBmWlA6AKHaQJ0AKmIAjQBLATQcMBAO9NA"
         "BQDRfRKEdRCQMZiL9SAfD6lZBTQHKceGBmxccso"},
        {{"Жёлтый Щукарь из деревни Верхние Ряды.",
          "tsifranbolmenklavonv",
          12,
          32767,
          {2005, 1, 31},
          {23, 59, 59}},
         {0.99},
         "k58hEe4fnPGEMPvSaqOfdyfJ(8yf)eUoEj0)Enj15zftOuvVJODWHQWieLJ))6kw3mLokSnUlisElXz5EqpZd"
         "a))73nn(WQ6aHgjx)rMhYjUkaNHvxdpD5mxccso"},
        {{"Marina", "tsifran", 4, 3210, {2025, 3, 14}, {13, 45, 7}},
         {0.3, 0.7},
         "(cjhcyX1nhQUstc0o8avGezBEIxiH7tpHe35a)AOn24hgSZ9pZ2ce1SbS83ddXZnT5NruNgE)TZAmjunBgAq3"
         "L(NBxBNMiZQrE37XdrCkdrlzB5RGwkyVnmxccso"},
    };
    for (const auto& [record, fill, expected] : cases) {
        testing::ScriptedRandom random(fill);
        EXPECT_EQ(Kodirovka(record, random), expected) << record.name;
        EXPECT_EQ(decoded(expected), record) << record.name;
    }
}

TEST(SubmissionCode, RefusesRecordsTheFieldsCannotCarry) {
    const std::string forty(40, 'x');
    const SubmissionRecord cases[] = {
        {"", "lines", 1, 5, {2026, 1, 1}, {}},
        {forty + "y", "lines", 1, 5, {2026, 1, 1}, {}},
        {"Ann", std::string(21, 'g'), 1, 5, {2026, 1, 1}, {}},
        {"Ann☃", "lines", 1, 5, {2026, 1, 1}, {}},
        {"Ann", "lines", 1, 5, {2026, 2, 30}, {}},
        {"Ann", "lines", 1, -1, {2026, 1, 1}, {}},
        {forty, "lines", 13, 5, {2026, 1, 1}, {}},
        {"Ann", "lines", 1, 5, {2026, 1, 1}, {24, 0, 0}},
    };
    for (const SubmissionRecord& r : cases) {
        EXPECT_TRUE(!canCode(r) && code(r).empty()) << r.name << r.gameId << r.variant << r.result;
    }
}

// Text that is no code is refused with its reason. The numbers are carried twice and checked
// against each other: a code changed in one symbol is refused, or still reads the same
// result, variant and date.
TEST(SubmissionCode, RefusesTextThatIsNoCodeAndNeverReadsAChangedOneOtherwise) {
    const SubmissionRecord r{"Marina", "tsifran", 4, 3210, {2025, 3, 14}, {}};
    const std::string good = code(r, 77);
    const std::string foreign = good.substr(0, 10) + "-" + good.substr(11);
    const std::string noSuffix = good.substr(0, 123) + (good[123] == 'a' ? "b" : "a");
    // All binary digits "1" but a valid suffix: every marker and field is wrong.
    const std::string markerless = std::string(118, ')') + good.substr(118);
    using enum SubmissionRefusal;
    const std::pair<std::string, SubmissionRefusal> cases[] = {
        {"", WrongLength},         {good.substr(0, 123), WrongLength},
        {good + "a", WrongLength}, {foreign, ForeignSymbol},
        {noSuffix, WrongSuffix},   {markerless, BrokenMarker},
    };
    for (const auto& [text, refusal] : cases) {
        EXPECT_EQ(decoded(text).name, "refused: " + describe(refusal)) << text;
    }
    int refused = 0;
    for (std::size_t pos = 0; pos < 118; ++pos) {
        for (const int delta : {1, 17, 40}) {
            std::string changed = good;
            const int index = codes::kAlphabetIndex[static_cast<unsigned char>(good[pos])];
            changed[pos] = codes::kAlphabet[static_cast<std::size_t>((index + delta) % 64)];
            const SubmissionRecord got = decoded(changed);
            refused += got.name.starts_with("refused: ") ? 1 : 0;
            EXPECT_TRUE(
                got.name.starts_with("refused: ") ||
                std::tie(got.result, got.variant, got.date.day, got.date.month, got.date.year) ==
                    std::tie(r.result, r.variant, r.date.day, r.date.month, r.date.year))
                << pos;
        }
    }
    EXPECT_GT(refused, 118);
}

}  // namespace
}  // namespace tro
