// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_state.hpp"

#include <string_view>

namespace lumivel {

// Font text of the Opletra button `index` (0 "5 x 5" .. 3 "Negrita").
std::string_view fontText(int index);
// Caption of the Opletra button `index` ("5 x 5" .. "Negrita").
std::string_view fontCaption(int index);
// Click handler of the Opletra array: loads the font, re-renders when `refresco` is True.
void Opletra_Click(SignState& l, int index);
// Selecting a button from code runs its handler only when it was not selected.
void selectOpletra(SignState& l, int index);

} // namespace lumivel
