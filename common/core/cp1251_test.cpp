#include "cp1251.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

TEST(Cp1251, EveryByteRoundTripsAndTheRussianLettersAndSignsMap) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(toCp1251(fromCp1251(byte)).value_or("none"), byte) << b;
    }
    for (const auto& [utf8, bytes] : {std::pair{"А", "\xC0"},
                                      {"я", "\xFF"},
                                      {"Ё", "\xA8"},
                                      {"ё", "\xB8"},
                                      {"№", "\xB9"},
                                      {"€", "\x88"},
                                      {"«»", "\xAB\xBB"},
                                      {"—", "\x97"},
                                      {"Їі", "\xAF\xB3"},
                                      {"abc 1", "abc 1"}}) {
        EXPECT_EQ(toCp1251(utf8).value_or("none"), bytes) << utf8;
        EXPECT_EQ(fromCp1251(bytes), utf8);
    }
}

// Characters without a Windows-1251 form, broken and overlong UTF-8 are refused.
TEST(Cp1251, ReportsCharactersWithoutAWindows1251Form) {
    for (const char* text : {"漢", "ok 😀", "Ω", "\xC3", "\xFF\xFE", "\xE0\x80\x80", "\xC1\xBF"}) {
        EXPECT_FALSE(toCp1251(text).has_value()) << ::testing::PrintToString(text);
    }
    EXPECT_EQ(firstUnencodable("Имя Ω и 漢"), "Ω");
    EXPECT_EQ(firstUnencodable("Имя"), "");
    EXPECT_EQ(toCp1251Lossy("Я漢x"), "\xDF?x");
}

}  // namespace
}  // namespace tro
