// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_surface.hpp"

#include <array>
#include <cstdint>
#include <string>

namespace lumivel {

// A surface that remembers which of the 64 x 8 visible LEDs were last drawn lit:
// what a person would see. The command line and the tests read the sign through it.
class ShownSign : public SignSurface {
  public:
    static constexpr int kColumns = 64;
    static constexpr int kRows = 8;

    void setSize(int width, int height) override;
    void drawLed(const LedStroke& stroke) override;
    void erase() override;

    bool lit(int column, int row) const;
    Rgb centre(int column, int row) const;
    // Column byte of what is shown: bit r set when row r is lit.
    std::uint8_t columnByte(int column) const;
    // "7E 09 ..." : the 64 visible column bytes.
    std::string hexLine() const;
    // Eight lines of 64 characters, '#' lit and '.' unlit, row 0 first.
    std::string asciiArt() const;
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    std::array<std::array<bool, kRows>, kColumns> lit_{};
    std::array<std::array<Rgb, kRows>, kColumns> centre_{};
    int width_ = 0;
    int height_ = 0;
};

} // namespace lumivel
