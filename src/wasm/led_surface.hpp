// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_surface.hpp"

#include <array>
#include <cstdint>

namespace lumivel {

// The page's picture of the sign: what each of the 64 x 8 visible LEDs was last drawn as,
// for the canvas to paint. A last stroke is kept so the page can learn the LED look.
class LedSurface : public SignSurface {
  public:
    static constexpr int kColumns = 64;
    static constexpr int kRows = 8;
    enum State : std::uint8_t { Blank = 0, Unlit = 1, Lit = 2 };
    using States = std::array<std::uint8_t, std::size_t{kColumns} * kRows>;

    void setSize(int width, int height) override;
    void drawLed(const LedStroke& stroke) override;
    void erase() override;

    // Index column * 8 + row.
    const States& states() const { return states_; }
    void setStates(const States& states) { states_ = states; }
    const LedStroke& lastStroke() const { return last_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    States states_{};
    LedStroke last_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace lumivel
