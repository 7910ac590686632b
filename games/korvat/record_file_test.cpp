#include "record_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/temp_dir.h"

#ifdef __unix__
#include <sys/stat.h>
#endif

namespace korvat {
namespace {

namespace fs = std::filesystem;
using tro::testing::readBytes;
using tro::testing::TempDir;
using tro::testing::writeBytes;

TEST(RecordFields, NumbersStandRightAlignedInFiveBytes) {
    const std::vector<std::pair<long long, std::string>> cases = {
        {0, "    0"},     {7, "    7"},      {123, "  123"},   {32768, "32768"},   {-5, "   -5"},
        {99999, "99999"}, {123456, "99999"}, {-9999, "-9999"}, {-123456, "-9999"},
    };
    for (const auto& [value, field] : cases) {
        EXPECT_EQ(formatField(value), field) << value;
    }
}

TEST(RecordFields, AFieldReadsAsItsLeadingNumber) {
    const std::vector<std::pair<std::string, long long>> cases = {
        {"  123", 123},
        {"123  ", 123},
        {"0    ", 0},
        {"   -7", -7},
        {"12 34", 12},
        {"", 0},
        {"     ", 0},
        {"abc12", 0},
        {std::string("\0 123", 5), 0},
        {std::string(" \0 12", 5), 0},
        {"\xff\xfe", 0},
    };
    for (const auto& [field, value] : cases) {
        EXPECT_EQ(readField(field), value) << "\"" << field << "\"";
    }
}

TEST(RecordFile, IsWrittenByteForByte) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 3);
    EXPECT_EQ(file, dir.path() / "DATA" / "korvat" / "record3.dat");
    const std::vector<PathPoint> path = {{1, 100, 20}, {3, 101, -2}, {12, 534, 358}};
    ASSERT_TRUE(saveRecordFile(file, 57, path));
    EXPECT_EQ(readBytes(file),
              "   57"
              "    1  100   20"
              "    3  101   -2"
              "   12  534  358"
              "0    ");
    const StoredRecord back = loadRecordFile(file);
    EXPECT_EQ(back.ticks, 57);
    EXPECT_EQ(back.path, path);
}

TEST(RecordFile, AShorterRecordLeavesTheOlderBytesBehindTheEndMark) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 1);
    const std::vector<PathPoint> longPath = {{1, 10, 10}, {2, 11, 10}, {3, 12, 10}};
    ASSERT_TRUE(saveRecordFile(file, 30, longPath));
    ASSERT_TRUE(saveRecordFile(file, 29, std::vector<PathPoint>{{1, 50, 60}}));
    EXPECT_EQ(readBytes(file),
              "   29"
              "    1   50   60"
              "0    "
              "   11   10"  // the rest of the older second point
              "    3   12   10"
              "0    ");
    const StoredRecord back = loadRecordFile(file);
    EXPECT_EQ(back.ticks, 29);
    EXPECT_EQ(back.path, (std::vector<PathPoint>{{1, 50, 60}}));
}

TEST(RecordFile, ARecordWithoutPathIsJustTheTimeAndTheEndMark) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 2);
    ASSERT_TRUE(saveRecordFile(file, 4, {}));
    EXPECT_EQ(readBytes(file), "    40    ");
}

TEST(RecordFile, AMissingFileIsCreatedEmptyAndHoldsNoRecord) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 5);
    const StoredRecord record = loadRecordFile(file);
    EXPECT_FALSE(record.ticks.has_value());
    EXPECT_TRUE(record.path.empty());
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
}

std::string points(int count, int firstT = 1) {
    std::string bytes;
    for (int k = 0; k < count; ++k) {
        bytes += formatField(firstT + k / 10) + formatField(100 + k % 300) + formatField(50);
    }
    return bytes;
}

TEST(RecordFile, DamagedAndHostileFilesLoadSafely) {
    struct Case {
        std::string name;
        std::string bytes;
        std::optional<int> ticks;
        std::size_t points;
    };
    const std::vector<Case> cases = {
        {"empty", "", std::nullopt, 0},
        {"time only", "   42", 42, 0},
        {"time cut short", "  4", 4, 0},
        {"zero bytes", std::string(40, '\0'), std::nullopt, 0},
        {"a zero byte before the time", std::string("\0  42", 5) + points(2), std::nullopt, 2},
        {"garbage", "hello, this is not a record file at all", std::nullopt, 0},
        {"negative time", "  -42" + points(1), std::nullopt, 1},
        {"time beyond any run", "99999" + points(1), std::nullopt, 1},
        {"a point cut off after its time", "   42" + points(1) + "    2", 42, 2},
        {"a point cut off inside its x", "   42" + points(1) + "    2  1", 42, 2},
        {"negative point time ends the path", "   42" + points(1) + "   -3  100  100", 42, 1},
        {"huge point time ends the path", "   42" + points(1) + "99999  100  100", 42, 1},
        {"garbage point time ends the path", "   42" + points(2) + "xxxxx  100  100", 42, 2},
        {"end mark", "   42" + points(3) + "0    " + points(5), 42, 3},
        {"end mark written right-aligned", "   42" + points(3) + "    0" + points(5), 42, 3},
    };
    for (const Case& c : cases) {
        const StoredRecord record = parseRecord(c.bytes);
        EXPECT_EQ(record.ticks, c.ticks) << c.name;
        EXPECT_EQ(record.path.size(), c.points) << c.name;
    }
}

TEST(RecordFile, AFileThatNeverEndsItsPointsStopsAtTheLimit) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 4);
    fs::create_directories(file.parent_path());
    writeBytes(file, "  100" + points(kMaxPathPoints + 500));
    const StoredRecord record = loadRecordFile(file);
    EXPECT_EQ(record.ticks, 100);
    EXPECT_EQ(record.path.size(), static_cast<std::size_t>(kMaxPathPoints));
}

TEST(RecordFile, SomethingElseInThePlaceOfTheFileHoldsNoRecord) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 2);
    fs::create_directories(file);
    EXPECT_FALSE(loadRecordFile(file).ticks.has_value());
    EXPECT_FALSE(saveRecordFile(file, 5, {}));
    EXPECT_TRUE(fs::is_directory(file));
#ifdef __unix__
    // A pipe is neither read (it would wait for a writer) nor written through.
    const fs::path pipe = recordFilePath(dir.path(), 3);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(loadRecordFile(pipe).ticks.has_value());
    EXPECT_TRUE(saveRecordFile(pipe, 5, {}));
    EXPECT_TRUE(fs::is_regular_file(pipe));
    EXPECT_EQ(loadRecordFile(pipe).ticks, 5);
#endif
}

TEST(RecordFile, AFailedWriteKeepsTheStoredRecord) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 1);
    ASSERT_TRUE(saveRecordFile(file, 77, std::vector<PathPoint>{{1, 5, 5}}));
    const std::string before = readBytes(file);
    // The scratch file cannot be made: a folder stands in its place.
    fs::create_directories(fs::path(file.string() + ".new"));
    EXPECT_FALSE(saveRecordFile(file, 12, std::vector<PathPoint>{{1, 6, 6}}));
    EXPECT_EQ(readBytes(file), before);
}

TEST(RecordFile, AFolderWhereTheDataFolderShouldBeFailsTheWrite) {
    TempDir dir;
    writeBytes(dir / "DATA", "a file, not a folder");
    EXPECT_FALSE(saveRecordFile(recordFilePath(dir.path(), 1), 12, {}));
    const StoredRecord record = loadRecordFile(recordFilePath(dir.path(), 1));
    EXPECT_FALSE(record.ticks.has_value());
}

}  // namespace
}  // namespace korvat
