// SPDX-License-Identifier: GPL-3.0-or-later
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
std::vector<VisibleColumns> recordedFrames(const RecordingPacer& pacer) {
    std::vector<VisibleColumns> c;
    for (const auto& delay : pacer.delays()) {
        c.push_back(columnsOf(delay.columnas));
    }
    return c;
}

VisibleColumns masked(VisibleColumns bytes, int mask) {
    for (int& b : bytes) {
        b &= mask;
    }
    return bytes;
}

const VisibleColumns kOff{};

} // namespace

class EffectsTest : public QObject {
    Q_OBJECT
  private slots:
    void porcolumnaRevealsHoldsAndBlanksColumnByColumn() {
        StartedState a;
        a.escribir("HOLA");
        const VisibleColumns texto = a.visibleColumns();
        const std::int16_t xletra = a.l.xletra;
        RecordingPacer pacer(&a.seen);
        porcolumna(a.l, pacer);
        const auto frames = recordedFrames(pacer);
        QCOMPARE(frames.size(), std::size_t{129});
        for (std::size_t k = 0; k < frames.size(); ++k) {
            QCOMPARE(pacer.delays()[k].durationMs, k == 64 ? 3000 : 40);
        }
        // Wait k shows the columns 0..k; the hold shows all; then 0..k go dark.
        for (int k = 0; k < 64; ++k) {
            VisibleColumns revealed{};
            std::copy(texto.begin(), texto.begin() + k + 1, revealed.begin());
            QCOMPARE(frames[k], revealed);
            VisibleColumns erased = texto;
            std::fill(erased.begin(), erased.begin() + k + 1, 0);
            QCOMPARE(frames[65 + k], erased);
        }
        QCOMPARE(frames[64], texto);
        QCOMPARE(a.litCount(), 0);
        QCOMPARE(a.l.texto, std::string("HOLA"));
        QCOMPARE(a.l.xletra, xletra);
        QCOMPARE(a.l.sign.vector[10], std::int16_t{0});
        // A redraw leaves it dark; typing brings the text back.
        a.l.sign.refrescar();
        QCOMPARE(a.visibleColumns(), kOff);
        a.escribir("HOLA!");
        QVERIFY(a.visibleColumns() != kOff);
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
        const VisibleColumns full = a.visibleColumns();
        a.l.sign.vector[5] = 77; // porfila leaves the column image alone
        RecordingPacer pacer(&a.seen);
        porfila(a.l, pacer);
        const auto frames = recordedFrames(pacer);
        QCOMPARE(frames.size(), std::size_t{18});
        QCOMPARE(pacer.totalMs(), 3510LL);
        // Up: wait k shows rows 8 - k .. 7; the hold the whole text; down: rows 0..r dark.
        for (int k = 0; k < 9; ++k) {
            QCOMPARE(frames[k], masked(full, (0xFF << (8 - k)) & 0xFF));
        }
        QCOMPARE(pacer.delays()[9].durationMs, 3000);
        QCOMPARE(frames[9], full);
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(frames[10 + r], masked(full, (0xFF << (r + 1)) & 0xFF));
        }
        QCOMPARE(a.litCount(), 0);
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
        const std::string saved = texto.toStdString();
        StartedState a;
        a.escribir(saved);
        const VisibleColumns before = a.visibleColumns();
        std::vector<std::string> texts;
        RecordingPacer pacer(&a.seen);
        pacer.onWait = [&](const RecordingPacer::Delay&) { texts.push_back(a.l.texto); };
        caminar(a.l, pacer);
        const auto frames = recordedFrames(pacer);
        const std::size_t n = 12 + saved.size();
        QCOMPARE(frames.size(), n + 1);
        QCOMPARE(pacer.totalMs(), static_cast<long long>(100 * (n + 1)));
        for (std::size_t i = 0; i <= n; ++i) {
            // Step i shows the rightmost n - i characters.
            const std::string expected = (std::string(12, ' ') + saved).substr(i);
            QCOMPARE(texts[i], expected);
            QCOMPARE(frames[i], composed(expected));
        }
        QCOMPARE(frames.back(), kOff);
        QCOMPARE(a.l.texto, saved);
        QCOMPARE(a.visibleColumns(), before);
        QCOMPARE(a.l.sign.vector[0], std::int16_t{0});
    }

    void stoppedEffectsEndAtTheirNextWait() {
        StartedState a;
        a.escribir("HOLA");
        using Effect = void (*)(SignState&, Pacer&);
        for (auto [effect, after] :
             {std::pair<Effect, int>{porcolumna, 3}, {porfila, 10}, {caminar, 2}}) {
            RecordingPacer pacer;
            pacer.stopAfter = after;
            effect(a.l, pacer);
            QCOMPARE(static_cast<int>(pacer.delays().size()), after);
            QCOMPARE(a.l.texto, std::string("HOLA")); // the walk puts it back even then
        }
        // Stopped from "Simular", the rows and columns effects end dark as when they end.
        for (const int presentacion : {2, 3}) {
            a.l.tipopresentacion = static_cast<std::int16_t>(presentacion);
            Text1_Change(a.l);
            RecordingPacer pacer;
            pacer.stopAfter = 5;
            QVERIFY(Play_Click(a.l, a.d, pacer));
            QCOMPARE(a.visibleColumns(), VisibleColumns{});
        }
    }

    void playChoosesTheEffectOrRefusesAnEmptyText_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("delays");
        QTest::newRow("caminando") << "AB" << 1 << 15;
        QTest::newRow("por fila") << "AB" << 2 << 18;
        QTest::newRow("por columna") << "AB" << 3 << 129;
        QTest::newRow("spaces are a text") << "  " << 3 << 129;
        QTest::newRow("unknown type") << "AB" << 7 << 0;
        QTest::newRow("empty") << "" << 2 << 0;
    }
    void playChoosesTheEffectOrRefusesAnEmptyText() {
        QFETCH(QString, texto);
        QFETCH(int, type);
        QFETCH(int, delays);
        StartedState a;
        a.escribir(texto.toStdString());
        if (type <= 3) {
            op_mostrar_Click(a.l, type - 1);
        } else {
            a.l.tipopresentacion = static_cast<std::int16_t>(type);
        }
        const VisibleColumns before = a.visibleColumns();
        RecordingPacer pacer;
        QCOMPARE(Play_Click(a.l, a.d, pacer), delays > 0);
        QCOMPARE(static_cast<int>(pacer.delays().size()), delays);
        QCOMPARE(a.d.shownBoxes.size(), std::size_t{texto.isEmpty() ? 1U : 0U});
        if (texto.isEmpty()) {
            QCOMPARE(a.visibleColumns(), before);
        }
    }

    // The figure walks two columns a round, alternating its two frames; without a delay it
    // ends the same without waiting.
    void relojWalksTheFigureAcross() {
        StartedState a;
        RecordingPacer pacer(&a.seen);
        Reloj_Click(a.l, pacer);
        const auto frames = recordedFrames(pacer);
        QCOMPARE(frames.size(), std::size_t{34});
        QCOMPARE(pacer.totalMs(), 34LL * 40);
        QVERIFY(frames[0] != kOff && frames[1] != frames[0]);
        // Round k/2 shifts the figure 2 * (k/2) columns to the right.
        VisibleColumns last{};
        std::copy(frames[1].begin(), frames[1].end() - 32, last.begin() + 32);
        QCOMPARE(frames[33], last);
        StartedState b;
        RecordingPacer fast(&b.seen);
        Reloj_Click(b.l, fast, 0);
        QVERIFY(fast.delays().empty());
        QCOMPARE(b.visibleColumns(), frames.back());
        QCOMPARE(b.l.texto, a.l.texto);
    }
};

QTEST_APPLESS_MAIN(EffectsTest)
#include "test_effects.moc"
