#include "session/simulate_all.hpp"

#include "presentation/editing_mode.hpp"
#include "presentation/simulation.hpp"
#include "session/message_list.hpp"
#include "session/message_sequence.hpp"

namespace lumivel {

std::optional<std::vector<tipomensaje>> messagesToSimulate(const Lumivel& l, Dialogs& d) {
    std::vector<tipomensaje> mensajes;
    if (l.archivo.isOpen()) {
        Result<std::vector<tipomensaje>> activeRecords = activeMessages(l.archivo);
        if (!activeRecords.ok()) {
            showFileError(d, "No se pudo leer el archivo de mensajes.", activeRecords.error());
            return std::nullopt;
        }
        mensajes = std::move(activeRecords).value();
    }
    if (mensajes.empty()) {
        d.mensaje(noMessageBox());
        return std::nullopt;
    }
    return mensajes;
}

void simularTodo(EditorState& l, const std::vector<tipomensaje>& mensajes, Pacer& pacer) {
    const auto matriz = l.sign.matriz;
    const auto vector = l.sign.vector;
    playMessages(l, mensajes, pacer);
    if (l.option1 == kDrawingMode) {
        l.sign.matriz = matriz;
        l.sign.vector = vector;
        l.sign.mostrar();
    }
}

} // namespace lumivel
