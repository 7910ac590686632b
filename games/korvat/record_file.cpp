#include "record_file.h"

#include <algorithm>
#include <system_error>

#include "plain_file.h"
#include "text.h"

namespace tro::korvat {

namespace fs = std::filesystem;

namespace {

// Time of the first point of a run is 1, of the last at most the longest run plus 1.
constexpr int kMaxPointTime = kMaxRunTicks + 1;
constexpr long long kLargestField = 99999;
constexpr long long kSmallestField = -9999;
// A record's bytes: the time, the points, and the end mark behind the last one.
constexpr std::size_t kMostRecordBytes =
    kFieldWidth + static_cast<std::size_t>(kMaxPathPoints) * kPointBytes + kFieldWidth;

std::string_view fieldAt(std::string_view bytes, std::size_t offset) {
    if (offset >= bytes.size()) {
        return {};
    }
    return bytes.substr(offset, kFieldWidth);
}

std::int32_t clampCoordinate(long long v) {
    return static_cast<std::int32_t>(std::clamp(v, kSmallestField, kLargestField));
}

}  // namespace

fs::path recordFilePath(const fs::path& dir, int maze) {
    return dir / "DATA" / "korvat" / ("record" + std::to_string(maze) + ".dat");
}

std::string formatField(long long value) {
    std::string digits = std::to_string(std::clamp(value, kSmallestField, kLargestField));
    return std::string(kFieldWidth - digits.size(), ' ') + digits;
}

long long readField(std::string_view field) {
    // Only blanks may come before the number: a zero byte or a letter makes it 0.
    return tro::leadingValue(field);
}

StoredRecord parseRecord(std::string_view bytes) {
    StoredRecord record;
    const long long ticks = readField(fieldAt(bytes, 0));
    if (ticks > 0 && ticks <= kMaxRunTicks) {
        record.ticks = static_cast<int>(ticks);
    }
    for (int k = 0; k < kMaxPathPoints; ++k) {
        const std::size_t at = kFieldWidth + static_cast<std::size_t>(k) * kPointBytes;
        const long long t = readField(fieldAt(bytes, at));
        if (t <= 0 || t > kMaxPointTime) {
            break;
        }
        record.path.push_back({static_cast<std::int32_t>(t),
                               clampCoordinate(readField(fieldAt(bytes, at + kFieldWidth))),
                               clampCoordinate(readField(fieldAt(bytes, at + 2 * kFieldWidth)))});
    }
    return record;
}

StoredRecord loadRecordFile(const fs::path& file) {
    // Only a plain file is read: a folder, a pipe or a device in its place holds no record
    // (and a pipe is never waited on).
    std::string bytes;
    switch (tro::readPlainFile(file, bytes, kMostRecordBytes)) {
        case tro::FileRead::Ok:
            return parseRecord(bytes);
        case tro::FileRead::Missing: {
            std::error_code ec;
            fs::create_directories(file.parent_path(), ec);
            (void)tro::writePlainFile(file, 0, {}, false);
            break;
        }
        case tro::FileRead::Refused:
            break;
    }
    return {};
}

std::string recordBytes(std::string_view old, int ticks, std::span<const PathPoint> path) {
    std::string bytes = formatField(ticks);
    bytes.reserve(kFieldWidth + path.size() * kPointBytes + kFieldWidth);
    for (const PathPoint& p : path) {
        bytes += formatField(p.t);
        bytes += formatField(p.x);
        bytes += formatField(p.y);
    }
    bytes += kEndMark;
    if (old.size() > bytes.size()) {
        bytes += old.substr(bytes.size());
    }
    return bytes;
}

bool saveRecordFile(const fs::path& file, int ticks, std::span<const PathPoint> path) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    // What stands in place of a plain file keeps nothing that the new record could keep.
    std::string old;
    if (tro::readPlainFile(file, old) != tro::FileRead::Ok) {
        old.clear();
    }
    return tro::replacePlainFile(file, recordBytes(old, ticks, path));
}

}  // namespace tro::korvat
