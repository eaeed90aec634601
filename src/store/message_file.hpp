// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "store/message_record.hpp"
#include "store/read_buffer.hpp"

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace lumivel {

// Why a path that is not a regular file cannot be a message file.
inline constexpr const char* kNotARegularFile =
    "no es un archivo normal (es una carpeta, una tubería o un dispositivo) y no puede "
    "guardar mensajes";

// The open message file: 137-byte records without header, record n at (n - 1) * 137.
// Every operation either completes or leaves the file as it was: no partial record is
// ever left behind, and only replaceContent() (which undoes an append) shortens it.
// A file size limit (EFBIG) fails an operation as a full disk does.
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
    // never creates one. Anything but a regular file (or a link to one) is refused without
    // blocking: a FIFO or a device would hang or swallow the messages. On failure no file
    // is open. Errors carry the path and the system's reason.
    Result<void> open(const std::string& path, Access access = Access::ReadWrite);
    // Nothing happens when no file is open.
    void close();
    bool isOpen() const { return fd_ >= 0; }
    bool readOnly() const { return access_ == Access::ReadOnly; }
    // The path given to open(); empty when none is open.
    const std::string& path() const { return path_; }

    // Whole records in the file (length / 137, rounded down, from the file's size alone);
    // 0 when none is open. May exceed kMaxRecords for a file written elsewhere.
    int count() const;
    // Bytes after the last whole record (a partial record, ignored everywhere).
    long trailingBytes() const;

    // Takes the exclusive advisory lock (flock) every change holds, waiting for other
    // writers. Another writer may have replaced the file meanwhile (a delete renames a new
    // file over it): the file at the path is reopened until the locked one is that file.
    // Nests: an operation run inside a wider locked scope (an undoable step) keeps the lock
    // until the outer scope releases it. Taking it for writing removes the temporary files
    // that replaceContent() of a killed run left beside the file: they are only made under
    // this lock, so none found while holding it belongs to a live run.
    Result<void> lock();
    // Nothing happens without the lock.
    void unlock();
    // Reopens the path when another process replaced the open file; true when it did.
    Result<bool> reopenIfReplaced();

    // Replaces the whole content by `records` (plus any partial last record kept as it
    // was) atomically: a new file is written and synced beside the real one (a link is
    // followed) with its permissions, then renamed over it, and opened in its place.
    // After a crash at any moment the path holds either the old or the new content.
    Result<void> replaceAll(const std::vector<tipomensaje>& records);
    // Replaces the whole content by exactly `bytes`, atomically as replaceAll does; holds
    // the lock throughout.
    Result<void> replaceContent(std::span<const std::uint8_t> bytes);
    // Every byte of the file, partial last record included, in one read.
    Result<std::vector<std::uint8_t>> readAll() const;
    // The same, read into a buffer this file keeps for its next read, so that reading a
    // full file again costs no fresh memory. Valid until the next read through this file;
    // the caller may change the bytes (to hand them to replaceContent).
    Result<std::span<std::uint8_t>> readInPlace() const;
    // Calls `visit` with the position (from 1) and the 137 bytes of each whole record, in
    // file order, read in large blocks into a small buffer: what only looks at each record
    // once touches no more memory for a full file than for a small one.
    Result<void>
    forEachRecord(const std::function<void(std::size_t, const std::uint8_t*)>& visit) const;
    // Every whole record in file order, in one read: what a loop over read() gives.
    Result<std::vector<tipomensaje>> readRecords() const;

    // Reads record n (1 <= n <= count()). On failure `mensaje` is left unchanged.
    Result<void> read(int n, tipomensaje& mensaje) const;
    // Writes record n (1 <= n <= count() + 1, n <= kMaxRecords); n = count() + 1 appends
    // after the last whole record. On failure the file holds what it held before.
    Result<void> write(int n, const tipomensaje& mensaje);

  private:
    Error failure(const std::string& reason) const;
    Error systemFailure(int error) const;
    // Writes all of `bytes` to `fd` at `offset`, resuming after short writes and signals; a
    // failed write may have left part of them.
    Result<void> writeAllAt(int fd, std::span<const std::uint8_t> bytes, long offset) const;
    // Reads `bytes.size()` bytes of the open file at `offset`, or up to its end: the count read.
    Result<std::size_t> readAllAt(std::span<std::uint8_t> bytes, long offset) const;
    long length() const;
    bool isFileAtPath() const;
    void removeStaleTemporaries() const;

    int fd_ = -1;
    mutable ReadBuffer buffer_;
    std::string path_;
    Access access_ = Access::ReadWrite;
    int lockDepth_ = 0;
};

// Holds a message file's lock for a scope; ok() is false when it could not be taken.
class [[nodiscard]] FileLock {
  public:
    explicit FileLock(MessageFile& file) : file_(file), taken_(file.lock()) {}
    ~FileLock() { file_.unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    const Result<void>& taken() const { return taken_; }

  private:
    MessageFile& file_;
    Result<void> taken_;
};

} // namespace lumivel
