#include "store/message_names.hpp"

#include <array>

namespace lumivel {

namespace {

template <std::size_t N>
std::string nameOf(std::int16_t valor, const std::array<const char*, N>& nombres) {
    if (valor >= 1 && valor <= static_cast<int>(N)) {
        return nombres.at(static_cast<std::size_t>(valor - 1));
    }
    return std::to_string(valor);
}

} // namespace

std::string effectName(std::int16_t presentacion) {
    return nameOf<3>(presentacion, {"Caminando", "Por Fila", "Por columna"});
}

std::string fontName(std::int16_t letra) {
    return nameOf<4>(letra, {"5 x 5", "5 x 7", "5 x 9", "Negrita"});
}

} // namespace lumivel
