// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/shown_sign.hpp"
#include "session/lumivel.hpp"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace lumivel::cli {

// The program's state started as the main window starts it, drawing on a ShownSign
// instead of a window, with a chosen font.
class OffscreenSign {
  public:
    explicit OffscreenSign(int fontIndex);
    OffscreenSign(const OffscreenSign&) = delete;
    OffscreenSign& operator=(const OffscreenSign&) = delete;

    // Puts a UTF-8 text into Text1 on a cleared sign, as typing it would.
    void compose(const std::string& utf8);
    // Shows a picture's 64 columns on a cleared sign, as drawing it would.
    void showPicture(const std::array<std::uint8_t, 64>& columnas);

    // What is shown, as render prints it: the columns' hexadecimal line or ASCII art.
    void print(std::ostream& out, bool hex) const;

    Lumivel& state() { return lumivel_; }
    const ShownSign& shown() const { return shown_; }

  private:
    ShownSign shown_;
    Lumivel lumivel_;
};

} // namespace lumivel::cli
