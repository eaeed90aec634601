// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/message_file.hpp"

#include "base/system_reason.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lumivel {
namespace {

constexpr long kRecordLength = static_cast<long>(tipomensaje::kRecordLength);

constexpr const char* kNoRegular = kNotARegularFile;

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

constexpr std::size_t kSuffixDigits = 16;

// 16 hexadecimal digits: the shape by which a leftover of ours is told from other files.
std::string randomSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    char texto[kSuffixDigits + 1];
    std::snprintf(texto, sizeof texto, "%016llx", static_cast<unsigned long long>(generator()));
    return texto;
}

bool isTemporaryOf(const std::string& name, const std::string& prefix) {
    constexpr std::string_view kEnd = ".tmp";
    if (name.size() != prefix.size() + kSuffixDigits + kEnd.size() || !name.starts_with(prefix) ||
        !name.ends_with(kEnd)) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                       name.end() - static_cast<std::ptrdiff_t>(kEnd.size()),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string temporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".";
}

} // namespace

MessageFile::~MessageFile() {
    close();
}

MessageFile::MessageFile(MessageFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)),
      access_(std::exchange(other.access_, Access::ReadWrite)),
      lockDepth_(std::exchange(other.lockDepth_, 0)) {
    other.path_.clear();
}

MessageFile& MessageFile::operator=(MessageFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        other.path_.clear();
        access_ = std::exchange(other.access_, Access::ReadWrite);
        lockDepth_ = std::exchange(other.lockDepth_, 0);
    }
    return *this;
}

void MessageFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    path_.clear();
    access_ = Access::ReadWrite;
    lockDepth_ = 0;
}

Error MessageFile::failure(const std::string& reason) const {
    return Error{reason, path_};
}

Error MessageFile::systemFailure(int error) const {
    return failure(error != 0 ? systemReason(error) : std::string("error de entrada/salida"));
}

Result<void> MessageFile::writeAllAt(int fd, std::span<const std::uint8_t> bytes,
                                     long offset) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                     offset + static_cast<long>(done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return systemFailure(put < 0 ? errno : EIO);
        }
        done += static_cast<std::size_t>(put);
    }
    return {};
}

Result<std::size_t> MessageFile::readAllAt(std::span<std::uint8_t> bytes, long offset) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd_, bytes.data() + done, bytes.size() - done,
                                    offset + static_cast<long>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return systemFailure(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

Result<void> MessageFile::open(const std::string& path, Access access) {
    close();
    if (path.empty()) {
        return Error{"no se ha indicado ningún archivo", path};
    }
    // Non-blocking, so a FIFO without a writer cannot hang the open; the type is checked
    // on the descriptor itself, so the file cannot be swapped between check and use.
    const int flags =
        (access == Access::ReadOnly ? O_RDONLY : O_RDWR | O_CREAT) | O_NONBLOCK | O_CLOEXEC;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return Error{errno == EISDIR ? kNoRegular : systemReason(errno), path};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Error{kNoRegular, path};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    path_ = path;
    access_ = access;
    return {};
}

long MessageFile::length() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        return 0;
    }
    return static_cast<long>(info.st_size);
}

int MessageFile::count() const {
    return static_cast<int>(length() / kRecordLength);
}

long MessageFile::trailingBytes() const {
    return length() % kRecordLength;
}

bool MessageFile::isFileAtPath() const {
    struct stat open {};
    struct stat atPath {};
    return fd_ >= 0 && ::fstat(fd_, &open) == 0 && ::stat(path_.c_str(), &atPath) == 0 &&
           sameFile(open, atPath);
}

