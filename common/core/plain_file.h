#pragma once
// Reading and writing the files of the play directory. Only a plain file is read or written:
// a pipe, a device or a folder standing in a file's place is refused, and never waited on. The
// check is made on the opened file itself, and opening never waits (a pipe without a writer
// would keep a plain open waiting forever), so nothing that swaps a pipe in between can make
// a program hang.

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace tro {

enum class FileRead {
    Ok,
    Missing,  // no file of that name
    Refused,  // not a plain file, or it could not be opened or read
};

// Reads the file from its first byte, at most `limit` bytes.
[[nodiscard]] FileRead readPlainFile(const std::filesystem::path& file, std::string& bytes,
                                     std::size_t limit = std::numeric_limits<std::size_t>::max());

enum class FileWrite {
    Ok,
    CannotOpen,   // not a plain file, or it could not be created or opened
    CannotWrite,  // writing failed (disk full, ...)
};

// Writes `bytes` into the file from byte `offset` on, creating the file when it is missing;
// with `truncate` the file is emptied first. Something that is not a plain file is left as it
// is.
[[nodiscard]] FileWrite writePlainFile(const std::filesystem::path& file, std::uint64_t offset,
                                       std::string_view bytes, bool truncate);

// Puts `bytes` in place of the file whole or not at all: they are written beside it as
// "<file>.new", which is then renamed over it. False leaves the old file as it was and no
// scratch file behind.
[[nodiscard]] bool replacePlainFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tro
