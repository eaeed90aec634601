// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/picture_edit.hpp"

#include "base/hexadec.hpp"

#include <algorithm>

namespace lumivel {

Picture currentPicture(const Sign& sign) {
    Picture picture{};
    for (std::size_t c = 0; c < picture.size(); ++c) {
        for (std::size_t r = 0; r < Sign::kRows; ++r) {
            if (sign.matriz[c][r] == 1) {
                picture[c] |= static_cast<std::uint8_t>(1U << r);
            }
        }
    }
    return picture;
}

void showPicture(Sign& sign, const Picture& picture) {
    sign.borrar();
    for (int c = 0; c < static_cast<int>(picture.size()); ++c) {
        sign.cbin(picture[static_cast<std::size_t>(c)], c);
        sign.envector(c);
    }
    sign.mostrar();
}

Picture shifted(const Picture& picture, ShiftDirection direction) {
    Picture result{};
    switch (direction) {
    case ShiftDirection::Left:
        std::copy(picture.begin() + 1, picture.end(), result.begin());
        break;
    case ShiftDirection::Right:
        std::copy(picture.begin(), picture.end() - 1, result.begin() + 1);
        break;
    case ShiftDirection::Up:
        std::transform(picture.begin(), picture.end(), result.begin(),
                       [](std::uint8_t c) { return static_cast<std::uint8_t>(c >> 1); });
        break;
    case ShiftDirection::Down:
        std::transform(picture.begin(), picture.end(), result.begin(),
                       [](std::uint8_t c) { return static_cast<std::uint8_t>(c << 1); });
        break;
    }
    return result;
}

Picture mirrored(const Picture& picture, MirrorAxis axis) {
    Picture result = picture;
    if (axis == MirrorAxis::Horizontal) {
        std::reverse(result.begin(), result.end());
        return result;
    }
    for (std::uint8_t& column : result) {
        std::uint8_t flipped = 0;
        for (int r = 0; r < Sign::kRows; ++r) {
            if ((column >> r) & 1U) {
                flipped |= static_cast<std::uint8_t>(1U << (Sign::kRows - 1 - r));
            }
        }
        column = flipped;
    }
    return result;
}

std::string pictureHex(const Picture& picture) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::uint8_t column : picture) {
        hex += kDigits[column >> 4];
        hex += kDigits[column & 0xF];
    }
    return hex;
}

std::optional<Picture> parsePictureHex(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    Picture picture{};
    if (text.size() != 2 * picture.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 0; k < picture.size(); ++k) {
        const int high = hexDigit(text[2 * k]);
        const int low = hexDigit(text[2 * k + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        picture[k] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return picture;
}

} // namespace lumivel
