#include "presentation/effects.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/recording_pacer.hpp"
#include "presentation/simulation.hpp"

#include "support/started_state.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

// The columns shown during each wait.
std::vector<Columnas> cuadros(const RecordingPacer& pacer) {
    std::vector<Columnas> c;
    for (const auto& espera : pacer.esperas()) {
        c.push_back(columnsOf(espera.columnas));
    }
    return c;
}

Columnas enmascarado(Columnas bytes, int mascara) {
    for (int& b : bytes) {
        b &= mascara;
    }
    return bytes;
}

const Columnas kApagado{};

} // namespace

class EffectsTest : public QObject {
    Q_OBJECT
  private slots:
    void porcolumnaRevealsHoldsAndBlanksColumnByColumn() {
        StartedState a;
        a.escribir("HOLA");
        const Columnas texto = a.columnas();
        const std::int16_t xletra = a.l.xletra;
        RecordingPacer pacer(&a.visto);
        porcolumna(a.l, pacer);
        const auto frames = cuadros(pacer);
        QCOMPARE(frames.size(), std::size_t{129});
        for (std::size_t k = 0; k < frames.size(); ++k) {
            QCOMPARE(pacer.esperas()[k].milisegundos, k == 64 ? 3000 : 40);
        }
        // Wait k shows the columns 0..k; the hold shows all; then 0..k go dark.
        for (int k = 0; k < 64; ++k) {
            Columnas revelado{};
            std::copy(texto.begin(), texto.begin() + k + 1, revelado.begin());
            QCOMPARE(frames[k], revelado);
            Columnas borrado = texto;
            std::fill(borrado.begin(), borrado.begin() + k + 1, 0);
            QCOMPARE(frames[65 + k], borrado);
        }
        QCOMPARE(frames[64], texto);
        QCOMPARE(a.encendidos(), 0);
        QCOMPARE(a.l.texto, std::string("HOLA"));
        QCOMPARE(a.l.xletra, xletra);
        QCOMPARE(a.l.sign.vector[10], std::int16_t{0});
        // A redraw leaves it dark; typing brings the text back.
        a.l.sign.refrescar();
        QCOMPARE(a.columnas(), kApagado);
        a.escribir("HOLA!");
        QVERIFY(a.columnas() != kApagado);
    }

