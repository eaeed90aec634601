// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "display/dialogs.hpp"
#include "session/scratch_lock.hpp"

#include <string>

namespace lumivel {

struct Lumivel;

// Messages added before any file was named live in a scratch message file, readable by the
// user alone (session/scratch_folder), offered again after a crash (session/scratch_recovery).
// This run's one: the lock that marks it as in use, and whether it is still the open message
// file, unnamed. Open implies held: only a held lock is ever adopted.
class ScratchFile {
  public:
    // The open message file is this run's scratch file, which the user has not named.
    bool isOpen() const { return open_; }
    // The scratch file this run holds; empty when none.
    const std::string& file() const { return lock_.file(); }

    // `lock`'s file has just been opened as the message file. A scratch file held before
    // is let go and left for a later start to offer.
    void adopt(ScratchLock lock);
    // Another message file was opened, or this one was saved under its own name: it is no
    // longer the open scratch file, though its lock stays held.
    void leave() { open_ = false; }
    // Removes the scratch file and its companion, and lets go.
    void discard();

  private:
    ScratchLock lock_;
    bool open_ = false;
};

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

} // namespace lumivel
