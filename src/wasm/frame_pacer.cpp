// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/frame_pacer.hpp"

namespace lumivel {

void FramePacer::wait(int durationMs) {
    frames_.push_back({surface_.states(), durationMs});
}

bool FramePacer::stopped() const {
    return stopAfter_ >= 0 && static_cast<int>(frames_.size()) >= stopAfter_;
}

} // namespace lumivel
