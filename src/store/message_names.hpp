// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace lumivel {

// What lists call a text message's presentation and font: the captions of their option
// buttons. A value no button has (a file written elsewhere) shows as its number.
std::string effectName(std::int16_t presentacion);
std::string fontName(std::int16_t letra);

} // namespace lumivel
