// Measures how long the window takes to play each effect in real time, against the sum
// of its waits. Run with `make bench` (offscreen unless a display is set).
#include "display/composition.hpp"
#include "display/scripted_dialogs.hpp"
#include "presentation/ui/form3.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    lumivel::ScriptedDialogs dialogs;
    lumivel::Form3 form(&dialogs);
    form.show();

    struct Caso {
        const char* nombre;
        int opcion;
        const char* texto;
        double nominal; // milliseconds
        bool juzgado;   // held to 1 %: the walk redraws the text once more after its last wait
    };
    const Caso casos[] = {
        {"Por columna", 2, "HOLA", 8120, true},
        {"Por Fila", 1, "HOLA", 3510, true},
        {"Caminando", 0, "HOLA", (12 + 4 + 1) * 100, false},
    };
    bool todoBien = true;
    for (const Caso& caso : casos) {
        form.op_mostrar(caso.opcion)->click();
        lumivel::cambiarTexto(form.estado(), caso.texto);
        form.reflejar();
        QElapsedTimer reloj;
        reloj.start();
        emit form.Play()->clicked();
        const double medido = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
        const double desvio = 100.0 * (medido - caso.nominal) / caso.nominal;
        const bool bien = !caso.juzgado || std::fabs(desvio) <= 1.0;
        todoBien = todoBien && bien;
        std::printf("%-12s nominal %6.0f ms  medido %8.1f ms  desvio %+5.2f %%  %s\n", caso.nombre,
                    caso.nominal, medido, desvio,
                    !caso.juzgado ? "(informativo)"
                    : bien        ? "ok"
                                  : "FUERA DEL 1 %");
    }
    return todoBien ? 0 : 1;
}
