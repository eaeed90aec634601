#include "display/picture_composer.hpp"

#include "display/text_layout.hpp"

#include <algorithm>

namespace lumivel {

std::array<std::uint8_t, 64> composePicture(int fontIndex, std::string_view texto,
                                            Alignment alineacion) {
    std::array<std::uint8_t, 64> picture{};
    const TextLayout layout = layOutText(fontIndex, texto, true);
    const int libre = std::max(0, static_cast<int>(picture.size()) - layout.width());
    int desde = 0;
    if (alineacion == Alignment::Centre) {
        desde = libre / 2;
    } else if (alineacion == Alignment::Right) {
        desde = libre;
    }
    const auto shown = std::min<std::size_t>(layout.columnas.size(),
                                             picture.size() - static_cast<std::size_t>(desde));
    std::copy_n(layout.columnas.begin(), shown, picture.begin() + desde);
    return picture;
}

} // namespace lumivel
