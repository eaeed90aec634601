// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "presentation/editor_state.hpp"
#include "session/scratch_file.hpp"
#include "store/message_store.hpp"

#include <cstdint>
#include <string>

namespace lumivel {

// The program's shared state: what the main window's module-level variables hold. Each
// subsystem works on its own part (the sign and text, the editor, the message store);
// secondary windows and the command line receive a reference to the whole.
struct Lumivel : EditorState, MessageStore {
    // Highest index of the last completed transmission image; kept between openings
    // of the transmission window.
    std::int16_t totaldatos = 0;
    std::string archivoskin;
    // This run's scratch message file, while it has one.
    ScratchFile scratch;
};

} // namespace lumivel
