#include "catalogue_source.h"

#include <gtest/gtest.h>

namespace tro::tools {
namespace {

// The entry's fields, and the rules text with CR LF line ends, trailing blank lines dropped.
TEST(CatalogueSource, ReadsTheEntryAndTheRules) {
    CatalogueSource entry;
    std::string error;
    ASSERT_TRUE(
        parseCatalogue("# Lines\ntitle: ЛАЙНС\r\ndirection: 1\n\nvariant: На очки\n"
                       "variant: На время - 10 мин\nswitch: 10\n",
                       entry, error))
        << error;
    EXPECT_EQ(entry.title, "ЛАЙНС");
    EXPECT_EQ(entry.direction, 1);
    EXPECT_EQ(entry.variants, (std::vector<std::string>{"На очки", "На время - 10 мин"}));
    EXPECT_EQ(entry.switchSlots, std::vector<int>{10});
    std::string bytes;
    ASSERT_TRUE(rulesBytes("Строка 1\nСтрока 2\n\n", bytes, error));
    EXPECT_EQ(bytes, "\xD1\xF2\xF0\xEE\xEA\xE0 1\r\n\xD1\xF2\xF0\xEE\xEA\xE0 2");
    EXPECT_TRUE(rulesBytes(std::string(498, 'a'), bytes, error));
    EXPECT_FALSE(rulesBytes(std::string(499, 'a'), bytes, error));
    EXPECT_FALSE(rulesBytes("😀", bytes, error));
}

// No title, no variant, direction 0, a switch on the variant list's end mark, a title longer
// than a slot, a title without a Windows-1251 form.
TEST(CatalogueSource, RefusesEntriesTheManagerWouldMisread) {
    for (const char* text :
         {"direction: 1\nvariant: a\n", "title: t\ndirection: 1\n",
          "title: t\ndirection: 0\nvariant: a\n", "title: t\ndirection: 1\nvariant: a\nswitch: 4\n",
          "title: 0123456789012345678901234567890123456789012345678\n"
          "direction: 1\nvariant: a\n",
          "title: 漢\ndirection: 1\nvariant: a\n"}) {
        CatalogueSource entry;
        std::string error;
        EXPECT_FALSE(parseCatalogue(text, entry, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

}  // namespace
}  // namespace tro::tools
