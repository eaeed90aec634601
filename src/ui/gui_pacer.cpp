#include "ui/gui_pacer.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace lumivel {

GuiPacer::GuiPacer(std::function<void()> antesDeEsperar)
    : antesDeEsperar_(std::move(antesDeEsperar)) {
    reloj_.start();
}

GuiPacer::~GuiPacer() {
    if (filtrando_) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

void GuiPacer::esperar(int milisegundos) {
    plazo_ += milisegundos;
    if (detenido_) {
        return;
    }
    if (!filtrando_) {
        // Events are handled only inside the waits, so blocking input from the first one
        // on covers the whole effect, and leaves a message box shown before it usable.
        QCoreApplication::instance()->installEventFilter(this);
        filtrando_ = true;
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
        connect(&temporizador, &QTimer::timeout, &bucle, [&] {
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

bool GuiPacer::esEntradaDeUsuario(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool GuiPacer::eventFilter(QObject* watched, QEvent* event) {
    if (esEntradaDeUsuario(event)) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumivel
