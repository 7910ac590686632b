#pragma once
// The record file of a maze, "DATA/korvat/record<n>.dat": fixed-width text fields at byte
// positions. Bytes 0..4 hold the record time in ticks; then every point of the record path
// takes 15 bytes (t, x, y, five bytes each, right-aligned with blanks), and the end mark
// "0    " follows the last point. The file is never shortened: bytes behind the end mark may
// be left from an older, longer path and are never read.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tro::korvat {

// A point of a path: the pointer position in box pixels and t = the run's ticks at the move
// plus 1, so a real point never has t = 0.
struct PathPoint {
    std::int32_t t = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const PathPoint&, const PathPoint&) = default;
};

// The most points a path holds.
inline constexpr int kMaxPathPoints = 100000;
// The longest run in ticks: the clock of a run stops there (a 16-bit count).
inline constexpr int kMaxRunTicks = 32767;

inline constexpr int kFieldWidth = 5;
inline constexpr int kPointBytes = 3 * kFieldWidth;
inline constexpr std::string_view kEndMark = "0    ";

struct StoredRecord {
    std::optional<int> ticks;  // empty when the maze has no record
    std::vector<PathPoint> path;
};

// "DATA/korvat/record<n>.dat" below the play directory.
[[nodiscard]] std::filesystem::path recordFilePath(const std::filesystem::path& dir, int maze);

// A five-byte field: the number right-aligned with blanks. A number that five bytes cannot
// hold is clamped to the nearest one they can.
[[nodiscard]] std::string formatField(long long value);
// A field's value: its leading decimal number, 0 when it does not begin with one.
[[nodiscard]] long long readField(std::string_view field);

// Reads a record file's bytes. Never fails: a record time that no run can have (0, negative,
// above kMaxRunTicks, garbage) means no record; the path ends at the end mark, at the end of
// the bytes, at a point whose time no run can have, or after kMaxPathPoints points.
[[nodiscard]] StoredRecord parseRecord(std::string_view bytes);

// Reads the record file of a maze, creating it (and its folders) empty when it is missing.
// Reads at most the bytes of kMaxPathPoints points, however long the file is.
[[nodiscard]] StoredRecord loadRecordFile(const std::filesystem::path& file);

// The file's bytes after writing a record over `old`: the time, the points, the end mark,
// then whatever `old` holds behind them.
[[nodiscard]] std::string recordBytes(std::string_view old, int ticks,
                                      std::span<const PathPoint> path);

// Writes a record over the file in place of the old one. The new bytes go to a scratch file
// that then replaces the old file, so a failed write leaves the stored record as it was.
// False when it could not be written.
bool saveRecordFile(const std::filesystem::path& file, int ticks, std::span<const PathPoint> path);

}  // namespace tro::korvat
