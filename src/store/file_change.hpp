// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "store/message_file.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lumivel {

// Why a step cannot be undone or redone: the file is no longer as the step left it.
inline constexpr const char* kFileChangedElsewhere =
    "el archivo de mensajes cambió después de este paso; se ha dejado como está";

// One change to a message file, kept small: only the bytes that differ, plus a fingerprint
// and the length of each whole content so that anything else changing in the file is
// noticed. A delete renumbers every later record, two bytes each, so equal-length contents
// keep each differing run on its own rather than everything between the first and last.
struct FileChange {
    // At `offset`, `lengthBefore` bytes (the next ones of `before`) became `lengthAfter`
    // bytes (the next ones of `after`). Only a lone span changes the length, so every
    // offset holds in both contents.
    struct Span {
        std::size_t offset = 0;
        std::size_t lengthBefore = 0;
        std::size_t lengthAfter = 0;
    };
    std::vector<Span> spans;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
    std::size_t sizeBefore = 0;
    std::size_t sizeAfter = 0;
    std::uint64_t fingerprintBefore = 0;
    std::uint64_t fingerprintAfter = 0;
};

// 64-bit FNV-1a of the bytes: detects a content that differs, it does not resist forgery.
std::uint64_t fingerprint(const std::vector<std::uint8_t>& bytes);

// The change that turns `before` into `after`; nothing when they are equal.
std::optional<FileChange> describeChange(const std::vector<std::uint8_t>& before,
                                         const std::vector<std::uint8_t>& after);

// Runs `operation` on `file` holding its lock throughout, so no other writer's change is
// taken for part of it, and returns what it changed. A file that was not open before is
// taken as having been empty (the operation started a new one). Nothing when the file is
// unchanged or could not be read.
std::optional<FileChange> recordChange(MessageFile& file, const std::function<void()>& operation);

enum class ChangeDirection { Undo, Redo };

// Under the file's lock: when the file holds exactly the content on one side of `change`,
// replaces it by the other side's, atomically. Otherwise refuses with
// kFileChangedElsewhere and leaves the file untouched.
Result<void> applyChange(MessageFile& file, const FileChange& change, ChangeDirection direction);

} // namespace lumivel
