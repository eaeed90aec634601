// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <string>

namespace lumivel {

// A run marks the scratch message file it owns with an exclusive flock on a companion
// "NAME.lock" held for as long as it owns the file: a scratch file whose lock nobody holds
// was left by a run that was killed. The lock is never taken on the message file itself,
// so locks other code takes on message files while changing them never meet it.
class ScratchLock {
  public:
    ScratchLock() = default;
    // Letting go without discard() leaves the file for the next start to offer, as a run
    // that was killed does.
    ~ScratchLock();
    ScratchLock(const ScratchLock&) = delete;
    ScratchLock& operator=(const ScratchLock&) = delete;
    ScratchLock(ScratchLock&& other) noexcept;
    ScratchLock& operator=(ScratchLock&& other) noexcept;

    // Creates an empty scratch file with a name no other run uses, in `folder`, and locks it.
    static Result<ScratchLock> create(const std::string& folder);
    // Locks the scratch file `file` left by an earlier run, or fails when a live run holds
    // its lock.
    static Result<ScratchLock> acquire(const std::string& file);

    bool held() const { return fd_ >= 0; }
    // The scratch file this lock marks; empty when none is held.
    const std::string& file() const { return file_; }
    // Removes the scratch file and its companion, then lets go.
    void discard();
    // Lets go, leaving both files where they are.
    void release();

  private:
    // True with the lock taken; false when another run has it: its companion already exists
    // (with `flags` O_EXCL) or a live run holds it.
    Result<bool> tryLock(const std::string& file, int flags);

    int fd_ = -1;
    std::string file_;
};

// Whether a file name is one create() gives.
bool isScratchName(const std::string& name);

} // namespace lumivel
