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

} // namespace lumivel::cli
