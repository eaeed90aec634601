// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "presentation/editor_state.hpp"
#include "presentation/pacer.hpp"
#include "store/message_file.hpp"
#include "store/message_record.hpp"

#include <cstddef>
#include <functional>
#include <vector>

namespace lumivel {

// The active messages of a message file in file order: what the sign receives, in the
// order it shows them.
Result<std::vector<tipomensaje>> activeMessages(const MessageFile& archivo);

// Shows the messages one after another as the sign does: each text composed in its own
// font and played with its own effect, each picture held for the hold time. Empty texts
// and presentation codes no effect has show nothing. Ends early when the pacer stops.
// Leaves the font, effect and text of the last text message selected. `beforeEach` is told
// the index of each message as it starts, once its font and effect are selected.
void playMessages(EditorState& l, const std::vector<tipomensaje>& messages, Pacer& pacer,
                  const std::function<void(std::size_t)>& beforeEach = {});

} // namespace lumivel
