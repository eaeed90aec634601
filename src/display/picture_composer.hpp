// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace lumivel {

enum class Alignment { Left, Centre, Right };

// A picture of the sign's 64 columns showing `texto` (Windows-1252) in the style of the
// font of Opletra index `fontIndex`, the extra glyphs included. Left alignment gives the
// columns the sign shows for the same text; centred and right-aligned text moves by whole
// columns (centred rounds to the left). A text wider than the sign is cut at the right.
std::array<std::uint8_t, 64> composePicture(int fontIndex, std::string_view texto,
                                            Alignment alignment);

} // namespace lumivel
