#include "store/file_change.hpp"

#include <algorithm>

namespace lumivel {
namespace {

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& bytes, std::size_t from,
                                std::size_t to) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(from),
            bytes.begin() + static_cast<std::ptrdiff_t>(to)};
}

} // namespace

std::uint64_t fingerprint(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 1099511628211ULL;
    }
    return hash;
}

std::optional<FileChange> describeChange(const std::vector<std::uint8_t>& before,
                                         const std::vector<std::uint8_t>& after) {
    if (before == after) {
        return std::nullopt;
    }
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    // The suffix may not reach into the prefix, or a repeated record would be counted twice.
    std::size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    FileChange change;
    change.offset = prefix;
    change.before = slice(before, prefix, before.size() - suffix);
    change.after = slice(after, prefix, after.size() - suffix);
    change.suffixLength = suffix;
    change.fingerprintBefore = fingerprint(before);
    change.fingerprintAfter = fingerprint(after);
    return change;
}

std::optional<FileChange> recordChange(MessageFile& file, const std::function<void()>& operation) {
    std::vector<std::uint8_t> before;
    if (!file.isOpen()) {
        operation();
    } else {
        FileLock lock(file);
        Result<std::vector<std::uint8_t>> read = file.readAll();
        if (!lock.taken().ok() || !read.ok()) {
            // Unreadable now, the operation will report it itself; there is no step to keep.
            operation();
            return std::nullopt;
        }
        before = std::move(read).value();
        operation();
    }
    if (!file.isOpen()) {
        return std::nullopt;
    }
    FileLock lock(file);
    Result<std::vector<std::uint8_t>> after = file.readAll();
    if (!lock.taken().ok() || !after.ok()) {
        return std::nullopt;
    }
    return describeChange(before, after.value());
}

Result<void> applyChange(MessageFile& file, const FileChange& change, ChangeDirection direction) {
    const bool undo = direction == ChangeDirection::Undo;
    const std::vector<std::uint8_t>& expected = undo ? change.after : change.before;
    const std::vector<std::uint8_t>& wanted = undo ? change.before : change.after;
    const std::uint64_t expectedFingerprint =
        undo ? change.fingerprintAfter : change.fingerprintBefore;

    FileLock lock(file);
    if (!lock.taken().ok()) {
        return lock.taken();
    }
    Result<std::vector<std::uint8_t>> read = file.readAll();
    if (!read.ok()) {
        return read.error();
    }
    std::vector<std::uint8_t>& content = read.value();
    const auto offset = static_cast<std::ptrdiff_t>(change.offset);
    const bool asLeft = content.size() == change.offset + expected.size() + change.suffixLength &&
                        std::equal(expected.begin(), expected.end(), content.begin() + offset) &&
                        fingerprint(content) == expectedFingerprint;
    if (!asLeft) {
        return Error{kFileChangedElsewhere, file.path()};
    }
    content.erase(content.begin() + offset,
                  content.begin() + offset + static_cast<std::ptrdiff_t>(expected.size()));
    content.insert(content.begin() + offset, wanted.begin(), wanted.end());
    return file.replaceContent(content);
}

} // namespace lumivel
