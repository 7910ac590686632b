#include "record_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace tro::korvat {
namespace {

namespace fs = std::filesystem;
using tro::testing::readBytes;
using tro::testing::TempDir;
using tro::testing::writeBytes;

// A missing file is created empty; a record is written byte for byte; a shorter one written
// over it leaves the older bytes behind its end mark, and loading stops at the mark.
TEST(RecordFile, IsWrittenInPlaceByteForByteAndNeverShortened) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 3);
    EXPECT_FALSE(loadRecordFile(file).ticks.has_value());
    EXPECT_EQ(readBytes(file), "");
    const std::vector<PathPoint> path = {{1, 100, 20}, {3, 101, -2}, {12, 534, 358}};
    ASSERT_TRUE(saveRecordFile(file, 57, path));
    const std::string first = "   57    1  100   20    3  101   -2   12  534  3580    ";
    EXPECT_EQ(readBytes(file), first);
    ASSERT_TRUE(saveRecordFile(file, 29, std::vector<PathPoint>{{1, 123456, -123456}}));
    EXPECT_EQ(readBytes(file), "   29    199999-99990    " + first.substr(25));
    EXPECT_EQ(loadRecordFile(file).ticks, 29);
    EXPECT_EQ(loadRecordFile(file).path, (std::vector<PathPoint>{{1, 99999, -9999}}));
}

// `count` points, ten a tick from tick 0 on.
std::string points(int count) {
    std::string bytes;
    for (int k = 0; k < count; ++k)
        bytes += formatField(1 + k / 10) + formatField(100 + k % 300) + "   50";
    return bytes;
}

TEST(RecordFile, DamagedAndHostileFilesLoadSafely) {
    const std::string p1 = points(1);
    const std::vector<std::tuple<std::string, std::optional<int>, std::size_t>> cases = {
        {"", std::nullopt, 0},
        {"  4", 4, 0},
        {std::string(40, '\0'), std::nullopt, 0},
        {std::string("\0  42", 5) + points(2), std::nullopt, 2},
        {"hello, this is not a record file at all", std::nullopt, 0},
        {"  -42" + p1, std::nullopt, 1},
        {"   42" + p1 + "    2  1", 42, 2},
        {"   42" + p1 + "   -3  100  100", 42, 1},
        {"   42" + p1 + std::string("\0   2  100  100", 15), 42, 1},
        {"   42" + points(3) + "0    " + points(5), 42, 3},
        {"   42" + points(3) + "    0" + points(5), 42, 3}};
    for (const auto& [bytes, ticks, count] : cases) {
        EXPECT_EQ(parseRecord(bytes).ticks, ticks) << bytes;
        EXPECT_EQ(parseRecord(bytes).path.size(), count) << bytes;
    }
    // A file that never ends its points stops at the limit.
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 4);
    fs::create_directories(file.parent_path());
    writeBytes(file, "  100" + points(kMaxPathPoints + 500));
    EXPECT_EQ(loadRecordFile(file).path.size(), static_cast<std::size_t>(kMaxPathPoints));
}

// A failed write leaves the stored record as it was. (What is not a plain file is never read
// or waited on: the plain-file reader's own tests say so.)
TEST(RecordFile, AFailedWriteKeepsWhatIsStored) {
    TempDir dir;
    const fs::path file = recordFilePath(dir.path(), 1);
    ASSERT_TRUE(saveRecordFile(file, 77, std::vector<PathPoint>{{1, 5, 5}}));
    fs::create_directories(fs::path(file.string() + ".new"));
    EXPECT_FALSE(saveRecordFile(file, 12, std::vector<PathPoint>{{1, 6, 6}}));
    EXPECT_EQ(readBytes(file), "   77    1    5    50    ");
}

}  // namespace
}  // namespace tro::korvat
