// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/whole_file.hpp"

#include "base/system_reason.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace lumivel {
namespace {

constexpr const char* kNotRegular = "no es un archivo normal (es una carpeta, una tubería o un "
                                    "dispositivo)";

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            if (put == 0) {
                errno = EIO;
            }
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

std::string randomSuffix() {
    static std::mt19937 generator{std::random_device{}()};
    return std::to_string(generator());
}

std::string mebibytes(std::size_t bytes) {
    return std::to_string(bytes / (std::size_t{1024} * 1024)) + " MiB";
}

} // namespace

Result<std::vector<std::uint8_t>> readRegularFile(const std::string& path, std::size_t limit) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return Error{errno == EISDIR ? kNotRegular : systemReason(errno), path};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Error{kNotRegular, path};
    }
    const Error tooBig{"es demasiado grande (más de " + mebibytes(limit) + ")", path};
    if (static_cast<std::uintmax_t>(info.st_size) > limit) {
        ::close(fd);
        return tooBig;
    }
    // The size may grow while it is read: the bound holds on the bytes, not on fstat.
    std::vector<std::uint8_t> bytes(limit + 1);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return Error{systemReason(error), path};
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (done > limit) {
        return tooBig;
    }
    bytes.resize(done);
    return bytes;
}

Result<void> replaceWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                              const std::string& what) {
    const auto failure = [&](int error) {
        return Error{"no se pudo guardar " + what + ": " + systemReason(error), path};
    };
    std::error_code ec;
    std::filesystem::path target = path;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) {
            return Error{"no se pudo guardar " + what + ": " + kNotRegular, path};
        }
        // The rename replaces the link's target, not the link, and stays on its file system.
        target = std::filesystem::canonical(path, ec);
        if (ec) {
            return failure(ec.value());
        }
    } else if (errno != ENOENT) {
        return failure(errno);
    } else if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) {
        // A dangling link: renaming over it would silently turn it into a file.
        return failure(ENOENT);
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = folder / ("." + target.filename().string() + "." + randomSuffix() + ".tmp");
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return failure(errno);
    }
    bool written = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) &&
                   writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        if (written) {
            error = errno;
        }
        ::unlink(temporary.c_str());
        return failure(error);
    }
    // The rename itself is durable only once the folder is synced.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

} // namespace lumivel
