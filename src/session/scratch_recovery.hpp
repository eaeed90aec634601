// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"

#include <string>

namespace lumivel {

struct Lumivel;

// At start-up: scratch files that earlier runs left behind (no live run holds their
// lock) are dealt with in one question about the newest: recover it as this run's
// scratch file, remove it, or keep it for a later start. Those without messages are
// removed without asking. `requestedFolder`: the scratch folder when empty.
void offerScratchRecovery(Lumivel& l, Dialogs& d, const std::string& requestedFolder = {});

} // namespace lumivel
