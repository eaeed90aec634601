// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/simulate_all.hpp"

#include "display/font_choice.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/simulation.hpp"
#include "session/message_list.hpp"
#include "session/message_sequence.hpp"

namespace lumivel {

std::optional<std::vector<tipomensaje>> messagesToSimulate(const Lumivel& l, Dialogs& d) {
    std::vector<tipomensaje> messages;
    if (l.archivo.isOpen()) {
        Result<std::vector<tipomensaje>> activeRecords = activeMessages(l.archivo);
        if (!activeRecords.ok()) {
            showFileError(d, "No se pudo leer el archivo de mensajes.", activeRecords.error());
            return std::nullopt;
        }
        messages = std::move(activeRecords).value();
    }
    if (messages.empty()) {
        d.mensaje(noMessageBox());
        return std::nullopt;
    }
    return messages;
}

void simularTodo(EditorState& l, const std::vector<tipomensaje>& messages, Pacer& pacer,
                 const std::function<void(std::size_t)>& beforeEach) {
    const auto matriz = l.sign.matriz;
    const auto vector = l.sign.vector;
    const std::string texto = l.texto;
    const std::int16_t xletra = l.xletra;
    const int opletra = l.opletra;
    const int opMostrar = l.opMostrar;
    playMessages(l, messages, pacer, beforeEach);
    // The font's own handling reloads its table; the text and sign then go back as they were,
    // whatever the font's change composed.
    l.texto = texto;
    if (opletra >= 0) {
        selectOpletra(l, opletra);
    }
    if (opMostrar >= 0) {
        selectOpMostrar(l, opMostrar);
    }
    l.xletra = xletra;
    l.sign.matriz = matriz;
    l.sign.vector = vector;
    l.sign.mostrar();
}

std::string playingNotice(std::size_t index, std::size_t total) {
    return "Mensaje " + std::to_string(index + 1) + " de " + std::to_string(total);
}

} // namespace lumivel
