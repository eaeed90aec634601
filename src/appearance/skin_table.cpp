// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/skin_table.hpp"

#include <algorithm>
#include <utility>

namespace lumivel {

std::string defaultSkinPath(const std::string& programFolder) {
    return programFolder + "/" + kDefaultSkin;
}

std::optional<std::string> skinPath(const std::string& programFolder, int index) {
    if (index < 0 || index >= static_cast<int>(kSkins.size())) {
        return std::nullopt;
    }
    return programFolder + "/" + kSkins.at(static_cast<std::size_t>(index)).archivo;
}

std::optional<std::string> knownSkinPath(const std::string& programFolder,
                                         std::string_view archivo) {
    const bool known = archivo == kDefaultSkin ||
                       std::any_of(kSkins.begin(), kSkins.end(),
                                   [archivo](const SkinEntry& e) { return archivo == e.archivo; });
    if (!known) {
        return std::nullopt;
    }
    return programFolder + "/" + std::string(archivo);
}

Result<std::string> chooseSkin(const std::string& programFolder, int index) {
    std::optional<std::string> path = skinPath(programFolder, index);
    if (!path) {
        return Error{"el menú no tiene el skin " + std::to_string(index + 1)};
    }
    return std::move(*path);
}

} // namespace lumivel
