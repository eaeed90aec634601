#pragma once
#include "base/result.hpp"
#include "store/message_record.hpp"

#include <cstdio>
#include <string>

namespace lumivel {

// The open message file: 137-byte records without header, record n at (n - 1) * 137.
// Every operation either completes or leaves the file as it was: no partial record is
// ever left behind, and the file is never truncated below its length at open.
class MessageFile {
  public:
    // Record positions are 16-bit; a file never grows beyond this many records.
    static constexpr int kMaxRecords = 32767;

    enum class Access { ReadWrite, ReadOnly };

    MessageFile() = default;
    ~MessageFile();
    MessageFile(const MessageFile&) = delete;
    MessageFile& operator=(const MessageFile&) = delete;
    // Moving hands the open file over; the moved-from file is closed. Assigning closes
    // the file that was open first.
    MessageFile(MessageFile&& other) noexcept;
    MessageFile& operator=(MessageFile&& other) noexcept;

    // Closes the open file first. ReadWrite creates a missing file (empty); ReadOnly
    // never creates one. On failure no file is open. Errors carry the path and the system's
    // reason.
    Result<void> open(const std::string& path, Access access = Access::ReadWrite);
    // Nothing happens when no file is open.
    void close();
    bool isOpen() const { return file_ != nullptr; }
    bool readOnly() const { return access_ == Access::ReadOnly; }
    // The path given to open(); empty when none is open.
    const std::string& path() const { return path_; }

    // Whole records in the file (length / 137, rounded down); 0 when none is open.
    // May exceed kMaxRecords for a file written elsewhere.
    int count() const;

    // Reads record n (1 <= n <= count()). On failure `mensaje` is left unchanged.
    Result<void> read(int n, tipomensaje& mensaje) const;
    // Writes record n (1 <= n <= count() + 1, n <= kMaxRecords); n = count() + 1 appends
    // after the last whole record. On failure the file holds what it held before.
    Result<void> write(int n, const tipomensaje& mensaje);

  private:
    Error failure(const std::string& reason) const;
    Error systemFailure(int error) const;
    bool writeAt(long offset, const RecordBytes& bytes, int& error);

    std::FILE* file_ = nullptr;
    std::string path_;
    Access access_ = Access::ReadWrite;
};

} // namespace lumivel
