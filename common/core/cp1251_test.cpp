#include "cp1251.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

TEST(Cp1251, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const auto back = toCp1251(fromCp1251(byte));
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, byte) << b;
    }
}

TEST(Cp1251, MapsTheRussianLettersAndSigns) {
    struct Case {
        const char* utf8;
        const char* bytes;
    };
    for (const Case& c :
         {Case{"А", "\xC0"}, Case{"я", "\xFF"}, Case{"Ё", "\xA8"}, Case{"ё", "\xB8"},
          Case{"№", "\xB9"}, Case{"€", "\x88"}, Case{"«»", "\xAB\xBB"}, Case{"—", "\x97"},
          Case{"Їі", "\xAF\xB3"}, Case{"abc 1", "abc 1"}}) {
        EXPECT_EQ(toCp1251(c.utf8).value_or("?none"), c.bytes) << c.utf8;
        EXPECT_EQ(fromCp1251(c.bytes), c.utf8);
    }
}

TEST(Cp1251, ReportsCharactersWithoutAWindows1251Form) {
    for (const char* text : {"漢", "ok 😀", "Ω", "\xC3", "\xFF\xFE", "\xE0\x80\x80"}) {
        EXPECT_FALSE(toCp1251(text).has_value()) << text;
    }
    EXPECT_EQ(firstUnencodable("Имя Ω и 漢"), "Ω");
    EXPECT_EQ(firstUnencodable("Имя"), "");
    EXPECT_EQ(toCp1251Lossy("Я漢x"), "\xDF?x");
}

}  // namespace
}  // namespace tro
