// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/scratch_lock.hpp"

#include "base/system_reason.hpp"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lumivel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kScratchPrefix = "sin-nombre-";
constexpr const char* kScratchSuffix = ".men";
constexpr const char* kLockSuffix = ".lock";

std::string stamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

bool isScratchName(const std::string& name) {
    const std::string prefix = kScratchPrefix;
    const std::string suffix = kScratchSuffix;
    return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) &&
           name.ends_with(suffix);
}

ScratchLock::~ScratchLock() {
    release();
}

ScratchLock::ScratchLock(ScratchLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), file_(std::move(other.file_)) {
    other.file_.clear();
}

ScratchLock& ScratchLock::operator=(ScratchLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        file_ = std::move(other.file_);
        other.file_.clear();
    }
    return *this;
}

Result<bool> ScratchLock::tryLock(const std::string& file, int flags) {
    const std::string lockPath = file + kLockSuffix;
    const int fd =
        ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | flags, 0600);
    if (fd < 0) {
        if (errno == EEXIST) {
            return false;
        }
        return Error{systemReason(errno), lockPath};
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return false;
        }
        return Error{systemReason(error), lockPath};
    }
    // The run that held it may have removed it just before letting go: a lock on a name
    // that no longer leads to this file marks nothing.
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) != 0 || ::lstat(lockPath.c_str(), &named) != 0 ||
        held.st_dev != named.st_dev || held.st_ino != named.st_ino || !S_ISREG(held.st_mode)) {
        ::close(fd);
        return Error{systemReason(ENOENT), lockPath};
    }
    release();
    fd_ = fd;
    file_ = file;
    return true;
}

Result<ScratchLock> ScratchLock::create(const std::string& folder) {
    const std::string base =
        (fs::path(folder) / (kScratchPrefix + stamp() + "-" + std::to_string(::getpid()))).string();
    for (int n = 1;; ++n) {
        const std::string file = base + (n == 1 ? "" : "-" + std::to_string(n)) + kScratchSuffix;
        ScratchLock taken;
        // The lock comes first, so a run looking for leftovers never sees this file unlocked.
        LUMIVEL_TRY(const bool locked, taken.tryLock(file, O_EXCL));
        if (!locked) {
            continue;
        }
        const int fd =
            ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int error = errno;
            ::unlink((file + kLockSuffix).c_str());
            if (error == EEXIST) {
                continue;
            }
            return Error{systemReason(error), file};
        }
        ::close(fd);
        return taken;
    }
}

Result<ScratchLock> ScratchLock::acquire(const std::string& file) {
    ScratchLock taken;
    const Result<bool> locked = taken.tryLock(file, 0);
    if (!locked.ok()) {
        return Error{locked.error().reason, file};
    }
    if (!locked.value()) {
        return Error{"lo usa otra sesión abierta", file};
    }
    return taken;
}

void ScratchLock::discard() {
    if (held()) {
        ::unlink(file_.c_str());
        ::unlink((file_ + kLockSuffix).c_str());
    }
    release();
}

void ScratchLock::release() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    file_.clear();
}

} // namespace lumivel
