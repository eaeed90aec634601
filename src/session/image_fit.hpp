// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

namespace lumivel {

// Bytes of the transmission image of the open file's active messages; 0 with no file open
// or an unreadable one (the list reports the read error itself).
int openFileImageBytes(const Lumivel& l);

// True when ADICIONAR may go on: the new message fits in the sign, or the person wants it
// anyway (the file may be meant for another sign, or be trimmed later).
bool confirmAddFits(const Lumivel& l, Dialogs& d);

} // namespace lumivel
