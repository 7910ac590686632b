#include "rekord_tool.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tro {
namespace {

// Codes are found wherever a mail puts them, several on a line, even glued together; each
// gives one line in the order of the mail: the record, or the refusal and its reason.
TEST(RekordInput, DecodesTheCodesOfAMailOneLinePerCode) {
    SystemRandom random(1);
    const std::string a = *Kodirovka({"Пётр", "lines", 2, 1234, {2026, 12, 6}, {18, 5, 9}}, random);
    const std::string b = *Kodirovka({"Ann", "klavon", 9, 0, {2008, 2, 29}, {0, 0, 1}}, random);
    std::istringstream mail("Hello, here are my results (Pyotr)\n> " + a + "\r\nРекорд: " + a +
                            ", " + b + "\n\t" + a + b + " \n> " + a.substr(0, 100) + "\n" + a +
                            "x\n");
    std::ostringstream out;
    const RekordCounts counts = decodeSubmissionStream(mail, out);
    EXPECT_EQ(std::tuple(counts.records, counts.refused), std::tuple(5, 2));
    const std::string petr = "Пётр\tlines\t2\t1234\t06.12.2026\t18:05:09\n";
    const std::string ann = "Ann\tklavon\t9\t0\t29.02.2008\t00:00:01\n";
    const std::string tooShort = "ОТКАЗ\t" + a.substr(0, 100) + "\tдлина кода не 124 символа\n";
    const std::string tooLong = "ОТКАЗ\t" + a + "x\tдлина кода не 124 символа\n";
    EXPECT_EQ(out.str(), petr + petr + ann + petr + ann + tooShort + tooLong);
}

}  // namespace
}  // namespace tro
