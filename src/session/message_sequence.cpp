// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/message_sequence.hpp"

#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/scripted_dialogs.hpp"
#include "presentation/effects.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/simulation.hpp"

namespace lumivel {
namespace {

void showPicture(EditorState& l, const tipomensaje& mensaje, Pacer& pacer) {
    const auto columnas = decodePicture(mensaje.texto);
    l.sign.borrar();
    for (int k = 0; k < 64; ++k) {
        l.sign.cbin(columnas[static_cast<std::size_t>(k)], k);
    }
    l.sign.mostrar();
    pacer.wait(kHoldMs);
}

// As recalling it would: a font code no option has keeps the font shown before.
void selectFor(EditorState& l, const tipomensaje& mensaje) {
    if (mensaje.isPicture() || mensaje.presentacion < 1 || mensaje.presentacion > 3) {
        return;
    }
    if (mensaje.letra >= 1 && mensaje.letra <= 4) {
        selectOpletra(l, mensaje.letra - 1);
    }
    selectOpMostrar(l, mensaje.presentacion - 1);
}

void playText(EditorState& l, const tipomensaje& mensaje, Pacer& pacer) {
    if (mensaje.presentacion < 1 || mensaje.presentacion > 3) {
        return;
    }
    l.texto = storedText(mensaje);
    Text1_Change(l);
    if (l.texto.empty()) {
        return;
    }
    // Never shown: the text is not empty.
    ScriptedDialogs unused;
    Play_Click(l, unused, pacer);
}

} // namespace

Result<std::vector<tipomensaje>> activeMessages(const MessageFile& archivo) {
    Result<std::vector<tipomensaje>> messages = archivo.readRecords();
    if (messages.ok()) {
        std::erase_if(messages.value(), [](const tipomensaje& m) { return !m.isActive(); });
    }
    return messages;
}

void playMessages(EditorState& l, const std::vector<tipomensaje>& messages, Pacer& pacer,
                  const std::function<void(std::size_t)>& beforeEach) {
    for (std::size_t k = 0; k < messages.size(); ++k) {
        const tipomensaje& mensaje = messages[k];
        selectFor(l, mensaje);
        if (beforeEach) {
            beforeEach(k);
        }
        if (mensaje.isPicture()) {
            showPicture(l, mensaje, pacer);
        } else {
            playText(l, mensaje, pacer);
        }
        if (pacer.stopped()) {
            return;
        }
    }
}

} // namespace lumivel
