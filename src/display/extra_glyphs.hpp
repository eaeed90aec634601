// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace lumivel {

// Glyphs the four fonts lack, drawn in each font's style for pictures composed from text:
// Ñ ñ Á É Í Ó Ú Ü á é í ó ú ü ¿ ¡ € ° º ª. Columns are laid out as the fonts' own (bit r
// lights row r, left-aligned, unused columns 0).
using GlyphColumns = std::array<std::uint8_t, 5>;

// The extra glyph of Windows-1252 character `code` in the font of Opletra index
// `fontIndex` (0..3); nullptr when that character has none.
const GlyphColumns* extraGlyph(int fontIndex, unsigned char code);

} // namespace lumivel
