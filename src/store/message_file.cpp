#include "store/message_file.hpp"

#include "base/system_reason.hpp"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
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

// Writes all of `bytes` to `fd`, resuming after short writes and signals.
bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
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

} // namespace

MessageFile::~MessageFile() {
    close();
}

MessageFile::MessageFile(MessageFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), path_(std::move(other.path_)),
      access_(std::exchange(other.access_, Access::ReadWrite)),
      lockDepth_(std::exchange(other.lockDepth_, 0)) {
    other.path_.clear();
}

MessageFile& MessageFile::operator=(MessageFile&& other) noexcept {
    if (this != &other) {
        close();
        file_ = std::exchange(other.file_, nullptr);
        path_ = std::move(other.path_);
        other.path_.clear();
        access_ = std::exchange(other.access_, Access::ReadWrite);
        lockDepth_ = std::exchange(other.lockDepth_, 0);
    }
    return *this;
}

void MessageFile::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
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

Result<void> MessageFile::open(const std::string& path, Access access) {
    close();
    if (path.empty()) {
        return Error{"no se ha indicado ningun archivo", path};
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
    std::FILE* file = ::fdopen(fd, access == Access::ReadOnly ? "rb" : "r+b");
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        return Error{error != 0 ? systemReason(error) : "no se puede abrir", path};
    }
    // Unbuffered: every record reaches the system at once, and a failed write is seen
    // by the call that made it rather than by a later flush.
    std::setvbuf(file, nullptr, _IONBF, 0);
    file_ = file;
    path_ = path;
    access_ = access;
    return {};
}

long MessageFile::length() const {
    if (file_ == nullptr || std::fseek(file_, 0, SEEK_END) != 0) {
        return 0;
    }
    const long length = std::ftell(file_);
    return length < 0 ? 0 : length;
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
    return file_ != nullptr && ::fstat(::fileno(file_), &open) == 0 &&
           ::stat(path_.c_str(), &atPath) == 0 && sameFile(open, atPath);
}

Result<void> MessageFile::lock() {
    if (file_ == nullptr) {
        return Error{"no hay ningun archivo de mensajes abierto"};
    }
    if (lockDepth_ > 0) {
        ++lockDepth_;
        return {};
    }
    for (;;) {
        int status = 0;
        do {
            status = ::flock(::fileno(file_), LOCK_EX);
        } while (status != 0 && errno == EINTR);
        if (status != 0) {
            return systemFailure(errno);
        }
        if (isFileAtPath()) {
            lockDepth_ = 1;
            return {};
        }
        // Replaced while we waited: the lock on the old file protects nothing.
        MessageFile current;
        if (Result<void> opened = current.open(path_, access_); !opened.ok()) {
            return opened;
        }
        *this = std::move(current);
    }
}

void MessageFile::unlock() {
    if (lockDepth_ == 0 || --lockDepth_ > 0) {
        return;
    }
    if (file_ != nullptr) {
        ::flock(::fileno(file_), LOCK_UN);
    }
}

Result<bool> MessageFile::reopenIfReplaced() {
    if (file_ == nullptr || isFileAtPath()) {
        return false;
    }
    MessageFile current;
    if (Result<void> opened = current.open(path_, access_); !opened.ok()) {
        return opened.error();
    }
    *this = std::move(current);
    return true;
}

Result<void> MessageFile::replaceAll(const std::vector<tipomensaje>& records) {
    if (file_ == nullptr) {
        return Error{"no hay ningun archivo de mensajes abierto"};
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
        if (std::fseek(file_, total - tail, SEEK_SET) != 0 ||
            std::fread(rest.data(), 1, rest.size(), file_) != rest.size()) {
            const int error = errno;
            std::clearerr(file_);
            return systemFailure(error);
        }
        content.insert(content.end(), rest.begin(), rest.end());
    }
    return replaceContent(content);
}

