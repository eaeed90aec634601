// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "presentation/pacer.hpp"

#include <QElapsedTimer>
#include <functional>
#include <memory>

class QEventLoop;

namespace lumivel {

class InputBlocker;

// Plays an effect in real time in the window. From its first wait until it is destroyed
// every user input of the application is swallowed (see InputBlocker); painting and
// timers go on. Frame deadlines are counted from its creation on a monotonic clock, so
// drawing time does not add up over the frames.
class GuiPacer : public Pacer {
  public:
    // `beforeWait` runs before each wait, to bring the controls in line with the frame.
    explicit GuiPacer(std::function<void()> beforeWait = {});
    ~GuiPacer() override;
    GuiPacer(const GuiPacer&) = delete;
    GuiPacer& operator=(const GuiPacer&) = delete;

    void wait(int durationMs) override;
    bool stopped() const override { return stopped_; }
    // Ends the current wait at once and makes the effect stop at its next check.
    void stop();

  private:
    std::function<void()> beforeWait_;
    QElapsedTimer clock_;
    qint64 deadline_ = 0; // milliseconds since creation at which the current wait ends
    bool stopped_ = false;
    std::unique_ptr<InputBlocker> blocker_;
    QEventLoop* loop_ = nullptr;
};

} // namespace lumivel
