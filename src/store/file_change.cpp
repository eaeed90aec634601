// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/file_change.hpp"

#include <algorithm>

namespace lumivel {
namespace {

// Runs of differing bytes closer than this are kept as one: a span costs about as much.
constexpr std::size_t kJoinGap = sizeof(FileChange::Span);

std::vector<std::uint8_t>::const_iterator at(const std::vector<std::uint8_t>& bytes,
                                             std::size_t k) {
    return bytes.begin() + static_cast<std::ptrdiff_t>(k);
}

void addSpan(FileChange& change, const std::vector<std::uint8_t>& before,
             const std::vector<std::uint8_t>& after, std::size_t offset, std::size_t endBefore,
             std::size_t endAfter) {
    change.spans.push_back({offset, endBefore - offset, endAfter - offset});
    change.before.insert(change.before.end(), at(before, offset), at(before, endBefore));
    change.after.insert(change.after.end(), at(after, offset), at(after, endAfter));
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
    change.sizeBefore = before.size();
    change.sizeAfter = after.size();
    change.fingerprintBefore = fingerprint(before);
    change.fingerprintAfter = fingerprint(after);
    const std::size_t endBefore = before.size() - suffix;
    if (before.size() != after.size()) {
        addSpan(change, before, after, prefix, endBefore, after.size() - suffix);
        return change;
    }
    std::size_t start = prefix;
    while (start < endBefore) {
        std::size_t end = start + 1;
        for (std::size_t k = end; k < endBefore && k < end + kJoinGap; ++k) {
            if (before[k] != after[k]) {
                end = k + 1;
            }
        }
        addSpan(change, before, after, start, end, end);
        start = end;
        while (start < endBefore && before[start] == after[start]) {
            ++start;
        }
    }
    return change;
}

std::optional<FileChange> recordChange(MessageFile& file, const std::function<void()>& operation) {
    if (!file.isOpen()) {
        // Nobody else knows the file the operation starts, so no lock is needed to read it.
        operation();
        // The operation may have opened the file (the first message creates it).
        // cppcheck-suppress identicalInnerCondition
        if (!file.isOpen()) {
            return std::nullopt;
        }
        Result<std::vector<std::uint8_t>> after = file.readAll();
        return after.ok() ? describeChange({}, after.value()) : std::nullopt;
    }
    // The content after is read under the same lock, before any other writer can add to it.
    FileLock lock(file);
    Result<std::vector<std::uint8_t>> before =
        lock.taken().ok() ? file.readAll()
                          : Result<std::vector<std::uint8_t>>(lock.taken().error());
    operation();
    if (!before.ok() || !file.isOpen()) {
        // Unreadable: the operation reported it itself, and there is no step to keep.
        return std::nullopt;
    }
    Result<std::vector<std::uint8_t>> after = file.readAll();
    return after.ok() ? describeChange(before.value(), after.value()) : std::nullopt;
}

Result<void> applyChange(MessageFile& file, const FileChange& change, ChangeDirection direction) {
    const bool undo = direction == ChangeDirection::Undo;
    const std::vector<std::uint8_t>& expected = undo ? change.after : change.before;
    const std::vector<std::uint8_t>& wanted = undo ? change.before : change.after;

    FileLock lock(file);
    LUMIVEL_TRY_VOID(lock.taken());
    LUMIVEL_TRY(const std::vector<std::uint8_t> content, file.readAll());
    const Error changedElsewhere{kFileChangedElsewhere, file.path()};
    if (content.size() != (undo ? change.sizeAfter : change.sizeBefore) ||
        fingerprint(content) != (undo ? change.fingerprintAfter : change.fingerprintBefore)) {
        return changedElsewhere;
    }
    std::vector<std::uint8_t> result;
    result.reserve(undo ? change.sizeBefore : change.sizeAfter);
    std::size_t kept = 0;
    std::size_t fromExpected = 0;
    std::size_t fromWanted = 0;
    for (const FileChange::Span& span : change.spans) {
        const std::size_t removed = undo ? span.lengthAfter : span.lengthBefore;
        const std::size_t added = undo ? span.lengthBefore : span.lengthAfter;
        if (!std::equal(at(expected, fromExpected), at(expected, fromExpected + removed),
                        at(content, span.offset))) {
            return changedElsewhere;
        }
        result.insert(result.end(), at(content, kept), at(content, span.offset));
        result.insert(result.end(), at(wanted, fromWanted), at(wanted, fromWanted + added));
        kept = span.offset + removed;
        fromExpected += removed;
        fromWanted += added;
    }
    result.insert(result.end(), at(content, kept), content.end());
    return file.replaceContent(result);
}

} // namespace lumivel
