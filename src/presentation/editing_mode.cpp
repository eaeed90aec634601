// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/editing_mode.hpp"

#include "display/composition.hpp"

namespace lumivel {

void Option1_Click(EditorState& l, int index) {
    l.option1 = index == kDrawingMode ? kDrawingMode : kTextMode;
    if (l.option1 == kDrawingMode) {
        // Drawing starts with the pencil, so a click lights the LED under it.
        l.tool = DrawingTool::Pencil;
    }
    l.sign.borrar();
    l.sign.mostrar();
    changeText(l, "");
}

void selectOption1(EditorState& l, int index) {
    const int mode = index == kDrawingMode ? kDrawingMode : kTextMode;
    if (l.option1 != mode) {
        Option1_Click(l, mode);
    }
}

bool modeChosen(const EditorState& l) {
    return l.option1 == kDrawingMode || l.option1 == kTextMode;
}

ModeControls modeControls(const EditorState& l) {
    ModeControls controls;
    if (l.option1 == kDrawingMode) {
        controls.lapiz = l.tool != DrawingTool::Pencil;
        controls.goma = l.tool != DrawingTool::Eraser;
        controls.wholeSignTools = true;
    } else {
        controls.texto = true;
        controls.mayuscula = true;
    }
    return controls;
}

} // namespace lumivel
