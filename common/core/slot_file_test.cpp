#include "slot_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef __unix__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "plain_file.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

using namespace std::string_literals;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// Texts as a length word and Windows-1251 bytes, integers as little-endian words; a write
// beyond the end fills the gap with zeros, a shorter text keeps the rest of its slot.
TEST(SlotFile, WritesTextsAndIntegersByteForByte) {
    TempDir dir;
    SlotFile file(dir / "t.dat", 6);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(
        std::vector({file.writeInteger(4, 1), file.writeText(1, "ab"), file.writeInteger(3, -2),
                     file.writeInteger(2, 0x1234), file.writeText(1, "Ё")}),
        std::vector(5, SlotStatus::Ok));
    EXPECT_EQ(readBytes(dir / "t.dat"),
              "\x01\x00\xA8"
              "b\x00\x00\x34\x12\x00\x00\x00\x00"
              "\xFE\xFF\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00"s);
    EXPECT_EQ(file.text(1) + std::to_string(file.integer(3)), "Ё-2");
    // Slots beyond the end, or before the first, read empty.
    EXPECT_EQ(file.text(9) + file.text(0) + std::to_string(file.integer(9) + file.integer(-5)),
              "0");
}

// Hostile length fields never make the reader leave the slot or the file.
TEST(SlotFile, ClampsLengthFieldsToTheSlot) {
    const std::string body(28, 'x');
    const std::tuple<std::string, int, std::string> cases[] = {
        {"\x00\x01"s + body + "\x02\x00yy"s, 1, body},  // longer than the slot
        {"\x00\x01"s + body + "\x02\x00yy"s, 2, "yy"},  // and the next slot intact
        {"\x10\0xyz"s, 1, "xyz"},                       // longer than the file
        {"\xFF\xFFxyz"s, 1, ""},                        // negative
        {"\x05"s, 1, ""},
        {"\x00\x00zz"s, 1, ""},
    };
    for (const auto& [bytes, slot, expected] : cases) {
        SlotFile file("unused", 30);
        file.load(bytes);
        EXPECT_EQ(file.rawText(slot), expected) << ::testing::PrintToString(bytes);
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

// What is not a plain file reads as unreadable at once and is never written: no wait on a
// pipe (with nobody at its other end, or with a writer that never writes), no endless read
// of a device. A plain file is read only as far as asked.
TEST(SlotFile, ReportsFilesThatCannotBeOpened) {
    TempDir dir;
    SlotFile inMissingFolder(dir / "no" / "such.dat", 30);
    EXPECT_EQ(inMissingFolder.open(), SlotStatus::CannotOpen);
    EXPECT_NE(inMissingFolder.writeInteger(1, 1), SlotStatus::Ok);
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
    writeBytes(dir / "plain.dat", std::string(10000, 'x'));
    std::string bytes;
    ASSERT_EQ(readPlainFile(dir / "plain.dat", bytes, 9000), FileRead::Ok);
    EXPECT_EQ(bytes.size(), 9000u);
}

// After beginRewrite() nothing reaches the disk before commit(), which puts the whole new
// file in place; a failed commit keeps the old file whole and the copy in memory goes back.
TEST(SlotFile, ARewriteIsPutInPlaceWholeOrNotAtAll) {
    TempDir dir;
    SlotFile file(dir / "t.dat", 4);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeInteger(1, 7), SlotStatus::Ok);
    const std::string before = readBytes(dir / "t.dat");
    file.beginRewrite();
    ASSERT_EQ(file.writeInteger(1, 8), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(3, "ab"), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "t.dat"), before);
    EXPECT_EQ(file.integer(1), 8);
    ASSERT_EQ(file.commit(), SlotStatus::Ok);
    EXPECT_EQ(readBytes(dir / "t.dat"), "\x08\0\0\0\0\0\0\0\x02\0ab"s);
    EXPECT_FALSE(std::filesystem::exists(dir / "t.dat.new"));
    ASSERT_EQ(file.writeInteger(2, 1), SlotStatus::Ok);  // back to writing at once
    EXPECT_EQ(readBytes(dir / "t.dat").substr(4, 2), "\x01\0"s);

    const std::string committed = readBytes(dir / "t.dat");
    std::filesystem::create_directory(dir / "t.dat.new");
    file.beginRewrite();
    ASSERT_EQ(file.writeText(3, "no"), SlotStatus::Ok);
    EXPECT_EQ(file.commit(), SlotStatus::CannotWrite);
    EXPECT_EQ(readBytes(dir / "t.dat"), committed);
    EXPECT_EQ(file.text(3), "ab");
}

}  // namespace
}  // namespace tro
