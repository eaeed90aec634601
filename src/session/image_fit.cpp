// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/image_fit.hpp"

#include "session/message_list.hpp"
#include "session/message_sequence.hpp"
#include "transmission/image_usage.hpp"
#include "transmission/transmission_image.hpp"

namespace lumivel {
namespace {

std::vector<tipomensaje> activeOrNone(const Lumivel& l) {
    if (!l.archivo.isOpen()) {
        return {};
    }
    Result<std::vector<tipomensaje>> activeRecords = activeMessages(l.archivo);
    return activeRecords.ok() ? activeRecords.value() : std::vector<tipomensaje>{};
}

} // namespace

int openFileImageBytes(const Lumivel& l) {
    return imageBytesNeeded(activeOrNone(l));
}

bool confirmAddFits(const Lumivel& l, Dialogs& d) {
    std::vector<tipomensaje> activeRecords = activeOrNone(l);
    activeRecords.push_back(editorMessage(l));
    const int bytes = imageBytesNeeded(activeRecords);
    if (bytes <= TransmissionImage::kCapacity) {
        return true;
    }
    MessageBoxSpec box;
    box.title = "Imagen demasiado grande";
    box.texto = "Con este mensaje la imagen ocuparía " + imageUsage(bytes) +
                ": no se podrá enviar al Lumivel.\r\n¿Adicionarlo de todos modos?";
    box.buttons = Buttons::YesNo;
    box.icon = Icon::Exclamation;
    box.defaultAnswer = Answer::No;
    return d.mensaje(box) == Answer::Yes;
}

} // namespace lumivel
