// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/drawing_tools.hpp"

#include "presentation/editing_mode.hpp"

#include <algorithm>
#include <cmath>

namespace lumivel {
namespace {

// Divisor of the readout: fixed, whatever the sign's scale.
constexpr double kReadStep = 12.0;

bool drawsWith(const EditorState& l, int buttons) {
    return l.option1 == kDrawingMode && buttons == kLeftButton;
}

void applyAt(EditorState& l, double x, double y) {
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

// The tool on every LED the line from the last point of the drag to (x, y) crosses: points
// a quarter of an LED apart reach every cell the line passes through.
void applyAlong(EditorState& l, double x, double y) {
    const auto [fromX, fromY] = l.strokeFrom.value_or(std::pair{x, y});
    const double spacing = std::max(1.0, static_cast<double>(l.sign.escala));
    const int steps = static_cast<int>(std::ceil(std::hypot(x - fromX, y - fromY) / spacing));
    for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        applyAt(l, fromX + (x - fromX) * t, fromY + (y - fromY) * t);
    }
    applyAt(l, x, y);
    l.strokeFrom = std::pair{x, y};
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
    l.strokeFrom.reset();
    if (drawsWith(l, buttons)) {
        applyAlong(l, x, y);
    }
}

std::string Pic_MouseMove(EditorState& l, int buttons, double x, double y) {
    if (drawsWith(l, buttons)) {
        applyAlong(l, x, y);
    } else {
        l.strokeFrom.reset();
    }
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
