#include "store/message_file.hpp"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace lumivel {
namespace {

constexpr long kRecordLength = static_cast<long>(tipomensaje::kRecordLength);

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

} // namespace

MessageFile::~MessageFile() {
    close();
}

MessageFile::MessageFile(MessageFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), path_(std::move(other.path_)),
      access_(std::exchange(other.access_, Access::ReadWrite)) {
    other.path_.clear();
}

MessageFile& MessageFile::operator=(MessageFile&& other) noexcept {
    if (this != &other) {
        close();
        file_ = std::exchange(other.file_, nullptr);
        path_ = std::move(other.path_);
        other.path_.clear();
        access_ = std::exchange(other.access_, Access::ReadWrite);
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
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return Error{systemReason(EISDIR), path};
    }
    errno = 0;
    std::FILE* file = nullptr;
    if (access == Access::ReadOnly) {
        file = std::fopen(path.c_str(), "rb");
    } else {
        file = std::fopen(path.c_str(), "r+b");
        if (file == nullptr && errno == ENOENT) {
            // Exclusive create, so a file that appeared meanwhile is never emptied.
            errno = 0;
            file = std::fopen(path.c_str(), "w+bx");
            if (file == nullptr && errno == EEXIST) {
                errno = 0;
                file = std::fopen(path.c_str(), "r+b");
            }
        }
    }
    if (file == nullptr) {
        const int error = errno;
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

int MessageFile::count() const {
    if (file_ == nullptr || std::fseek(file_, 0, SEEK_END) != 0) {
        return 0;
    }
    const long length = std::ftell(file_);
    return length < 0 ? 0 : static_cast<int>(length / kRecordLength);
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
