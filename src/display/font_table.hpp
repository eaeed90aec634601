// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace lumivel {

// The font table `fuente`: column bytes of characters 32..126, five per character,
// at index (code - 32) * 5 + column. Entries past those written stay 0.
class FontTable {
  public:
    static constexpr int kEntries = 1001;

    // Parses a font text: two hexadecimal digits per entry, up to and including an
    // empty pair at the end, never past the last entry.
    void cargaletra(std::string_view strin);

    // Entry `index`; indexes beyond the table read as 0 so no character reaches past it.
    std::int16_t operator()(int index) const;

  private:
    std::array<std::int16_t, kEntries> table_{};
};

} // namespace lumivel
