#include "windows/playback_controller.hpp"

#include "presentation/simulation.hpp"
#include "ui/gui_pacer.hpp"

namespace lumivel {

PlaybackController::PlaybackController(Lumivel& l, Dialogs& d, std::function<void()> showFrame,
                                       std::function<void()> reflejar, QObject* parent)
    : QObject(parent), l_(l), d_(d), showFrame_(std::move(showFrame)),
      reflejar_(std::move(reflejar)) {}

template <typename Efecto> void PlaybackController::reproducir(Efecto efecto) {
    if (pacer_ != nullptr) {
        return; // one effect at a time
    }
    GuiPacer pacer(showFrame_);
    pacer_ = &pacer;
    efecto(pacer);
    pacer_ = nullptr;
    if (reflejar_) {
        reflejar_();
    }
    if (cerrarAlTerminar_) {
        cerrarAlTerminar_ = false;
        emit closeRequested();
    }
}

void PlaybackController::Play_Click() {
    reproducir([this](Pacer& pacer) { lumivel::Play_Click(l_, d_, pacer); });
}

void PlaybackController::Reloj_Click() {
    reproducir([this](Pacer& pacer) { lumivel::Reloj_Click(l_, pacer); });
}

void PlaybackController::stopAndClose() {
    if (pacer_ == nullptr) {
        return;
    }
    cerrarAlTerminar_ = true;
    pacer_->detener();
}

} // namespace lumivel
