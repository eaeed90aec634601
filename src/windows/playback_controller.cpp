// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/playback_controller.hpp"

#include "presentation/simulation.hpp"
#include "session/simulate_all.hpp"
#include "ui/gui_pacer.hpp"
#include "windows/state_changes.hpp"

namespace lumivel {

PlaybackController::PlaybackController(Lumivel& l, Dialogs& d, StateChanges& changes,
                                       QObject* parent)
    : QObject(parent), l_(l), d_(d), changes_(changes) {}

void PlaybackController::announceEditor() {
    emit changes_.modeChanged();
    emit changes_.textChanged();
}

template <typename Effect> void PlaybackController::play(Effect effect) {
    if (pacer_ != nullptr) {
        return; // one effect at a time
    }
    GuiPacer pacer([this] { emit changes_.textChanged(); });
    pacer_ = &pacer;
    effect(pacer);
    pacer_ = nullptr;
    announceEditor();
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
    const std::optional<std::vector<tipomensaje>> messages = messagesToSimulate(l_, d_);
    if (!messages) {
        return;
    }
    // The window follows the message playing: its number in the list, its font and effect.
    const int selected = l_.lstcodigoIndex;
    play([this, &messages, selected](Pacer& pacer) {
        simularTodo(l_, *messages, pacer, [this, &messages](std::size_t k) {
            l_.lstcodigoIndex = k < l_.lstcodigo.size() ? static_cast<int>(k) : -1;
            announceEditor();
            emit changes_.listChanged();
            emit playing(QString::fromStdString(playingNotice(k, messages->size())));
        });
        l_.lstcodigoIndex = selected;
        emit changes_.listChanged();
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
