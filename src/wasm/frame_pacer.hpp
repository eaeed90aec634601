// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "presentation/pacer.hpp"
#include "wasm/led_surface.hpp"

#include <vector>

namespace lumivel {

// Runs an effect at once and keeps, for every wait, what the sign shows during it; the
// page then plays the frames on its own clock. Stopping after N waits ends the effect
// where Esc after the Nth frame would.
class FramePacer : public Pacer {
  public:
    struct Frame {
        LedSurface::States states;
        int durationMs = 0;
    };

    FramePacer(const LedSurface& surface, int stopAfter)
        : surface_(surface), stopAfter_(stopAfter) {}

    void wait(int durationMs) override;
    bool stopped() const override;

    const std::vector<Frame>& frames() const { return frames_; }

  private:
    const LedSurface& surface_;
    int stopAfter_; // negative: never
    std::vector<Frame> frames_;
};

} // namespace lumivel
