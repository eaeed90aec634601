// SPDX-License-Identifier: GPL-3.0-or-later
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

    struct Case {
        const char* name;
        int option;
        const char* texto;
        double nominal; // milliseconds
        bool judged;    // held to 1 %: the walk redraws the text once more after its last wait
    };
    const Case cases[] = {
        {"Por columna", 2, "HOLA", 8120, true},
        {"Por Fila", 1, "HOLA", 3510, true},
        {"Caminando", 0, "HOLA", (12 + 4 + 1) * 100, false},
    };
    constexpr int kRounds = 3;
    auto* play = form.findChild<QPushButton*>(QStringLiteral("Play"));
    for (const Case& benchCase : cases) {
        form.findChild<QAbstractButton*>(QStringLiteral("op_mostrar_%1").arg(benchCase.option))
            ->click();
        std::vector<double> measured;
        for (int round = 0; round < kRounds; ++round) {
            lumivel::changeText(form.state(), "");
            lumivel::changeText(form.state(), benchCase.texto);
            emit form.changes().textChanged();
            QElapsedTimer stopwatch;
            stopwatch.start();
            emit play->clicked();
            measured.push_back(static_cast<double>(stopwatch.nsecsElapsed()) / 1e6);
        }
        const double measuredMs = lumivel::bench::median(measured);
        const double deviation = 100.0 * (measuredMs - benchCase.nominal) / benchCase.nominal;
        std::printf(
            "| \"%s\" of \"%s\" played in the window (%s) | %.1f ms median of %d (%+.2f %%) "
            "| %.0f ms%s | `bench_effects` |\n",
            benchCase.name, benchCase.texto, qPrintable(QApplication::platformName()), measuredMs,
            kRounds, deviation, benchCase.nominal,
            benchCase.judged ? " within 1 %" : " (the walk redraws once more after its last wait)");
    }
    return 0;
}
