// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "presentation/editor_state.hpp"

namespace lumivel {

constexpr int kDrawingMode = 0;
constexpr int kTextMode = 1;

// Click handler of the Option1 array: clears the sign and the text; index 0 enters the
// drawing mode with the pencil chosen, any other index the text mode. Windows mirror
// `option1` in their controls.
void Option1_Click(EditorState& l, int index);
// Selecting a mode from code runs its handler only when it was not selected.
void selectOption1(EditorState& l, int index);

// Which controls the current mode enables. Icon boxes follow their buttons, except that
// the pencil and eraser boxes stay usable in the drawing mode whichever tool is chosen.
struct ModeControls {
    bool texto = false; // Text1, the font and presentation options
    bool lapiz = false;
    bool goma = false;
    bool wholeSignTools = false; // pintura, Bomba, invertir; icon boxes 3 to 7
    bool mayuscula = false;      // and its icon box
};

// Nothing is known before a mode was first chosen.
bool modeChosen(const EditorState& l);
ModeControls modeControls(const EditorState& l);

} // namespace lumivel
