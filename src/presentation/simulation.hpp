// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "presentation/editor_state.hpp"
#include "presentation/pacer.hpp"

namespace lumivel {

// Time between the frames of the walking figure; zero draws them as fast as possible.
constexpr int kClockStepMs = 40;

// The box shown when there is no text to simulate.
MessageBoxSpec noMessageBox();

// The Play handler (also "Simular" and the icon box over Play): runs the effect of the
// presentation type on the text, or shows the "No hay Mensaje" box when the text is empty.
// Returns whether an effect ran.
bool Play_Click(EditorState& l, Dialogs& dialogs, Pacer& pacer);

// The walking figure: 17 rounds of clear, frame A at column i, clear, frame B at i + 1,
// waiting `msPerFrame` after each frame.
void Reloj_Click(EditorState& l, Pacer& pacer, int msPerFrame = kClockStepMs);

} // namespace lumivel
