#pragma once
#include "display/lumivel.hpp"

namespace lumivel {

constexpr int kModoDibujo = 0;
constexpr int kModoTexto = 1;

// Click handler of the Option1 array: clears the sign and the text; index 0 enters the
// drawing mode, any other index the text mode. Windows mirror `option1` in their controls.
void Option1_Click(Lumivel& l, int index);
// Selecting a mode from code runs its handler only when it was not selected.
void seleccionarOption1(Lumivel& l, int index);

} // namespace lumivel
