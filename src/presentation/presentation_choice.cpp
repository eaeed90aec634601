// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/presentation_choice.hpp"

namespace lumivel {

void op_mostrar_Click(EditorState& l, int index) {
    if (index < 0 || index > 2) {
        return;
    }
    l.opMostrar = index;
    l.tipopresentacion = static_cast<std::int16_t>(index + 1);
}

void selectOpMostrar(EditorState& l, int index) {
    if (l.opMostrar != index) {
        op_mostrar_Click(l, index);
    }
}

} // namespace lumivel
