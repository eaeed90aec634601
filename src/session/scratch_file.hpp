#pragma once
#include "base/result.hpp"
#include "display/dialogs.hpp"

#include <string>

namespace lumivel {

struct Lumivel;

// Messages added before any file was named live in a scratch message file in the user's
// own state folder ($XDG_STATE_HOME/simlumivel, by default ~/.local/state/simlumivel),
// readable by the user alone. A run marks the scratch file it owns with an exclusive
// flock on a companion "NAME.lock" held for as long as it owns the file: a scratch file
// whose lock nobody holds was left by a run that was killed, and is offered at the next
// start. The lock is never taken on the message file itself, so locks other code takes
// on message files while changing them never meet it.
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
    // 0 with the lock taken, or the system's error number.
    int lock(const std::string& file, int flags);

    int fd_ = -1;
    std::string file_;
};

// The folder of the scratch files, created (mode 0700) when missing.
Result<std::string> scratchFolder();

// Makes a new, empty scratch message file in `requestedFolder` (the scratch folder when empty)
// the open message file of this run.
Result<void> openScratchFile(Lumivel& l, const std::string& requestedFolder = {});

// When messages exist only in the scratch file, asks whether to save them first: "Sí"
// saves, "No" removes the scratch file and its messages. Returns false when the user
// chose to stay where they are.
bool leaveScratch(Lumivel& l, Dialogs& d);

// A scratch file that never received a message is of no use to anyone: removed.
void discardEmptyScratch(Lumivel& l);

// Removes this run's scratch file (closing it when it is the open message file) and
// empties the list when it was open.
void discardScratch(Lumivel& l);

// At start-up: scratch files that earlier runs left behind (no live run holds their
// lock) are dealt with in one question about the newest: recover it as this run's
// scratch file, remove it, or keep it for a later start. Those without messages are
// removed without asking.
void offerScratchRecovery(Lumivel& l, Dialogs& d, const std::string& requestedFolder = {});

} // namespace lumivel
