// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/color_config.hpp"

#include "base/hexadec.hpp"

#include <cmath>
#include <cstdio>
#include <string>

namespace lumivel {
namespace {

int ring(int component) {
    // nearbyint rounds halves to even in the default rounding mode, as the sign does.
    return static_cast<int>(std::nearbyint(component / 1.4));
}

std::int16_t component(int value) {
    return static_cast<std::int16_t>(value);
}

} // namespace

Rgb splitPlatformColor(std::uint32_t bbggrr) {
    // Six upper-case digits "BBGGRR": each pair is one component.
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06X", static_cast<unsigned>(bbggrr & 0xFFFFFFu));
    const std::string texto(digits);
    return {hexadecValue(texto.substr(4, 2)), hexadecValue(texto.substr(2, 2)),
            hexadecValue(texto.substr(0, 2))};
}

std::uint32_t platformColor(Rgb color) {
    return (static_cast<std::uint32_t>(color.b & 0xFF) << 16) |
           (static_cast<std::uint32_t>(color.g & 0xFF) << 8) |
           static_cast<std::uint32_t>(color.r & 0xFF);
}

Rgb ColorSettings::currentColor() const {
    return {sign_.rojo, sign_.verde, sign_.azul};
}

void ColorSettings::setColor(Rgb color) {
    sign_.rojo = component(color.r);
    sign_.verde = component(color.g);
    sign_.azul = component(color.b);
}

void ColorSettings::cargar() {
    rojoinicial = sign_.rojo;
    verdeinicial = sign_.verde;
    azulinicial = sign_.azul;
    sign_.columnas = 63;
    sign_.filas = 7;
    escalamuestra = 5;
    grosormuestra = 4;
    // The window once parked the LED colour at (40, 40, 40) here until the samples were
    // drawn; the samples now carry their own colours, so the current colour is left alone.
}

void ColorSettings::led(int x, int y, Rgb color) {
    LedStroke stroke;
    stroke.column = x;
    stroke.row = y;
    stroke.x = escalamuestra * (4 * x + 2);
    stroke.y = escalamuestra * (4 * y + 2);
    stroke.radius = escalamuestra / 2.0;
    stroke.ringPen = 4 * grosormuestra;
    stroke.ring = {ring(color.r), ring(color.g), ring(color.b)};
    // A wider centre dot than the sign's: three pen units instead of two.
    stroke.dotPen = 3 * grosormuestra;
    stroke.centre = color;
    stroke.lit = true;
    samples_.drawLed(stroke);
}

void ColorSettings::drawSamples() {
    for (int k = 0; k < kColorOptions; ++k) {
        const Rgb color =
            k < kCustomOption ? kPresetColors.at(static_cast<std::size_t>(k)) : kCustomSample;
        led(2 * k, 1, color);
    }
}

void ColorSettings::Option1_Click(int k) {
    if (k < 0 || k >= kColorOptions) {
        return;
    }
    samples_.erase();
    drawSamples();
    if (k < kCustomOption) {
        setColor(kPresetColors.at(static_cast<std::size_t>(k)));
    } else {
        escogercolor();
    }
}

void ColorSettings::escogercolor() {
    const std::optional<Rgb> chosen = dialogs_.chooseColor(currentColor());
    if (!chosen) {
        // Cancelled: keep the colour in force rather than taking an empty answer as black.
        return;
    }
    const Rgb color = splitPlatformColor(platformColor(*chosen));
    setColor(color);
    led(2 * kCustomOption, 1, color);
}

void ColorSettings::cancel() {
    setColor(initialColor());
}

} // namespace lumivel
