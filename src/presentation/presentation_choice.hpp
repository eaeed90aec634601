// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "presentation/editor_state.hpp"

namespace lumivel {

// Click handler of the op_mostrar array: index + 1 becomes the presentation type.
void op_mostrar_Click(EditorState& l, int index);
// Selecting an option from code runs its handler only when it was not selected.
void selectOpMostrar(EditorState& l, int index);

} // namespace lumivel
