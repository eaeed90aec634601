// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumivel {

// One entry of the "Cambiar Skin" menu: its caption and the file, relative to the
// program's folder.
struct SkinEntry {
    const char* title;
    const char* archivo;
};

inline constexpr std::array<SkinEntry, 10> kSkins = {{
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

// The skin the program starts with; the menu offers it after the others, so a person can
// go back to it.
inline constexpr SkinEntry kStartupSkin = {"WinAqua (inicial)", "winaqua.skn"};
inline constexpr const char* kDefaultSkin = kStartupSkin.archivo;

// `programFolder` is the folder of the executable, without a trailing separator.
std::string defaultSkinPath(const std::string& programFolder);
// The file of menu entry `index`; nothing outside 0..9.
std::optional<std::string> skinPath(const std::string& programFolder, int index);

// The path of `archivo` when it is the start-up skin's file or a menu entry's; nothing for
// any other name, so a stored name never reaches outside the program's skins.
std::optional<std::string> knownSkinPath(const std::string& programFolder,
                                         std::string_view archivo);

// First step of a skin change: the file `archivoskin` becomes, menu entry `index`'s.
// Refused for an index outside the menu, which leaves `archivoskin` as it is.
Result<std::string> chooseSkin(const std::string& programFolder, int index);

} // namespace lumivel
