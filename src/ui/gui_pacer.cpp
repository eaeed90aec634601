// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gui_pacer.hpp"

#include "ui/input_blocker.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace lumivel {

GuiPacer::GuiPacer(std::function<void()> beforeWait) : beforeWait_(std::move(beforeWait)) {
    clock_.start();
}

GuiPacer::~GuiPacer() = default;

void GuiPacer::wait(int durationMs) {
    deadline_ += durationMs;
    if (stopped_) {
        return;
    }
    if (blocker_ == nullptr) {
        // Events are handled only inside the waits, so blocking input from the first one
        // on covers the whole effect, and leaves a message box shown before it usable.
        blocker_ = std::make_unique<InputBlocker>();
        // Esc is the one key an effect listens to: it stops it.
        blocker_->setOnEscape([this] { stop(); });
    }
    if (beforeWait_) {
        beforeWait_();
    }
    // Show the frame at once, even when drawing it has used up the whole wait.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (!stopped_) {
        const qint64 subtract = deadline_ - clock_.elapsed();
        if (subtract <= 0) {
            return;
        }
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        bool expired = false;
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            expired = true;
            loop.quit();
        });
        timer.start(static_cast<int>(subtract));
        loop_ = &loop;
        loop.exec();
        loop_ = nullptr;
        if (!expired && !stopped_) {
            // Something else ended the loop (the application is quitting): stop the effect.
            stopped_ = true;
        }
    }
}

void GuiPacer::stop() {
    stopped_ = true;
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

} // namespace lumivel