Result<void> MessageFile::lock() {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    if (lockDepth_ > 0) {
        ++lockDepth_;
        return {};
    }
    for (;;) {
        int status = 0;
        do {
            status = ::flock(fd_, LOCK_EX);
        } while (status != 0 && errno == EINTR);
        if (status != 0) {
            return systemFailure(errno);
        }
        if (isFileAtPath()) {
            lockDepth_ = 1;
            if (access_ == Access::ReadWrite) {
                removeStaleTemporaries();
            }
            return {};
        }
        // Replaced while we waited: the lock on the old file protects nothing.
        MessageFile current;
        LUMIVEL_TRY_VOID(current.open(path_, access_));
        *this = std::move(current);
    }
}

void MessageFile::unlock() {
    if (lockDepth_ == 0 || --lockDepth_ > 0) {
        return;
    }
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
    }
}

void MessageFile::removeStaleTemporaries() const {
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::canonical(path_, ec);
    if (ec) {
        return;
    }
    const std::string prefix = temporaryPrefix(target);
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), ec)) {
        if (isTemporaryOf(entry.path().filename().string(), prefix) && entry.is_regular_file(ec)) {
            std::filesystem::remove(entry.path(), ec);
        }
    }
}

Result<bool> MessageFile::reopenIfReplaced() {
    if (fd_ < 0 || isFileAtPath()) {
        return false;
    }
    MessageFile current;
    LUMIVEL_TRY_VOID(current.open(path_, access_));
    *this = std::move(current);
    return true;
}

Result<void> MessageFile::replaceAll(const std::vector<tipomensaje>& records) {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    std::vector<std::uint8_t> content;
    content.reserve((records.size() + 1) * tipomensaje::kRecordLength);
    for (const tipomensaje& record : records) {
        const RecordBytes bytes = encodeRecord(record);
        content.insert(content.end(), bytes.begin(), bytes.end());
    }
    // A partial last record stays as it was: the file never loses bytes it held.
    const long total = length();
    const long tail = total % kRecordLength;
    if (tail > 0) {
        std::vector<std::uint8_t> rest(static_cast<std::size_t>(tail));
        LUMIVEL_TRY(const std::size_t got, readAllAt(rest, total - tail));
        if (got != rest.size()) {
            return systemFailure(0);
        }
        content.insert(content.end(), rest.begin(), rest.end());
    }
    return replaceContent(content);
}

Result<void> MessageFile::replaceContent(std::span<const std::uint8_t> content) {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    if (access_ == Access::ReadOnly) {
        return failure("el archivo está abierto solo para lectura");
    }
    // The temporary file is made under the lock, so whoever holds it next knows that any
    // such file left over belongs to no live run.
    FileLock held(*this);
    LUMIVEL_TRY_VOID(held.taken());
    // The rename must stay within one file system and replace the link's target, not the link.
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::canonical(path_, ec);
    if (ec) {
        return failure(systemReason(ec.value()));
    }
    const std::filesystem::path folder = target.parent_path();
    struct stat original {};
    if (::fstat(fd_, &original) != 0) {
        return systemFailure(errno);
    }
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = folder / (temporaryPrefix(target) + randomSuffix() + ".tmp");
        fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return systemFailure(errno);
    }
    // Locked before it takes the path, so no other writer gets in between the rename and
    // the callers' lock: the new file is the open one from here on, as deeply locked.
    Result<void> written;
    if (::flock(fd, LOCK_EX) != 0 || ::fchmod(fd, original.st_mode & 07777) != 0) {
        written = systemFailure(errno);
    } else {
        written = writeAllAt(fd, content, 0);
    }
    if (written.ok() && ::fsync(fd) != 0) {
        written = systemFailure(errno);
    }
    if (written.ok() && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = systemFailure(errno);
    }
    if (!written.ok()) {
        ::unlink(temporary.c_str());
        ::close(fd);
        return written;
    }
    // The rename itself is durable only once the folder is synced.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    ::close(fd_);
    fd_ = fd;
    return {};
}

Result<std::vector<std::uint8_t>> MessageFile::readAll() const {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length()));
    LUMIVEL_TRY(const std::size_t got, readAllAt(bytes, 0));
    // Another writer may have shortened the file since its size was taken.
    bytes.resize(got);
    return bytes;
}

