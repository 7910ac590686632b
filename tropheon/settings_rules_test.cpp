#include <gtest/gtest.h>

#include "rules.h"
#include "settings.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(Settings, AMissingFileReadsAsOffAndIsCreatedEmpty) {
    TempDir dir;
    EXPECT_FALSE(readSoundSwitch(dir.path()));
    ASSERT_TRUE(fs::exists(dir / "tropheon.dat"));
    EXPECT_EQ(readBytes(dir / "tropheon.dat"), "");
}

TEST(Settings, SwitchingWritesSlotOneAndAnEmptyLanguage) {
    TempDir dir;
    ASSERT_EQ(writeSoundSwitch(dir.path(), false), SlotStatus::Ok);
    std::string expectedOff(60, '\0');
    EXPECT_EQ(readBytes(dir / "tropheon.dat"), expectedOff);
    EXPECT_FALSE(readSoundSwitch(dir.path()));
    ASSERT_EQ(writeSoundSwitch(dir.path(), true), SlotStatus::Ok);
    std::string expectedOn = expectedOff;
    expectedOn[0] = 1;
    EXPECT_EQ(readBytes(dir / "tropheon.dat"), expectedOn);
    EXPECT_TRUE(readSoundSwitch(dir.path()));
}

TEST(Settings, DamagedFilesReadAsOff) {
    struct Case {
        std::string bytes;
        bool on;
    };
    const Case cases[] = {
        {"", false},
        {std::string("\x01", 1), true},
        {std::string("\x01\x00", 2), true},
        {"\x05\x00", false},
        {"\xff\xff", false},
        {std::string("\x01\x01", 2), false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeBytes(dir / "tropheon.dat", c.bytes);
        EXPECT_EQ(readSoundSwitch(dir.path()), c.on)
            << testing::readBytes(dir / "tropheon.dat").size();
    }
}

TEST(Rules, LoadCreatesAMissingFileAndTurnsCrLfIntoLineBreaks) {
    TempDir dir;
    EXPECT_EQ(loadRules(dir.path(), "lines"), "");
    EXPECT_TRUE(fs::exists(dir / "lines.pra"));

    ASSERT_EQ(saveRules(dir.path(), "lines", "Строка 1\nСтрока 2"), SlotStatus::Ok);
    const std::string bytes = readBytes(dir / "lines.pra");
    const std::string text = "\xD1\xF2\xF0\xEE\xEA\xE0 1\r\n\xD1\xF2\xF0\xEE\xEA\xE0 2";
    ASSERT_EQ(bytes.size(), 500u);
    EXPECT_EQ(bytes.substr(0, 2), std::string({static_cast<char>(text.size()), 0}));
    EXPECT_EQ(bytes.substr(2, text.size()), text);
    EXPECT_EQ(loadRules(dir.path(), "lines"), "Строка 1\nСтрока 2");
}

TEST(Rules, TextsUpTo498BytesAreSavedLongerOnesAreRefusedWhole) {
    struct Case {
        std::string text;
        SlotStatus status;
    };
    const std::string cyrillic498 = [] {
        std::string s;
        for (int i = 0; i < 498; ++i) {
            s += "ж";
        }
        return s;
    }();
    const Case cases[] = {
        {std::string(498, 'a'), SlotStatus::Ok},
        {cyrillic498, SlotStatus::Ok},
        {std::string(499, 'a'), SlotStatus::TooLong},
        {std::string(496, 'a') + "\n", SlotStatus::Ok},       // 498 bytes with CR LF
        {std::string(497, 'a') + "\n", SlotStatus::TooLong},  // 499 bytes with CR LF
        {"правила ✓", SlotStatus::Unencodable},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ASSERT_EQ(saveRules(dir.path(), "g", "старый текст"), SlotStatus::Ok);
        EXPECT_EQ(saveRules(dir.path(), "g", c.text), c.status) << c.text.size();
        EXPECT_EQ(loadRules(dir.path(), "g"), c.status == SlotStatus::Ok ? c.text : "старый текст");
    }
    EXPECT_EQ(rulesFileBytes("a\nb"), 4);
    EXPECT_EQ(rulesFileBytes("✓"), -1);
}

TEST(Rules, AShortOrGarbledFileLoadsWithoutLeavingItsSlot) {
    TempDir dir;
    writeBytes(dir / "g.pra",
               "\xff\x7f"
               "abc");
    EXPECT_EQ(loadRules(dir.path(), "g"), "abc");
    writeBytes(dir / "g.pra", "\x05");
    EXPECT_EQ(loadRules(dir.path(), "g"), "");
}

}  // namespace
}  // namespace tro
