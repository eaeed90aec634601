// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/shown_sign.hpp"
#include "presentation/pacer.hpp"

#include <functional>
#include <string>
#include <vector>

namespace lumivel {

// A pacer that does not sleep: it records every wait and, when given the shown sign,
// what a person would see on the sign during that wait.
class RecordingPacer : public Pacer {
  public:
    struct Delay {
        int durationMs = 0;
        std::string columnas; // the 64 visible column bytes in hexadecimal, when recorded
    };

    explicit RecordingPacer(const ShownSign* shown = nullptr) : shown_(shown) {}

    void wait(int durationMs) override;
    bool stopped() const override { return stopped_; }

    // Called at each wait, after it is recorded (tests use it to act mid-effect).
    std::function<void(const Delay&)> onWait;
    // Stops the effect after this many waits; negative: never.
    int stopAfter = -1;

    const std::vector<Delay>& delays() const { return waits_; }
    long long totalMs() const;

  private:
    const ShownSign* shown_;
    std::vector<Delay> waits_;
    bool stopped_ = false;
};

} // namespace lumivel
