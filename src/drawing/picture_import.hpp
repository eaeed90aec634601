// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace lumivel {

// Brightness an image pixel needs to light its LED unless the user picks another.
constexpr int kDefaultImportThreshold = 128;

// An image's pixels as the sign's 64 columns (bit r of column c is row r, top row 0).
// `rgba` holds width x height pixels, rows top to bottom, 4 bytes each: red, green, blue
// and alpha (not premultiplied). Throws std::invalid_argument when the sizes disagree.
//
// The image is scaled to fit inside 64 x 8 keeping its aspect ratio (a 64 x 8 image maps
// pixel to LED) and centred; LEDs outside it are unlit. Each pixel is composited over
// black, so transparent is unlit. An LED is lit when the luminance of what covers it,
// 0.299 R + 0.587 G + 0.114 B, is at least `threshold`; `invert` flips the LEDs the image
// covers, never the unlit margins around it.
std::array<std::uint8_t, 64> importPicture(int width, int height,
                                           std::span<const std::uint8_t> rgba, int threshold,
                                           bool invert);

} // namespace lumivel
