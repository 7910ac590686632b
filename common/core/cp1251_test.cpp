#include "cp1251.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

TEST(Cp1251, EveryByteRoundTripsAndTheRussianLettersAndSignsMap) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(toCp1251(fromCp1251(byte)).value_or("none"), byte) << b;
    }
    const std::string letters = "АяЁё№€«»—Їі abc 1";
    const std::string bytes = "\xC0\xFF\xA8\xB8\xB9\x88\xAB\xBB\x97\xAF\xB3 abc 1";
    EXPECT_EQ(toCp1251(letters).value_or("none"), bytes);
    EXPECT_EQ(fromCp1251(bytes), letters);
}

// Characters without a Windows-1251 form, broken and overlong UTF-8 are refused.
TEST(Cp1251, ReportsCharactersWithoutAWindows1251Form) {
    for (const char* text : {"漢", "ok 😀", "Ω", "\xC3", "\xFF\xFE", "\xE0\x80\x80", "\xC1\xBF"}) {
        EXPECT_FALSE(toCp1251(text).has_value()) << ::testing::PrintToString(text);
    }
    EXPECT_EQ(firstUnencodable("Имя Ω и 漢") + "|" + firstUnencodable("Имя") + "|" +
                  toCp1251Lossy("Я漢x"),
              "Ω||\xDF?x");
}

}  // namespace
}  // namespace tro
