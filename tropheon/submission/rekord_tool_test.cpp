#include "rekord_tool.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tro {
namespace {

std::string makeCode(const SubmissionRecord& r, std::uint64_t seed) {
    SystemRandom random(seed);
    return Kodirovka(r, random).value_or("");
}

const SubmissionRecord kPetr{"Пётр", "lines", 2, 1234, {2026, 12, 6}, {18, 5, 9}};
const SubmissionRecord kAnn{"Ann", "klavon", 9, 0, {2008, 2, 29}, {0, 0, 1}};

TEST(RekordInput, FindsTheCodesOfALineAsPastedFromMails) {
    const std::string a = makeCode(kPetr, 1);
    const std::string b = makeCode(kAnn, 2);
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"> " + a + "\r", {a}},
        {"Рекорд: " + a + ", " + b, {a, b}},
        {"\t" + a + "   " + b + " ", {a, b}},
        {a + b, {a, b}},
        {"Hello, here are my results (Pyotr)", {}},
        {"", {}},
        {"> " + a.substr(0, 100), {a.substr(0, 100)}},
        {a + "x", {a + "x"}},
    };
    for (const auto& [line, codes] : cases) {
        EXPECT_EQ(findSubmissionCodes(line), codes) << line;
    }
}

// One line per code in the order of the mail: the record, or the refusal and its reason.
TEST(RekordInput, DecodesAMailOneLinePerCode) {
    const std::string a = makeCode(kPetr, 3);
    std::istringstream mail("Тема: Рекорд\n\n" + a + "\r\n" + a.substr(0, 120) + " " +
                            makeCode(kAnn, 4) + "\n");
    std::ostringstream out;
    const RekordCounts counts = decodeSubmissionStream(mail, out);
    EXPECT_EQ(counts.records, 2);
    EXPECT_EQ(counts.refused, 1);
    EXPECT_EQ(out.str(), "Пётр\tlines\t2\t1234\t06.12.2026\t18:05:09\nОТКАЗ\t" + a.substr(0, 120) +
                             "\tдлина кода не 124 символа\n"
                             "Ann\tklavon\t9\t0\t29.02.2008\t00:00:01\n");
}

}  // namespace
}  // namespace tro
