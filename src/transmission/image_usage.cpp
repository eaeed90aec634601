// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/image_usage.hpp"

#include "transmission/transmission_image.hpp"

namespace lumivel {

std::string withThousands(int n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(static_cast<std::size_t>(i), ".");
    }
    return digits;
}

std::string imageUsage(int bytesNeeded) {
    return withThousands(bytesNeeded - 1) + " de " + withThousands(TransmissionImage::kLastIndex) +
           " bytes";
}

} // namespace lumivel
