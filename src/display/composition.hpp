// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_state.hpp"

#include <string>

namespace lumivel {

// Composes one character (a Windows-1252 code) at `xletra` and advances it.
void buscaletra(SignState& l, unsigned char letra);
// Composes the whole text of Text1 from column 0; does not clear or draw.
void cargar(SignState& l);
// The change handler of Text1: clear, compose, draw.
void Text1_Change(SignState& l);
// Sets the text of Text1; like the text box, it re-renders only when the text changes.
void changeText(SignState& l, const std::string& texto);
// The case button: lower-cases and upper-cases the text alternately, toggling `refresco`.
void mayuscula_Click(SignState& l);

} // namespace lumivel
