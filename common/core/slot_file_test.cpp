#include "slot_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef __unix__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "testing/temp_dir.h"

namespace tro {
namespace {

using namespace std::string_literals;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(SlotFile, WritesTextsAndIntegersByteForByte) {
    TempDir dir;
    SlotFile file(dir / "t.dat", 6);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(1, "ab"), SlotStatus::Ok);
    ASSERT_EQ(file.writeInteger(3, -2), SlotStatus::Ok);
    ASSERT_EQ(file.writeInteger(2, 0x1234), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "t.dat"),
              "\x02\x00"
              "ab\x00\x00"
              "\x34\x12\x00\x00\x00\x00"
              "\xFE\xFF\x00\x00\x00\x00"s);
    // Rewriting a slot with a shorter text keeps the file length and the rest of the slot.
    ASSERT_EQ(file.writeText(1, "z"), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "t.dat").substr(0, 6), "\x01\x00zb\x00\x00"s);
}

TEST(SlotFile, StoresCyrillicAsWindows1251) {
    TempDir dir;
    SlotFile file(dir / "r.dat", 30);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(1, "Привет Ёж"), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "r.dat").substr(0, 11), "\x09\x00\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xE6"s);
}

TEST(SlotFile, SlotsBeyondTheEndReadEmpty) {
    TempDir dir;
    writeBytes(dir / "s.dat", "\x05\x00"s);
    SlotFile file(dir / "s.dat", 50);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    EXPECT_EQ(file.integer(1), 5);
    EXPECT_EQ(file.integer(2), 0);
    EXPECT_EQ(file.text(2), "");
    EXPECT_EQ(file.text(100), "");
    EXPECT_EQ(file.integer(0), 0);
    EXPECT_EQ(file.integer(-5), 0);
}

TEST(SlotFile, WritingBeyondTheEndFillsTheGapWithZeros) {
    TempDir dir;
    SlotFile file(dir / "g.dat", 4);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeInteger(3, 1), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "g.dat"), "\0\0\0\0\0\0\0\0\x01\0\0\0"s);
}

// Hostile length fields never make the reader leave the slot or the file.
TEST(SlotFile, ClampsLengthFieldsToTheSlot) {
    TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        int slot;
        std::string expected;
    };
    const std::string body(28, 'x');
    const Case cases[] = {
        {"longer than the slot", "\x00\x01"s + body + "\x02\x00yy"s, 1, body},
        {"next slot intact", "\x00\x01"s + body + "\x02\x00yy"s, 2, "yy"},
        {"longer than the file",
         "\x10\x00"
         "abc"s,
         1, "abc"},
        {"negative length",
         "\xFF\xFF"
         "abc"s,
         1, ""},
        {"only one byte", "\x05"s, 1, ""},
        {"zero length", "\x00\x00zz"s, 1, ""},
    };
    for (const Case& c : cases) {
        writeBytes(dir / "h.dat", c.bytes);
        SlotFile file(dir / "h.dat", 30);
        ASSERT_EQ(file.open(), SlotStatus::Ok);
        EXPECT_EQ(file.rawText(c.slot), c.expected) << c.what;
    }
}

TEST(SlotFile, RefusesTextsThatCannotBeStoredAndLeavesTheFileAlone) {
    TempDir dir;
    SlotFile file(dir / "p.dat", 30);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(1, "старое"), SlotStatus::Ok);
    const std::string before = readBytes(dir / "p.dat");
    EXPECT_EQ(file.writeText(1, std::string(29, 'a')), SlotStatus::TooLong);
    EXPECT_EQ(file.writeText(1, "漢字"), SlotStatus::Unencodable);
    EXPECT_EQ(file.writeText(0, "a"), SlotStatus::BadSlot);
    EXPECT_EQ(readBytes(dir / "p.dat"), before);
    EXPECT_EQ(file.writeText(1, std::string(28, 'a')), SlotStatus::Ok);
    EXPECT_EQ(file.text(1), std::string(28, 'a'));
}

TEST(SlotFile, ReportsFilesThatCannotBeOpened) {
    TempDir dir;
    SlotFile inMissingFolder(dir / "no" / "such.dat", 30);
    EXPECT_EQ(inMissingFolder.open(), SlotStatus::CannotOpen);
    EXPECT_NE(inMissingFolder.writeInteger(1, 1), SlotStatus::Ok);

    // What is not a plain file reads as unreadable at once and is never written: no wait on a
    // pipe (with nobody at its other end, or with a writer that never writes), no endless read
    // of a device.
    std::vector<std::string> names = {"folder.dat"};
    std::filesystem::create_directory(dir / "folder.dat");
#ifdef __unix__
    names.insert(names.end(), {"held-pipe.dat", "pipe.dat", "zero.dat"});
    ASSERT_EQ(::mkfifo((dir / "pipe.dat").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir / "held-pipe.dat").c_str(), 0600), 0);
    const int held = ::open((dir / "held-pipe.dat").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.dat");
#endif
    for (const std::string& name : names) {
        SlotFile file(dir / name, 30);
        EXPECT_EQ(file.open(), SlotStatus::CannotOpen) << name;
        EXPECT_EQ(file.openExisting(), SlotStatus::CannotOpen) << name;
        EXPECT_EQ(file.text(1), "") << name;
        EXPECT_EQ(file.writeInteger(1, 1), SlotStatus::CannotOpen) << name;
    }
#ifdef __unix__
    char byte = 0;
    EXPECT_EQ(::read(held, &byte, 1), -1) << "nothing was written into the pipe";
    ::close(held);
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.dat"));
#endif
}

}  // namespace
}  // namespace tro

namespace tro {
namespace {

TEST(SlotFileRewrite, PutsTheWholeNewFileInPlaceOnlyOnCommit) {
    TempDir dir;
    SlotFile file(dir / "t.dat", 4);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeInteger(1, 7), SlotStatus::Ok);
    const std::string before = readBytes(dir / "t.dat");

    file.beginRewrite();
    ASSERT_EQ(file.writeInteger(1, 8), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(3, "ab"), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "t.dat"), before) << "nothing reaches the disk before the commit";
    EXPECT_EQ(file.integer(1), 8);
    ASSERT_EQ(file.commit(), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "t.dat"), "\x08\0\0\0\0\0\0\0\x02\0ab"s);
    EXPECT_FALSE(std::filesystem::exists(dir / "t.dat.new"));

    ASSERT_EQ(file.writeInteger(2, 1), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "t.dat").substr(4, 2), "\x01\0"s) << "back to writing at once";
}

TEST(SlotFileRewrite, AFailedCommitKeepsTheOldFileWhole) {
    TempDir dir;
    SlotFile file(dir / "t.dat", 4);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(1, "ok"), SlotStatus::Ok);
    const std::string before = readBytes(dir / "t.dat");
    // Something stands where the new file would be written.
    std::filesystem::create_directory(dir / "t.dat.new");
    file.beginRewrite();
    ASSERT_EQ(file.writeText(1, "no"), SlotStatus::Ok);
    EXPECT_EQ(file.commit(), SlotStatus::CannotWrite);
    EXPECT_EQ(readBytes(dir / "t.dat"), before);
    EXPECT_EQ(file.text(1), "ok") << "the copy in memory goes back to the file";
}

}  // namespace
}  // namespace tro
