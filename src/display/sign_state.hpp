// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/font_table.hpp"
#include "display/sign.hpp"

#include <cstdint>
#include <string>

namespace lumivel {

// The sign with the text composed on it: what composition and the font choice read and
// write. Part of the program's shared state.
struct SignState {
    Sign sign;
    FontTable fuente;
    std::int16_t tipoletra = 0;
    bool refresco = false;
    std::int16_t xletra = 0;
    // Text of `Text1`, Windows-1252 bytes.
    std::string texto;
    // Selected index of the Opletra array; -1 while none is selected.
    int opletra = -1;
};

} // namespace lumivel
