// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "display/sign_surface.hpp"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumivel {

// Contents of a skin file (*.skn): an INI-like text in three sections.
//   [skin]    nombre = ..., color = #RRGGBB (the colour the skin reports)
//   [palette]  one palette role per line, Role = #RRGGBB (roles: kPaletteRoles)
//   [estilo]  the rest of the file, verbatim: a Qt style sheet
// Lines starting with '#' or ';' are comments in the first two sections.
struct SkinData {
    std::string name;
    Rgb color;
    std::vector<std::pair<std::string, Rgb>> palette;
    std::string styleSheet;
};

// Larger files are refused unread: no skin comes close.
inline constexpr std::size_t kMaxSkinSize = std::size_t{256} * 1024;

inline constexpr std::array<std::string_view, 16> kPaletteRoles = {
    "Window",     "WindowText", "Base",      "AlternateBase",   "Text",        "Button",
    "ButtonText", "BrightText", "Highlight", "HighlightedText", "ToolTipBase", "ToolTipText",
    "Light",      "Mid",        "Dark",      "PlaceholderText"};

// The contents, or why they are refused: "línea N: ..." for the first line at fault.
Result<SkinData> readSkin(std::string_view texto);

// "#RRGGBB" (either case); refused for anything else.
Result<Rgb> readColor(std::string_view texto);

} // namespace lumivel
