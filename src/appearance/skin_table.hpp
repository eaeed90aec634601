#pragma once

#include <array>
#include <optional>
#include <string>

namespace lumivel {

// One entry of the "Cambiar Skin" menu: its caption and the file, relative to the
// program's folder.
struct EntradaSkin {
    const char* titulo;
    const char* archivo;
};

inline constexpr std::array<EntradaSkin, 10> kSkins = {{
    {"B-Studio", "B-Studio.skn"},
    {"Galaxy", "galaxy.skn"},
    {"Green", "green.skn"},
    {"Mac", "Mac.skn"},
    {"Media", "Media.skn"},
    {"Metallic", "metallic.skn"},
    {"Paper", "Skins/Paper.skn"},
    {"TopSecret", "TopSecret.skn"},
    {"Web-II", "Web-II.skn"},
    {"Zhelezo", "Zhelezo.skn"},
}};

inline constexpr const char* kSkinPorDefecto = "winaqua.skn";

// `carpetaPrograma` is the folder of the executable, without a trailing separator.
std::string rutaSkinPorDefecto(const std::string& carpetaPrograma);
// The file of menu entry `indice`; nothing outside 0..9.
std::optional<std::string> rutaSkin(const std::string& carpetaPrograma, int indice);

// First step of a skin change: `archivoskin` becomes the entry's file. An index outside
// the menu leaves it as it is. Returns whether it changed.
bool elegirSkin(std::string& archivoskin, const std::string& carpetaPrograma, int indice);

} // namespace lumivel
