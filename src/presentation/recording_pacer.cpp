#include "presentation/recording_pacer.hpp"

namespace lumivel {

void RecordingPacer::esperar(int milisegundos) {
    Espera espera{milisegundos, shown_ != nullptr ? shown_->hexLine() : std::string()};
    waits_.push_back(espera);
    if (onWait) {
        onWait(waits_.back());
    }
    if (stopAfter >= 0 && static_cast<int>(waits_.size()) >= stopAfter) {
        stopped_ = true;
    }
}

long long RecordingPacer::totalMs() const {
    long long total = 0;
    for (const Espera& espera : waits_) {
        total += espera.milisegundos;
    }
    return total;
}

} // namespace lumivel
