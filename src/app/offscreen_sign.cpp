#include "app/offscreen_sign.hpp"

#include "base/windows1252.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "session/startup.hpp"

namespace lumivel::cli {

OffscreenSign::OffscreenSign(int fontIndex) {
    lumivel_.sign.setSurface(&shown_);
    startUp(lumivel_, ".");
    selectOpletra(lumivel_, fontIndex);
}

void OffscreenSign::compose(const std::string& utf8) {
    lumivel_.texto = utf8ToWindows1252(utf8);
    Text1_Change(lumivel_);
}

void OffscreenSign::showPicture(const std::array<std::uint8_t, 64>& columnas) {
    Sign& sign = lumivel_.sign;
    sign.borrar();
    for (int k = 0; k < 64; ++k) {
        sign.cbin(columnas[static_cast<std::size_t>(k)], k);
        sign.envector(k);
    }
    sign.mostrar();
}

} // namespace lumivel::cli
