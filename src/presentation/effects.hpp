// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_state.hpp"
#include "presentation/pacer.hpp"

namespace lumivel {

constexpr int kColumnStepMs = 40;
constexpr int kHoldMs = 3000;
constexpr int kRowStepMs = 30;
constexpr int kCharacterStepMs = 100;
constexpr int kLeadingSpaces = 12;

// The presentation effects. Each draws its frames on the sign and asks the pacer to wait
// between them; all work on the text held in `Lumivel::texto`.

// The text walks to the left one character per step and leaves the sign; the text is
// put back at the end.
void caminar(SignState& l, Pacer& pacer);
// Rows appear from the bottom up, the text holds, rows go dark from the top down.
void porfila(SignState& l, Pacer& pacer);
void sube(SignState& l, Pacer& pacer);
void baja(SignState& l, Pacer& pacer);
// Columns appear from the left, the text holds, columns go dark from the left.
void porcolumna(SignState& l, Pacer& pacer);

} // namespace lumivel
