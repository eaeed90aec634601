#include "appearance/web_page.hpp"

namespace lumivel {

std::string rutaPaginaWeb(const std::string& carpetaPrograma) {
    return carpetaPrograma + "/" + kPaginaWeb;
}

} // namespace lumivel
