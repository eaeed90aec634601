// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <vector>

namespace lumivel::bench {

inline double median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t mid = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

} // namespace lumivel::bench