    void porfilaRowsFromBottomUpThenTopDown_data() {
        QTest::addColumn<int>("fuente");
        QTest::addColumn<QString>("texto");
        QTest::newRow("5x5 HOLA") << 0 << "HOLA";
        QTest::newRow("5x9 with descenders") << 2 << "Ejpq gy";
        QTest::newRow("negrita wider than the sign") << 3 << "MMMMMMMMMMMMMMMMMMMM";
    }
    void porfilaRowsFromBottomUpThenTopDown() {
        QFETCH(int, fuente);
        QFETCH(QString, texto);
        StartedState a(fuente);
        a.escribir(texto.toStdString());
        const Columnas completo = a.columnas();
        a.l.sign.vector[5] = 77; // porfila leaves the column image alone
        RecordingPacer pacer(&a.visto);
        porfila(a.l, pacer);
        const auto frames = cuadros(pacer);
        QCOMPARE(frames.size(), std::size_t{18});
        QCOMPARE(pacer.totalMs(), 3510LL);
        // Up: wait k shows rows 8 - k .. 7; the hold the whole text; down: rows 0..r dark.
        for (int k = 0; k < 9; ++k) {
            QCOMPARE(frames[k], enmascarado(completo, (0xFF << (8 - k)) & 0xFF));
        }
        QCOMPARE(pacer.esperas()[9].milisegundos, 3000);
        QCOMPARE(frames[9], completo);
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(frames[10 + r], enmascarado(completo, (0xFF << (r + 1)) & 0xFF));
        }
        QCOMPARE(a.encendidos(), 0);
        QCOMPARE(a.l.sign.vector[5], std::int16_t{77});
        QCOMPARE(a.l.texto, texto.toStdString());
    }

    void caminarWalksTheTextOutAndPutsItBack_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("one character") << "X";
        QTest::newRow("only spaces") << "   ";
        QTest::newRow("longer than the sign") << "LUMIVEL ELECTRONICO 64 X 8";
    }
    void caminarWalksTheTextOutAndPutsItBack() {
        QFETCH(QString, texto);
        const std::string guardado = texto.toStdString();
        StartedState a;
        a.escribir(guardado);
        const Columnas antes = a.columnas();
        std::vector<std::string> textos;
        RecordingPacer pacer(&a.visto);
        pacer.onWait = [&](const RecordingPacer::Espera&) { textos.push_back(a.l.texto); };
        caminar(a.l, pacer);
        const auto frames = cuadros(pacer);
        const std::size_t n = 12 + guardado.size();
        QCOMPARE(frames.size(), n + 1);
        QCOMPARE(pacer.totalMs(), static_cast<long long>(100 * (n + 1)));
        for (std::size_t i = 0; i <= n; ++i) {
            // Step i shows the rightmost n - i characters.
            const std::string esperado = (std::string(12, ' ') + guardado).substr(i);
            QCOMPARE(textos[i], esperado);
            QCOMPARE(frames[i], composed(esperado));
        }
        QCOMPARE(frames.back(), kApagado);
        QCOMPARE(a.l.texto, guardado);
        QCOMPARE(a.columnas(), antes);
        QCOMPARE(a.l.sign.vector[0], std::int16_t{0});
    }

    void stoppedEffectsEndAtTheirNextWait() {
        StartedState a;
        a.escribir("HOLA");
        using Efecto = void (*)(SignState&, Pacer&);
        for (auto [efecto, tras] :
             {std::pair<Efecto, int>{porcolumna, 3}, {porfila, 10}, {caminar, 2}}) {
            RecordingPacer pacer;
            pacer.stopAfter = tras;
            efecto(a.l, pacer);
            QCOMPARE(static_cast<int>(pacer.esperas().size()), tras);
            QCOMPARE(a.l.texto, std::string("HOLA")); // the walk puts it back even then
        }
        // Stopped from "Simular", the rows and columns effects end dark as when they end.
        for (const int presentacion : {2, 3}) {
            a.l.tipopresentacion = static_cast<std::int16_t>(presentacion);
            Text1_Change(a.l);
            RecordingPacer pacer;
            pacer.stopAfter = 5;
            QVERIFY(Play_Click(a.l, a.d, pacer));
            QCOMPARE(a.columnas(), Columnas{});
        }
    }

    void playChoosesTheEffectOrRefusesAnEmptyText_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("esperas");
        QTest::newRow("caminando") << "AB" << 1 << 15;
        QTest::newRow("por fila") << "AB" << 2 << 18;
        QTest::newRow("por columna") << "AB" << 3 << 129;
        QTest::newRow("spaces are a text") << "  " << 3 << 129;
        QTest::newRow("unknown type") << "AB" << 7 << 0;
        QTest::newRow("empty") << "" << 2 << 0;
    }
    void playChoosesTheEffectOrRefusesAnEmptyText() {
        QFETCH(QString, texto);
        QFETCH(int, tipo);
        QFETCH(int, esperas);
        StartedState a;
        a.escribir(texto.toStdString());
        if (tipo <= 3) {
            op_mostrar_Click(a.l, tipo - 1);
        } else {
            a.l.tipopresentacion = static_cast<std::int16_t>(tipo);
        }
        const Columnas antes = a.columnas();
        RecordingPacer pacer;
        QCOMPARE(Play_Click(a.l, a.d, pacer), esperas > 0);
        QCOMPARE(static_cast<int>(pacer.esperas().size()), esperas);
        QCOMPARE(a.d.mostradas.size(), std::size_t{texto.isEmpty() ? 1U : 0U});
        if (texto.isEmpty()) {
            QCOMPARE(a.columnas(), antes);
        }
    }

    // The figure walks two columns a round, alternating its two frames; without a delay it
    // ends the same without waiting.
    void relojWalksTheFigureAcross() {
        StartedState a;
        RecordingPacer pacer(&a.visto);
        Reloj_Click(a.l, pacer);
        const auto frames = cuadros(pacer);
        QCOMPARE(frames.size(), std::size_t{34});
        QCOMPARE(pacer.totalMs(), 34LL * 40);
        QVERIFY(frames[0] != kApagado && frames[1] != frames[0]);
        // Round k/2 shifts the figure 2 * (k/2) columns to the right.
        Columnas ultimo{};
        std::copy(frames[1].begin(), frames[1].end() - 32, ultimo.begin() + 32);
        QCOMPARE(frames[33], ultimo);
        StartedState b;
        RecordingPacer rapido(&b.visto);
        Reloj_Click(b.l, rapido, 0);
        QVERIFY(rapido.esperas().empty());
        QCOMPARE(b.columnas(), frames.back());
        QCOMPARE(b.l.texto, a.l.texto);
    }
};

QTEST_APPLESS_MAIN(EffectsTest)
#include "test_effects.moc"
