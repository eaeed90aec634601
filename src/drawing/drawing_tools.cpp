#include "drawing/drawing_tools.hpp"

#include "presentation/editing_mode.hpp"

#include <cmath>

namespace lumivel {
namespace {

// Divisor of the readout: fixed, whatever the sign's scale.
constexpr double kReadStep = 12.0;

void applyTool(EditorState& l, int buttons, double x, double y) {
    if (l.option1 != kDrawingMode || buttons != kLeftButton) {
        return;
    }
    const int column = columnAt(l.sign, x);
    if (column < 0) {
        return;
    }
    if (l.tool == DrawingTool::Pencil) {
        l.sign.butcolon(y, column);
    } else {
        l.sign.butcoloff(y, column);
    }
}

std::string readNumber(double v) {
    return std::to_string(static_cast<long long>(std::floor((v + kReadStep) / kReadStep)));
}

} // namespace

int columnAt(const Sign& sign, double x) {
    const double step = 4.0 * sign.escala;
    for (int i = 0; i <= sign.columnas && i < Sign::kColumns; ++i) {
        if (x > step * i && x < step * (i + 1)) {
            return i;
        }
    }
    return -1;
}

std::string coordinateReadout(double x, double y) {
    return "x = " + readNumber(x) + "  y = " + readNumber(y);
}

void Pic_MouseDown(EditorState& l, int buttons, double x, double y) {
    applyTool(l, buttons, x, y);
}

std::string Pic_MouseMove(EditorState& l, int buttons, double x, double y) {
    applyTool(l, buttons, x, y);
    return coordinateReadout(x, y);
}

void lapiz_Click(EditorState& l) {
    l.tool = DrawingTool::Pencil;
}

void goma_Click(EditorState& l) {
    l.tool = DrawingTool::Eraser;
}

void pintura_Click(EditorState& l) {
    for (int i = 0; i <= l.sign.columnas; ++i) {
        for (int j = 0; j <= l.sign.filas; ++j) {
            l.sign.matriz[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = 1;
        }
        l.sign.envector(i);
    }
    l.sign.mostrar();
}

void Bomba_Click(EditorState& l) {
    l.sign.borrar();
    l.sign.mostrar();
}

void invertir_Click(EditorState& l) {
    for (int i = 0; i <= l.sign.columnas; ++i) {
        for (int j = 0; j <= l.sign.filas; ++j) {
            auto& cell = l.sign.matriz[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            cell = cell == 1 ? 0 : 1;
        }
        l.sign.envector(i);
    }
    l.sign.mostrar();
}

} // namespace lumivel
