// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "display/sign.hpp"
#include "display/sign_surface.hpp"

#include <array>
#include <cstdint>

namespace lumivel {

// Colours of the six preset options, in option order. 225 (not 255) and 220 are the
// sign's own shades.
inline constexpr std::array<Rgb, 6> kPresetColors = {Rgb{220, 220, 220}, Rgb{100, 100, 255},
                                                     Rgb{225, 0, 0},     Rgb{0, 225, 0},
                                                     Rgb{255, 128, 64},  Rgb{225, 225, 0}};
// The custom sample before a colour has been chosen for it.
inline constexpr Rgb kCustomSample{100, 100, 100};
inline constexpr int kCustomOption = 6;
inline constexpr int kColorOptions = 7;

// A platform colour value 0xBBGGRR split into its components, read as hexadecimal digits.
Rgb splitPlatformColor(std::uint32_t bbggrr);
// The inverse: the platform colour value of a colour.
std::uint32_t platformColor(Rgb color);

// The state and handlers of the LED colour window, apart from its widgets. It writes the
// sign's LED colour; the samples are drawn onto `samples` in their own colours, so
// drawing them never touches the current colour.
class ColorSettings {
  public:
    ColorSettings(Sign& sign, Dialogs& dialogs, SignSurface& samples)
        : sign_(sign), dialogs_(dialogs), samples_(samples) {}

    // The core steps of the window's load: remember the colour in force and reset the
    // sign geometry, as the window has always done.
    void cargar();
    // Window resize: draws the seven samples.
    void drawSamples();
    // Click on option `k` (0..6): clears the samples, redraws them, then sets the colour.
    void Option1_Click(int k);
    // The custom colour from the colour dialog; a cancelled dialog keeps the colour.
    void escogercolor();
    // "Cancelar": back to the colour in force when the window loaded.
    void cancel();

    Rgb initialColor() const { return {rojoinicial, verdeinicial, azulinicial}; }
    Rgb currentColor() const;

    std::int16_t rojoinicial = 0;
    std::int16_t verdeinicial = 0;
    std::int16_t azulinicial = 0;
    int escalamuestra = 5;
    std::int16_t grosormuestra = 4;

  private:
    void led(int x, int y, Rgb color);
    void setColor(Rgb color);

    Sign& sign_;
    Dialogs& dialogs_;
    SignSurface& samples_;
};

} // namespace lumivel
