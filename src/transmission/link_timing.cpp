// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/link_timing.hpp"

#include <algorithm>
#include <cmath>

namespace lumivel {
namespace {

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int transferExchanges(int imageBytes, bool withRequest) {
    const int bytes = std::max(imageBytes, 0);
    const int headers = (bytes + kBlockSize - 1) / kBlockSize;
    return bytes + headers * static_cast<int>(blockHeader(0).size()) + (withRequest ? 1 : 0);
}

std::string millisecondsText(double ms) {
    const long long tenths = std::llround(std::max(ms, 0.0) * 10);
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string durationText(double ms) {
    const long long seconds = std::max(1LL, static_cast<long long>(std::ceil(ms / 1000.0)));
    if (seconds < 60) {
        return std::to_string(seconds) + " s";
    }
    const std::string minutes = std::to_string(seconds / 60) + " min";
    return seconds % 60 == 0 ? minutes : minutes + " " + std::to_string(seconds % 60) + " s";
}

void TransferClock::begin() {
    exchangeStart_ = Clock::now();
    if (done_ == 0) {
        first_ = exchangeStart_;
    }
}

void TransferClock::end(bool answered) {
    last_ = Clock::now();
    ++done_;
    if (answered && static_cast<int>(samplesMs_.size()) < kSamples) {
        samplesMs_.push_back(
            std::chrono::duration<double, std::milli>(last_ - exchangeStart_).count());
    }
}

LinkMeasurement TransferClock::measurement() const {
    return {median(samplesMs_), static_cast<int>(samplesMs_.size()), exchanges_};
}

int TransferClock::secondsLeft() const {
    const int remaining = std::max(exchanges_ - done_, 0);
    if (remaining == 0) {
        return 0;
    }
    // The median of the first exchanges until enough have passed for their average to
    // smooth out one stalled echo.
    double perExchangeMs = median(samplesMs_);
    if (done_ >= 10 * kSamples) {
        perExchangeMs = std::chrono::duration<double, std::milli>(last_ - first_).count() / done_;
    }
    return static_cast<int>(std::ceil(perExchangeMs * remaining / 1000.0));
}

} // namespace lumivel
