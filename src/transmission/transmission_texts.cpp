// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/transmission_texts.hpp"

namespace lumivel {

std::string messagesCaption(const LoadResult& load) {
    const bool hasMessages = load.estado != ImageState::NothingToSend;
    return "MENSAJES EN TOTAL      " + std::to_string(hasMessages ? load.activeMessages : 0);
}

Caption sizeCaption(const LoadResult& load, int ndatos) {
    const std::string available =
        " Utilizados / " + std::to_string(TransmissionImage::kLastIndex) + " Disponibles";
    switch (load.estado) {
    case ImageState::Ready:
        // The caption counts the last index, not the bytes: say how the figures meet.
        return {std::to_string(ndatos) + available,
                "Se envían " + std::to_string(ndatos + 1) + " bytes, del índice 0 al " +
                    std::to_string(ndatos) +
                    ": «Utilizados» y la barra de estado de la ventana principal dan el último "
                    "índice; «Disponibles», el último que admite el Lumivel"};
    case ImageState::NothingToSend:
        return {"0" + available, {}};
    case ImageState::TooLarge:
        return {std::to_string(load.bytesNeeded - 1) + available + " NO CABE", {}};
    case ImageState::ReadError:
        return {"Error al leer los mensajes", load.error ? load.error->describe() : std::string()};
    }
    return {};
}

std::string finishedStatus(const SendResult& result) {
    const std::string summary = transferSummary(result);
    return summary.empty() ? "No se ha enviado nada." : summary;
}

std::string estimateCaption(const LinkMeasurement& link) {
    return "Tiempo estimado: " + durationText(link.estimateMs());
}

std::string timeLeftCaption(int seconds) {
    return "Quedan " + (seconds > 0 ? durationText(seconds * 1000.0) : std::string("0 s"));
}

bool keepsConnectedTitle(Outcome outcome) {
    return outcome == Outcome::Verified || outcome == Outcome::WithErrors;
}

} // namespace lumivel
