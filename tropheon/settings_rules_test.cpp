#include <gtest/gtest.h>

#include "rules.h"
#include "settings.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(Settings, TheSwitchFileIsCreatedWrittenAndReadSafely) {
    TempDir dir;
    EXPECT_FALSE(readSoundSwitch(dir.path()));
    EXPECT_EQ(readBytes(dir / "tropheon.dat"), "");  // created empty
    ASSERT_EQ(writeSoundSwitch(dir.path(), true), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "tropheon.dat"), std::string("\x01") + std::string(59, '\0'));
    EXPECT_TRUE(readSoundSwitch(dir.path()));
    // The current player in slot 3, kept when the switch is written again.
    EXPECT_EQ(readCurrentPlayer(dir.path()), "");
    ASSERT_EQ(writeCurrentPlayer(dir.path(), "Аня"), SlotStatus::Ok);
    ASSERT_EQ(writeSoundSwitch(dir.path(), true), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "tropheon.dat").substr(60),
              std::string("\x03\0\xC0\xED\xFF", 5) + std::string(25, '\0'));
    EXPECT_EQ(readCurrentPlayer(dir.path()), "Аня");
    // Only 1 means on; a short or damaged file reads as far as it goes.
    for (const auto& [bytes, on] : {std::pair{std::string("\x01", 1), true},
                                    {std::string("\x05\x00", 2), false},
                                    {std::string("\x01\x01", 2), false}}) {
        writeBytes(dir / "tropheon.dat", bytes);
        EXPECT_EQ(readSoundSwitch(dir.path()), on) << bytes.size();
    }
}

// The rules file holds the text in Windows-1251 with CR LF line ends, up to 498 bytes; a
// text it cannot hold is refused whole and the old one stays.
TEST(Rules, AreStoredInWindows1251WithCrLfUpTo498Bytes) {
    TempDir dir;
    EXPECT_EQ(loadRules(dir.path(), "lines"), "");
    ASSERT_EQ(saveRules(dir.path(), "lines", "Ба 1\nБа 2"), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "lines.pra"),
              std::string("\x0a\x00\xC1\xE0 1\r\n\xC1\xE0 2", 12) + std::string(488, '\0'));
    std::string cyrillic498;
    while (cyrillic498.size() < 2 * 498) {
        cyrillic498 += "ж";
    }
    const std::pair<std::string, SlotStatus> cases[] = {
        {cyrillic498, SlotStatus::Ok},
        {std::string(496, 'a') + "\n", SlotStatus::Ok},       // 498 bytes with CR LF
        {std::string(497, 'a') + "\n", SlotStatus::TooLong},  // 499 bytes with CR LF
        {"правила ✓", SlotStatus::Unencodable},
    };
    for (const auto& [text, status] : cases) {
        ASSERT_EQ(saveRules(dir.path(), "g", "старый текст"), SlotStatus::Ok);
        EXPECT_EQ(saveRules(dir.path(), "g", text), status) << text.size();
        EXPECT_EQ(loadRules(dir.path(), "g"), status == SlotStatus::Ok ? text : "старый текст");
    }
    // A damaged length field reads as far as the file goes.
    writeBytes(dir / "g.pra", std::string("\xff\x7f") + "abc");
    EXPECT_EQ(loadRules(dir.path(), "g"), "abc");
    writeBytes(dir / "g.pra", "\x05");
    EXPECT_EQ(loadRules(dir.path(), "g"), "");
    EXPECT_EQ(rulesFileBytes("a\nж"), 4);
}

}  // namespace
}  // namespace tro
