// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/picture_import.hpp"

#include <algorithm>
#include <stdexcept>

namespace lumivel {
namespace {

constexpr std::int64_t kSignWidth = 64;
constexpr std::int64_t kSignHeight = 8;

// The scaled size: the side that fills the sign keeps its full length, the other is the
// source's proportion rounded half up and at least one LED.
struct Fit {
    std::int64_t width;
    std::int64_t height;
};

Fit fitInsideSign(std::int64_t w, std::int64_t h) {
    if (w * kSignHeight >= h * kSignWidth) {
        return {kSignWidth,
                std::clamp((2 * h * kSignWidth + w) / (2 * w), std::int64_t{1}, kSignHeight)};
    }
    return {std::clamp((2 * w * kSignHeight + h) / (2 * h), std::int64_t{1}, kSignWidth),
            kSignHeight};
}

// Length shared by [a0, a1) and [b0, b1).
std::int64_t overlap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
    return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

} // namespace

// Area averaging in exact integers: along x, lengths are counted in units of 1/fit.width of
// a source pixel, so target LED i spans [i * w, (i + 1) * w) and source pixel x spans
// [x * fit.width, (x + 1) * fit.width); rows likewise. A source pixel weighs by the area it
// shares with the LED, partial pixels by their covered fraction. Centring puts the odd
// spare LED, if any, on the right and at the bottom. Luminance is kept scaled by
// 1000 * 255 (the weights and the alpha), so the threshold test is exact.
std::array<std::uint8_t, 64> importPicture(int width, int height,
                                           std::span<const std::uint8_t> rgba, int threshold,
                                           bool invert) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        throw std::invalid_argument("importPicture: the pixel bytes do not match the size");
    }
    const std::int64_t w = width;
    const std::int64_t h = height;
    const Fit fit = fitInsideSign(w, h);
    const std::int64_t left = (kSignWidth - fit.width) / 2;
    const std::int64_t top = (kSignHeight - fit.height) / 2;
    std::array<std::uint8_t, 64> columnas{};
    for (std::int64_t i = 0; i < fit.width; ++i) {
        const std::int64_t x0 = i * w / fit.width;
        const std::int64_t x1 = std::min(w, ((i + 1) * w + fit.width - 1) / fit.width);
        for (std::int64_t j = 0; j < fit.height; ++j) {
            const std::int64_t y0 = j * h / fit.height;
            const std::int64_t y1 = std::min(h, ((j + 1) * h + fit.height - 1) / fit.height);
            std::int64_t sum = 0;
            for (std::int64_t y = y0; y < y1; ++y) {
                const std::int64_t wy =
                    overlap(j * h, (j + 1) * h, y * fit.height, (y + 1) * fit.height);
                for (std::int64_t x = x0; x < x1; ++x) {
                    const std::int64_t wx =
                        overlap(i * w, (i + 1) * w, x * fit.width, (x + 1) * fit.width);
                    const auto* p = &rgba[static_cast<std::size_t>((y * w + x) * 4)];
                    const std::int64_t luminance = 299 * p[0] + 587 * p[1] + 114 * p[2];
                    sum += luminance * p[3] * wx * wy;
                }
            }
            // Every LED is covered by an area of w * h units. Inverting flips the image only:
            // the margins the fitting leaves stay unlit.
            const bool bright = sum >= std::int64_t{threshold} * 1000 * 255 * w * h;
            if (bright != invert) {
                columnas[static_cast<std::size_t>(left + i)] |=
                    static_cast<std::uint8_t>(1U << (top + j));
            }
        }
    }
    return columnas;
}

} // namespace lumivel
