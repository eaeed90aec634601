// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/recording_pacer.hpp"

namespace lumivel {

void RecordingPacer::wait(int durationMs) {
    Delay delay{durationMs, shown_ != nullptr ? shown_->hexLine() : std::string()};
    waits_.push_back(delay);
    if (onWait) {
        onWait(waits_.back());
    }
    if (stopAfter >= 0 && static_cast<int>(waits_.size()) >= stopAfter) {
        stopped_ = true;
    }
}

long long RecordingPacer::totalMs() const {
    long long total = 0;
    for (const Delay& delay : waits_) {
        total += delay.durationMs;
    }
    return total;
}

} // namespace lumivel
