#include "appearance/skin_table.hpp"

#include <algorithm>

namespace lumivel {

std::string defaultSkinPath(const std::string& programFolder) {
    return programFolder + "/" + kDefaultSkin;
}

std::optional<std::string> skinPath(const std::string& programFolder, int indice) {
    if (indice < 0 || indice >= static_cast<int>(kSkins.size())) {
        return std::nullopt;
    }
    return programFolder + "/" + kSkins.at(static_cast<std::size_t>(indice)).archivo;
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

bool chooseSkin(std::string& archivoskin, const std::string& programFolder, int indice) {
    const std::optional<std::string> ruta = skinPath(programFolder, indice);
    if (!ruta) {
        return false;
    }
    archivoskin = *ruta;
    return true;
}

} // namespace lumivel
