#include "presentation/recording_pacer.hpp"

namespace lumivel {

void RecordingPacer::esperar(int milisegundos) {
    Espera espera{milisegundos, visto_ != nullptr ? visto_->hexLine() : std::string()};
    esperas_.push_back(espera);
    if (alEsperar) {
        alEsperar(esperas_.back());
    }
    if (detenerTras >= 0 && static_cast<int>(esperas_.size()) >= detenerTras) {
        detenido_ = true;
    }
}

long long RecordingPacer::totalMilisegundos() const {
    long long total = 0;
    for (const Espera& espera : esperas_) {
        total += espera.milisegundos;
    }
    return total;
}

} // namespace lumivel
