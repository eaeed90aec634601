#include "ui/gui_pacer.hpp"

#include "ui/input_blocker.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace lumivel {

GuiPacer::GuiPacer(std::function<void()> antesDeEsperar)
    : antesDeEsperar_(std::move(antesDeEsperar)) {
    reloj_.start();
}

GuiPacer::~GuiPacer() = default;

void GuiPacer::esperar(int milisegundos) {
    plazo_ += milisegundos;
    if (detenido_) {
        return;
    }
    if (blocker_ == nullptr) {
        // Events are handled only inside the waits, so blocking input from the first one
        // on covers the whole effect, and leaves a message box shown before it usable.
        blocker_ = std::make_unique<InputBlocker>();
    }
    if (antesDeEsperar_) {
        antesDeEsperar_();
    }
    // Show the frame at once, even when drawing it has used up the whole wait.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (!detenido_) {
        const qint64 resta = plazo_ - reloj_.elapsed();
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
        bucle_ = &bucle;
        bucle.exec();
        bucle_ = nullptr;
        if (!vencido && !detenido_) {
            // Something else ended the loop (the application is quitting): stop the effect.
            detenido_ = true;
        }
    }
}

void GuiPacer::detener() {
    detenido_ = true;
    if (bucle_ != nullptr) {
        bucle_->quit();
    }
}

} // namespace lumivel
