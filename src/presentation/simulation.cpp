#include "presentation/simulation.hpp"

#include "presentation/effects.hpp"

namespace lumivel {

CajaMensaje cajaNoHayMensaje() {
    CajaMensaje caja;
    caja.titulo = "No hay Mensaje";
    caja.texto = "No Existe mensaje a simular\r\nEscriba su texto para simular";
    caja.botones = Botones::Aceptar;
    caja.icono = Icono::Ninguno;
    caja.porDefecto = Respuesta::Aceptar;
    return caja;
}

bool Play_Click(EditorState& l, Dialogs& dialogs, Pacer& pacer) {
    if (l.texto.empty()) {
        dialogs.mensaje(cajaNoHayMensaje());
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

void Reloj_Click(EditorState& l, Pacer& pacer, int milisegundosPorCuadro) {
    for (int i = 0; i <= 32; i += 2) {
        l.sign.borrar();
        l.sign.mostrar();
        l.sign.uno(i);
        if (milisegundosPorCuadro > 0) {
            pacer.esperar(milisegundosPorCuadro);
            if (pacer.detenido()) {
                return;
            }
        }
        l.sign.borrar();
        l.sign.mostrar();
        l.sign.dos(i + 1);
        if (milisegundosPorCuadro > 0) {
            pacer.esperar(milisegundosPorCuadro);
            if (pacer.detenido()) {
                return;
            }
        }
    }
}

} // namespace lumivel
