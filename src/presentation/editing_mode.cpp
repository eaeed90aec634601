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
    const int modo = index == kDrawingMode ? kDrawingMode : kTextMode;
    if (l.option1 != modo) {
        Option1_Click(l, modo);
    }
}

bool modeChosen(const EditorState& l) {
    return l.option1 == kDrawingMode || l.option1 == kTextMode;
}

ModeControls modeControls(const EditorState& l) {
    ModeControls controles;
    if (l.option1 == kDrawingMode) {
        controles.lapiz = l.tool != DrawingTool::Pencil;
        controles.goma = l.tool != DrawingTool::Eraser;
        controles.wholeSignTools = true;
    } else {
        controles.texto = true;
        controles.mayuscula = true;
    }
    return controles;
}

} // namespace lumivel
