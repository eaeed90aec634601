// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "store/message_file.hpp"
#include "store/message_record.hpp"

#include <vector>

namespace lumivel {

// Changes to the order and number of a file's messages. Each holds the file's lock and
// reads the file under it, so it numbers from the file as it is now.

// Makes active message `numero` the `place`-th (1..n) of the n active ones: the active
// records trade places among the positions they hold (deleted records stay where they
// are) and each is renumbered by its new place, so the sign receives them in that order.
// The whole file is replaced in one rename.
Result<void> moveMessage(MessageFile& file, int numero, int place);

// Appends a copy of active message `numero`, numbered after the last active one.
// Returns that number.
Result<int> duplicateMessage(MessageFile& file, int numero);

// Appends `messages` in order, active and numbered after the last active one; the whole
// file is replaced in one rename, so either all of them are added or none.
Result<void> appendMessages(MessageFile& file, std::vector<tipomensaje> messages);

} // namespace lumivel
