// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace lumivel {

// The distinct characters of `texto` (Windows-1252) that the font of Opletra index
// `fontIndex` shows as a gap only, in order of first appearance: letters it has no glyph
// for and control characters; a space is never one. With `withExtraGlyphs`, characters that
// have an extra glyph are drawn and so are not missing.
std::string missingGlyphs(int fontIndex, std::string_view texto, bool withExtraGlyphs = false);

// "sin letra en 5 x 7: ñ, é" (Windows-1252), to follow a message's name.
std::string missingGlyphsPhrase(int fontIndex, std::string_view missing);
// "Sin letra en 5 x 7: ñ, é", the warning on its own.
std::string missingGlyphsWarning(int fontIndex, std::string_view missing);

} // namespace lumivel