Result<void> MessageFile::replaceContent(const std::vector<std::uint8_t>& content) {
    if (file_ == nullptr) {
        return Error{"no hay ningun archivo de mensajes abierto"};
    }
    if (access_ == Access::ReadOnly) {
        return failure("el archivo esta abierto solo para lectura");
    }
    // The rename must stay within one file system and replace the link's target, not the link.
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::canonical(path_, ec);
    if (ec) {
        return failure(systemReason(ec.value()));
    }
    const std::filesystem::path folder = target.parent_path();
    struct stat original {};
    if (::fstat(::fileno(file_), &original) != 0) {
        return systemFailure(errno);
    }
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = folder / ("." + target.filename().string() + "." + randomSuffix() + ".tmp");
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return systemFailure(errno);
    }
    const bool written =
        ::fchmod(fd, original.st_mode & 07777) == 0 && writeAll(fd, content) && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return systemFailure(error);
    }
    // The rename itself is durable only once the folder is synced.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    const int depth = lockDepth_;
    MessageFile current;
    if (Result<void> opened = current.open(path_, access_); !opened.ok()) {
        return opened;
    }
    // The old file's lock goes with it; hold the new one, as deeply nested, until the
    // callers are done.
    *this = std::move(current);
    if (depth > 0) {
        if (Result<void> locked = lock(); !locked.ok()) {
            return locked;
        }
        lockDepth_ = depth;
    }
    return {};
}

Result<std::vector<std::uint8_t>> MessageFile::readAll() const {
    if (file_ == nullptr) {
        return Error{"no hay ningun archivo de mensajes abierto"};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length()));
    if (bytes.empty()) {
        return bytes;
    }
    errno = 0;
    const bool read = std::fseek(file_, 0, SEEK_SET) == 0 &&
                      std::fread(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    const int error = errno;
    std::clearerr(file_);
    if (!read) {
        return systemFailure(error);
    }
    return bytes;
}

Result<void> MessageFile::read(int n, tipomensaje& mensaje) const {
    if (file_ == nullptr) {
        return Error{"no hay ningun archivo de mensajes abierto"};
    }
    if (n < 1 || n > count()) {
        return failure("el registro " + std::to_string(n) + " no existe");
    }
    RecordBytes bytes{};
    errno = 0;
    if (std::fseek(file_, (n - 1) * kRecordLength, SEEK_SET) != 0) {
        return systemFailure(errno);
    }
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file_);
    const int error = errno;
    const bool failed = std::ferror(file_) != 0;
    std::clearerr(file_);
    if (got != bytes.size()) {
        return failed ? systemFailure(error)
                      : failure("el registro " + std::to_string(n) + " esta incompleto");
    }
    mensaje = decodeRecord(bytes);
    return {};
}

bool MessageFile::writeAt(long offset, const RecordBytes& bytes, int& error) {
    errno = 0;
    if (std::fseek(file_, offset, SEEK_SET) != 0) {
        error = errno;
        return false;
    }
    const std::size_t put = std::fwrite(bytes.data(), 1, bytes.size(), file_);
    const bool flushed = std::fflush(file_) == 0;
    error = errno;
    std::clearerr(file_);
    return put == bytes.size() && flushed;
}

Result<void> MessageFile::write(int n, const tipomensaje& mensaje) {
    if (file_ == nullptr) {
        return Error{"no hay ningun archivo de mensajes abierto"};
    }
    if (access_ == Access::ReadOnly) {
        return failure("el archivo esta abierto solo para lectura");
    }
    const int total = count();
    if (n < 1 || n > total + 1) {
        return failure("el registro " + std::to_string(n) + " no existe");
    }
    if (n > kMaxRecords) {
        return failure("el archivo ya tiene " + std::to_string(kMaxRecords) +
                       " mensajes, el maximo posible");
    }
    const long offset = (n - 1) * kRecordLength;
    const RecordBytes bytes = encodeRecord(mensaje);
    int error = 0;

    if (n <= total) {
        // Keep the old record so a failed overwrite can put it back.
        RecordBytes old{};
        if (std::fseek(file_, offset, SEEK_SET) != 0 ||
            std::fread(old.data(), 1, old.size(), file_) != old.size()) {
            error = errno;
            std::clearerr(file_);
            return systemFailure(error);
        }
        if (!writeAt(offset, bytes, error)) {
            int ignored = 0;
            writeAt(offset, old, ignored);
            return systemFailure(error);
        }
        return {};
    }

    std::fseek(file_, 0, SEEK_END);
    const long length = std::ftell(file_);
    if (!writeAt(offset, bytes, error)) {
        // Drop whatever part of the new record reached the disk; the old length stays.
        std::fflush(file_);
        std::error_code ignored;
        if (length >= 0) {
            std::filesystem::resize_file(path_, static_cast<std::uintmax_t>(length), ignored);
        }
        return systemFailure(error);
    }
    return {};
}

} // namespace lumivel
