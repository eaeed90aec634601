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
//   [paleta]  one palette role per line, Role = #RRGGBB (roles: kRolesPaleta)
//   [estilo]  the rest of the file, verbatim: a Qt style sheet
// Lines starting with '#' or ';' are comments in the first two sections.
struct DatosSkin {
    std::string nombre;
    Rgb color;
    std::vector<std::pair<std::string, Rgb>> paleta;
    std::string hojaDeEstilo;
};

// Larger files are refused unread: no skin comes close.
inline constexpr std::size_t kTamanoMaximoSkin = std::size_t{256} * 1024;

inline constexpr std::array<std::string_view, 16> kRolesPaleta = {
    "Window",     "WindowText", "Base",      "AlternateBase",   "Text",        "Button",
    "ButtonText", "BrightText", "Highlight", "HighlightedText", "ToolTipBase", "ToolTipText",
    "Light",      "Mid",        "Dark",      "PlaceholderText"};

// The contents, or why they are refused: "linea N: ..." for the first line at fault.
Result<DatosSkin> leerSkin(std::string_view texto);

// "#RRGGBB" (either case); false for anything else.
bool leerColor(std::string_view texto, Rgb& color);

} // namespace lumivel
