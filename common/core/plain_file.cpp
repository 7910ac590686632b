#include "plain_file.h"

#include <algorithm>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace tro {

#ifndef _WIN32
namespace {

// Opens without waiting and keeps the descriptor only when it is a plain file; -1 otherwise,
// with errno telling why (EINVAL for something that is not a plain file).
int openPlain(const std::filesystem::path& file, int flags) {
    const int fd = ::open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

}  // namespace

FileRead readPlainFile(const std::filesystem::path& file, std::string& bytes, std::size_t limit) {
    bytes.clear();
    const int fd = openPlain(file, O_RDONLY);
    if (fd < 0) {
        return errno == ENOENT ? FileRead::Missing : FileRead::Refused;
    }
    char buffer[8192];
    bool ok = true;
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ok = false;
        }
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
        return FileRead::Refused;
    }
    return FileRead::Ok;
}

FileWrite writePlainFile(const std::filesystem::path& file, std::uint64_t offset,
                         std::string_view bytes, bool truncate) {
    const int fd = openPlain(file, O_WRONLY | O_CREAT | (truncate ? O_TRUNC : 0));
    if (fd < 0) {
        return FileWrite::CannotOpen;
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t put = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        ok = put > 0;
        done += ok ? static_cast<std::size_t>(put) : 0;
    }
    ok = ::close(fd) == 0 && ok;
    return ok ? FileWrite::Ok : FileWrite::CannotWrite;
}

#else

// Windows keeps pipes and devices out of the folders: only a folder can stand in a file's place.
FileRead readPlainFile(const std::filesystem::path& file, std::string& bytes, std::size_t limit) {
    bytes.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileRead::Missing;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        return FileRead::Refused;
    }
    std::ifstream in(file, std::ios::binary);
    char buffer[8192];
    while (in && bytes.size() < limit) {
        in.read(buffer,
                static_cast<std::streamsize>(std::min(sizeof buffer, limit - bytes.size())));
        bytes.append(buffer, static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    }
    if (in.bad() || (!in.eof() && bytes.size() < limit)) {
        bytes.clear();
        return FileRead::Refused;
    }
    return FileRead::Ok;
}

FileWrite writePlainFile(const std::filesystem::path& file, std::uint64_t offset,
                         std::string_view bytes, bool truncate) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    const bool missing = status.type() == std::filesystem::file_type::not_found;
    if (!missing && status.type() != std::filesystem::file_type::regular) {
        return FileWrite::CannotOpen;
    }
    std::fstream out(file, truncate || missing
                               ? (std::ios::out | std::ios::binary | std::ios::trunc)
                               : (std::ios::in | std::ios::out | std::ios::binary));
    if (!out) {
        return FileWrite::CannotOpen;
    }
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? FileWrite::Ok : FileWrite::CannotWrite;
}

#endif

bool replacePlainFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path scratch = file;
    scratch += ".new";
    std::error_code ec;
    if (writePlainFile(scratch, 0, bytes, true) == FileWrite::Ok) {
        std::filesystem::rename(scratch, file, ec);
        if (!ec) {
            return true;
        }
    }
    std::filesystem::remove(scratch, ec);
    return false;
}

}  // namespace tro
