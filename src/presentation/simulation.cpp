#include "presentation/simulation.hpp"

#include "presentation/effects.hpp"

namespace lumivel {

MessageBoxSpec noMessageBox() {
    MessageBoxSpec caja;
    caja.title = "No hay Mensaje";
    caja.texto = "No Existe mensaje a simular\r\nEscriba su texto para simular";
    caja.botones = Buttons::Ok;
    caja.icono = Icon::None;
    caja.defaultAnswer = Answer::Ok;
    return caja;
}

bool Play_Click(EditorState& l, Dialogs& dialogs, Pacer& pacer) {
    if (l.texto.empty()) {
        dialogs.mensaje(noMessageBox());
        return false;
    }
    switch (l.tipopresentacion) {
    case 1:
        caminar(l, pacer);
        return true;
    case 2:
        porfila(l, pacer);
        return true;
    case 3:
        porcolumna(l, pacer);
        return true;
    default:
        return false;
    }
}

void Reloj_Click(EditorState& l, Pacer& pacer, int msPerFrame) {
    for (int i = 0; i <= 32; i += 2) {
        l.sign.borrar();
        l.sign.mostrar();
        l.sign.uno(i);
        if (msPerFrame > 0) {
            pacer.esperar(msPerFrame);
            if (pacer.detenido()) {
                return;
            }
        }
        l.sign.borrar();
        l.sign.mostrar();
        l.sign.dos(i + 1);
        if (msPerFrame > 0) {
            pacer.esperar(msPerFrame);
            if (pacer.detenido()) {
                return;
            }
        }
    }
}

} // namespace lumivel
