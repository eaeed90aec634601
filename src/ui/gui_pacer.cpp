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

void GuiPacer::esperar(int milisegundos) {
    deadline_ += milisegundos;
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
        const qint64 resta = deadline_ - clock_.elapsed();
        if (resta <= 0) {
            return;
        }
        QEventLoop bucle;
        QTimer temporizador;
        temporizador.setSingleShot(true);
        temporizador.setTimerType(Qt::PreciseTimer);
        bool vencido = false;
        QObject::connect(&temporizador, &QTimer::timeout, &bucle, [&] {
            vencido = true;
            bucle.quit();
        });
        temporizador.start(static_cast<int>(resta));
        loop_ = &bucle;
        bucle.exec();
        loop_ = nullptr;
        if (!vencido && !stopped_) {
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
