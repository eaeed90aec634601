// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumivel {

// A drawing as the sign's 64 visible columns, bit r of a column being row r.
using Picture = std::array<std::uint8_t, 64>;

// What the sign's visible LEDs hold now.
Picture currentPicture(const Sign& sign);
// Clears the sign, then lights `picture` and shows it, keeping the column image in step.
void showPicture(Sign& sign, const Picture& picture);

enum class ShiftDirection { Left, Right, Up, Down };
enum class MirrorAxis { Horizontal, Vertical };

// One LED towards `direction`; what leaves the sign is lost and unlit LEDs come in.
Picture shifted(const Picture& picture, ShiftDirection direction);
// Horizontal swaps left and right, vertical swaps top and bottom.
Picture mirrored(const Picture& picture, MirrorAxis axis);

// The 128 upper-case hexadecimal digits `add --picture` takes.
std::string pictureHex(const Picture& picture);
// Exactly 128 hexadecimal digits of either case, blanks around them allowed (a copied line
// ends in one); anything else is no picture.
std::optional<Picture> parsePictureHex(std::string_view text);

} // namespace lumivel
