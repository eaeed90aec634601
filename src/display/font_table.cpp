// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/font_table.hpp"

#include "base/hexadec.hpp"

namespace lumivel {

void FontTable::cargaletra(std::string_view strin) {
    const std::size_t n = strin.size();
    int k = 0;
    for (std::size_t i = 0; i <= n && k < kEntries; i += 2) {
        table_[k] = static_cast<std::int16_t>(hexadecValue(strin.substr(i, 2)));
        ++k;
    }
}

std::int16_t FontTable::operator()(int index) const {
    if (index < 0 || index >= kEntries) {
        return 0;
    }
    return table_[index];
}

} // namespace lumivel
