// SPDX-License-Identifier: GPL-3.0-or-later
#include "targets.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumivel::fuzz::runSignDecoder(data, size);
    return 0;
}
