// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/startup.hpp"

#include "appearance/skin_table.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"

namespace lumivel {

void startUp(Lumivel& l, const std::string& programFolder) {
    l.refresco = true;
    l.sign.rojo = 220;
    l.sign.verde = 220;
    l.sign.azul = 220;
    l.sign.columnas = 63;
    l.sign.filas = 7;
    l.sign.escala = 3;
    l.sign.grosor = 2;
    l.sign.lumivel(63, 7, 3, 2);

    l.refresco = false;
    selectOpletra(l, 0);
    l.refresco = true;
    l.tipoletra = 1;

    selectOpMostrar(l, 0);
    l.tipopresentacion = 1;

    selectOption1(l, kTextMode);
    changeText(l, kInitialText);
    l.totalmensajes = 1;
    l.archivoskin = defaultSkinPath(programFolder);
}

} // namespace lumivel
