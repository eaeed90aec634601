// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumivel {

// How an effect waits between frames. The window waits on a monotonic clock and keeps
// painting; tests and the command line record the frame and return at once.
class Pacer {
  public:
    virtual ~Pacer() = default;
    virtual void wait(int durationMs) = 0;
    // True once the effect should end early (the window is closing); effects check it
    // after every wait.
    virtual bool stopped() const { return false; }
};

} // namespace lumivel