Result<std::span<std::uint8_t>> MessageFile::readInPlace() const {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    const auto size = static_cast<std::size_t>(length());
    const std::span<std::uint8_t> room = buffer_.room(size);
    if (room.size() < size) {
        return systemFailure(ENOMEM);
    }
    LUMIVEL_TRY(const std::size_t got, readAllAt(room.first(size), 0));
    return room.first(got);
}

Result<void> MessageFile::forEachRecord(
    const std::function<void(std::size_t, const std::uint8_t*)>& visit) const {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    constexpr std::size_t kBlockRecords = 256;
    std::vector<std::uint8_t> block(kBlockRecords * tipomensaje::kRecordLength);
    std::size_t position = 0;
    for (;;) {
        LUMIVEL_TRY(const std::size_t got,
                    readAllAt(block, static_cast<long>(position) * kRecordLength));
        const std::size_t whole = got / tipomensaje::kRecordLength;
        for (std::size_t k = 0; k < whole; ++k) {
            visit(++position, block.data() + k * tipomensaje::kRecordLength);
        }
        if (whole < kBlockRecords) {
            return {};
        }
    }
}

Result<std::vector<tipomensaje>> MessageFile::readRecords() const {
    LUMIVEL_TRY(const std::span<const std::uint8_t> all, readInPlace());
    std::vector<tipomensaje> records;
    records.reserve(all.size() / tipomensaje::kRecordLength);
    for (std::size_t at = 0; at + tipomensaje::kRecordLength <= all.size();
         at += tipomensaje::kRecordLength) {
        records.push_back(decodeRecordAt(all.data() + at));
    }
    return records;
}

Result<void> MessageFile::read(int n, tipomensaje& mensaje) const {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    const Error missing = failure("el registro " + std::to_string(n) + " no existe");
    if (n < 1) {
        return missing;
    }
    RecordBytes bytes{};
    LUMIVEL_TRY(const std::size_t got, readAllAt(bytes, (n - 1) * kRecordLength));
    // A partial last record is not a record.
    if (got != bytes.size()) {
        return missing;
    }
    mensaje = decodeRecord(bytes);
    return {};
}

Result<void> MessageFile::write(int n, const tipomensaje& mensaje) {
    if (fd_ < 0) {
        return Error{"no hay ningún archivo de mensajes abierto"};
    }
    if (access_ == Access::ReadOnly) {
        return failure("el archivo está abierto solo para lectura");
    }
    const long total = length();
    const int records = static_cast<int>(total / kRecordLength);
    if (n < 1 || n > records + 1) {
        return failure("el registro " + std::to_string(n) + " no existe");
    }
    if (n > kMaxRecords) {
        return failure("el archivo ya tiene " + std::to_string(kMaxRecords) +
                       " mensajes, el máximo posible");
    }
    const long offset = (n - 1) * kRecordLength;
    const RecordBytes bytes = encodeRecord(mensaje);

    if (n <= records) {
        // Keep the old record so a failed overwrite can put it back.
        RecordBytes old{};
        LUMIVEL_TRY(const std::size_t got, readAllAt(old, offset));
        if (got != old.size()) {
            return systemFailure(EIO);
        }
        Result<void> written = writeAllAt(fd_, bytes, offset);
        if (!written.ok()) {
            (void)writeAllAt(fd_, old, offset);
        }
        return written;
    }

    // The append goes over a partial last record; keep it to put back.
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(total - offset));
    LUMIVEL_TRY(const std::size_t got, readAllAt(tail, offset));
    if (got != tail.size()) {
        return systemFailure(EIO);
    }
    Result<void> written = writeAllAt(fd_, bytes, offset);
    if (!written.ok()) {
        // Drop whatever part of the new record reached the disk; the old bytes stay.
        while (::ftruncate(fd_, total) != 0 && errno == EINTR) {
        }
        (void)writeAllAt(fd_, tail, offset);
    }
    return written;
}

} // namespace lumivel
