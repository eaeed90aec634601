#include "windows/playback_controller.hpp"

#include "presentation/simulation.hpp"
#include "session/simulate_all.hpp"
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
    const std::optional<std::vector<tipomensaje>> mensajes = messagesToSimulate(l_, d_);
    if (!mensajes) {
        return;
    }
    // The window follows the message playing: its number in the list, its font and effect.
    const int selected = l_.lstcodigoIndex;
    play([this, &mensajes, selected](Pacer& pacer) {
        simularTodo(l_, *mensajes, pacer, [this, &mensajes](std::size_t k) {
            l_.lstcodigoIndex = k < l_.lstcodigo.size() ? static_cast<int>(k) : -1;
            if (showState_) {
                showState_();
            }
            emit playing(QString::fromStdString(playingNotice(k, mensajes->size())));
        });
        l_.lstcodigoIndex = selected;
        emit playing(QString());
    });
}

void PlaybackController::stopAndClose() {
    if (pacer_ == nullptr) {
        return;
    }
    closeWhenDone_ = true;
    pacer_->stop();
}

} // namespace lumivel
