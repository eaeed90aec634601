// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/simulation.hpp"

#include "presentation/effects.hpp"

namespace lumivel {

MessageBoxSpec noMessageBox() {
    MessageBoxSpec box;
    box.title = "No hay Mensaje";
    box.texto = "No Existe mensaje a simular\r\nEscriba su texto para simular";
    box.buttons = Buttons::Ok;
    box.icon = Icon::None;
    box.defaultAnswer = Answer::Ok;
    return box;
}

bool Play_Click(EditorState& l, Dialogs& dialogs, Pacer& pacer) {
    if (l.texto.empty()) {
        dialogs.mensaje(noMessageBox());
        return false;
    }
    switch (l.tipopresentacion) {
    case 1:
        caminar(l, pacer); // puts the text back even when stopped
        return true;
    case 2:
        porfila(l, pacer);
        break;
    case 3:
        porcolumna(l, pacer);
        break;
    default:
        return false;
    }
    // Both end on a dark sign; a stopped one ends as if it had run to the end.
    if (pacer.stopped()) {
        l.sign.borrar();
        l.sign.mostrar();
    }
    return true;
}

void Reloj_Click(EditorState& l, Pacer& pacer, int msPerFrame) {
    for (int i = 0; i <= 32; i += 2) {
        l.sign.borrar();
        l.sign.mostrar();
        l.sign.uno(i);
        if (msPerFrame > 0) {
            pacer.wait(msPerFrame);
            if (pacer.stopped()) {
                return;
            }
        }
        l.sign.borrar();
        l.sign.mostrar();
        l.sign.dos(i + 1);
        if (msPerFrame > 0) {
            pacer.wait(msPerFrame);
            if (pacer.stopped()) {
                return;
            }
        }
    }
}

} // namespace lumivel
