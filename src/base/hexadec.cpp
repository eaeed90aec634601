// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/hexadec.hpp"

#include <cstdint>

namespace lumivel {

int hexadecValue(std::string_view texto) {
    // Unsigned arithmetic: eight or more digits wrap instead of overflowing.
    std::uint32_t value = 0;
    std::uint32_t weight = 1;
    for (auto it = texto.rbegin(); it != texto.rend(); ++it) {
        const char c = *it;
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        }
        value += digit * weight;
        weight *= 16;
    }
    return static_cast<int>(value);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string hexadec(std::string_view texto) {
    return std::to_string(hexadecValue(texto));
}

} // namespace lumivel
