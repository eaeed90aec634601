// Measures how long the window takes to play each effect in real time, against the sum
// of its waits. Run with `make bench` (offscreen unless a display is set).
#include "bench/median.hpp"
#include "display/composition.hpp"
#include "display/scripted_dialogs.hpp"
#include "windows/form3.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

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
    constexpr int kRondas = 3;
    auto* play = form.findChild<QPushButton*>(QStringLiteral("Play"));
    for (const Caso& caso : casos) {
        form.findChild<QAbstractButton*>(QStringLiteral("op_mostrar_%1").arg(caso.opcion))->click();
        std::vector<double> medidas;
        for (int ronda = 0; ronda < kRondas; ++ronda) {
            lumivel::changeText(form.state(), "");
            lumivel::changeText(form.state(), caso.texto);
            form.showControls();
            QElapsedTimer reloj;
            reloj.start();
            emit play->clicked();
            medidas.push_back(static_cast<double>(reloj.nsecsElapsed()) / 1e6);
        }
        const double medido = lumivel::bench::median(medidas);
        const double desvio = 100.0 * (medido - caso.nominal) / caso.nominal;
        std::printf(
            "| \"%s\" of \"%s\" played in the window (%s) | %.1f ms median of %d (%+.2f %%) "
            "| %.0f ms%s | `bench_effects` |\n",
            caso.nombre, caso.texto, qPrintable(QApplication::platformName()), medido, kRondas,
            desvio, caso.nominal,
            caso.juzgado ? " within 1 %" : " (the walk redraws once more after its last wait)");
    }
    return 0;
}
