#include "presentation/editing_mode.hpp"

#include "display/composition.hpp"

namespace lumivel {

void Option1_Click(EditorState& l, int index) {
    l.option1 = index == kModoDibujo ? kModoDibujo : kModoTexto;
    if (l.option1 == kModoDibujo) {
        // Drawing starts with the pencil, so a click lights the LED under it.
        l.herramienta = Herramienta::Lapiz;
    }
    l.sign.borrar();
    l.sign.mostrar();
    cambiarTexto(l, "");
}

void seleccionarOption1(EditorState& l, int index) {
    const int modo = index == kModoDibujo ? kModoDibujo : kModoTexto;
    if (l.option1 != modo) {
        Option1_Click(l, modo);
    }
}

bool modoElegido(const EditorState& l) {
    return l.option1 == kModoDibujo || l.option1 == kModoTexto;
}

ControlesDelModo controlesDelModo(const EditorState& l) {
    ControlesDelModo controles;
    if (l.option1 == kModoDibujo) {
        controles.lapiz = l.herramienta != Herramienta::Lapiz;
        controles.goma = l.herramienta != Herramienta::Goma;
        controles.herramientas = true;
    } else {
        controles.texto = true;
        controles.mayuscula = true;
    }
    return controles;
}

} // namespace lumivel
