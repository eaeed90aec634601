#include "windows/playback_controller.hpp"

#include "presentation/editing_mode.hpp"
#include "presentation/simulation.hpp"
#include "session/message_sequence.hpp"
#include "ui/gui_pacer.hpp"

namespace lumivel {

PlaybackController::PlaybackController(Lumivel& l, Dialogs& d, std::function<void()> showFrame,
                                       std::function<void()> showControls, QObject* parent)
    : QObject(parent), l_(l), d_(d), showFrame_(std::move(showFrame)),
      showState_(std::move(showControls)) {}

template <typename Effect> void PlaybackController::play(Effect effect) {
    if (pacer_ != nullptr) {
        return; // one effect at a time
    }
    GuiPacer pacer(showFrame_);
    pacer_ = &pacer;
    effect(pacer);
    pacer_ = nullptr;
    if (showState_) {
        showState_();
    }
    if (closeWhenDone_) {
        closeWhenDone_ = false;
        emit closeRequested();
    }
}

void PlaybackController::Play_Click() {
    play([this](Pacer& pacer) { lumivel::Play_Click(l_, d_, pacer); });
}

void PlaybackController::Reloj_Click() {
    play([this](Pacer& pacer) { lumivel::Reloj_Click(l_, pacer); });
}

void PlaybackController::playAll() {
    if (pacer_ != nullptr) {
        return; // one effect at a time
    }
    std::vector<tipomensaje> mensajes;
    if (l_.archivo.isOpen()) {
        Result<std::vector<tipomensaje>> activeRecords = activeMessages(l_.archivo);
        if (!activeRecords.ok()) {
            showFileError(d_, "No se pudo leer el archivo de mensajes.", activeRecords.error());
            return;
        }
        mensajes = std::move(activeRecords).value();
    }
    if (mensajes.empty()) {
        d_.mensaje(noMessageBox());
        return;
    }
    const auto matriz = l_.sign.matriz;
    const auto vector = l_.sign.vector;
    play([this, &mensajes](Pacer& pacer) { playMessages(l_, mensajes, pacer); });
    // A drawing being edited is no message of the file: it comes back once they have played.
    if (l_.option1 == kDrawingMode) {
        l_.sign.matriz = matriz;
        l_.sign.vector = vector;
        l_.sign.mostrar();
    }
}

void PlaybackController::stopAndClose() {
    if (pacer_ == nullptr) {
        return;
    }
    closeWhenDone_ = true;
    pacer_->stop();
}

} // namespace lumivel
