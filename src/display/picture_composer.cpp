// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/picture_composer.hpp"

#include "display/text_layout.hpp"

#include <algorithm>

namespace lumivel {

std::array<std::uint8_t, 64> composePicture(int fontIndex, std::string_view texto,
                                            Alignment alignment) {
    std::array<std::uint8_t, 64> picture{};
    const TextLayout layout = layOutText(fontIndex, texto, true);
    const int slack = std::max(0, static_cast<int>(picture.size()) - layout.width());
    int from = 0;
    if (alignment == Alignment::Centre) {
        from = slack / 2;
    } else if (alignment == Alignment::Right) {
        from = slack;
    }
    const auto shown = std::min<std::size_t>(layout.columnas.size(),
                                             picture.size() - static_cast<std::size_t>(from));
    std::copy_n(layout.columnas.begin(), shown, picture.begin() + from);
    return picture;
}

} // namespace lumivel
