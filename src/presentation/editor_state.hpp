// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_state.hpp"

#include <cstdint>
#include <optional>
#include <utility>

namespace lumivel {

// The drawing tool chosen in the drawing mode.
enum class DrawingTool { Pencil, Eraser };

// The sign and text plus how they are edited and presented: the editing mode, the drawing
// tool and the presentation type. Part of the program's shared state.
struct EditorState : SignState {
    std::int16_t tipopresentacion = 0;
    // Selected index of each option array; -1 while none is selected.
    int opMostrar = -1;
    int option1 = -1; // 0 drawing mode, 1 text mode
    DrawingTool tool = DrawingTool::Pencil;
    // Where a drag with the drawing tool last drew, in pixels over the sign: the next move
    // draws the whole line from there, so a fast drag leaves no gaps. None between drags.
    std::optional<std::pair<double, double>> strokeFrom;
};

} // namespace lumivel
