#include "appearance/skin_table.hpp"

namespace lumivel {

std::string rutaSkinPorDefecto(const std::string& carpetaPrograma) {
    return carpetaPrograma + "/" + kSkinPorDefecto;
}

std::optional<std::string> rutaSkin(const std::string& carpetaPrograma, int indice) {
    if (indice < 0 || indice >= static_cast<int>(kSkins.size())) {
        return std::nullopt;
    }
    return carpetaPrograma + "/" + kSkins.at(static_cast<std::size_t>(indice)).archivo;
}

bool elegirSkin(std::string& archivoskin, const std::string& carpetaPrograma, int indice) {
    const std::optional<std::string> ruta = rutaSkin(carpetaPrograma, indice);
    if (!ruta) {
        return false;
    }
    archivoskin = *ruta;
    return true;
}

} // namespace lumivel
