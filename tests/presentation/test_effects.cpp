#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/scripted_dialogs.hpp"
#include "display/shown_sign.hpp"
#include "session/startup.hpp"
#include "presentation/effects.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/recording_pacer.hpp"
#include "presentation/simulation.hpp"

#include <QtTest>

#include <array>
#include <cstdio>
#include <memory>

using namespace lumivel;

namespace {

using Columnas = std::array<int, 64>;

// The program's state as the window starts it, drawing on a surface we can read back.
struct Banco {
    ShownSign visto;
    Lumivel l;
    explicit Banco(int fuente = 0) {
        l.sign.setSurface(&visto);
        arrancar(l, ".");
        seleccionarOpletra(l, fuente);
    }
    void escribir(const std::string& texto) { cambiarTexto(l, texto); }
};

Columnas leer(const std::string& hex) {
    Columnas bytes{};
    for (std::size_t c = 0; c < bytes.size(); ++c) {
        bytes[c] = std::stoi(hex.substr(c * 3, 2), nullptr, 16);
    }
    return bytes;
}

Columnas visibles(const ShownSign& visto) {
    return leer(visto.hexLine());
}

// What the sign shows when `texto` is typed in the given font.
Columnas compuesto(const std::string& texto, int fuente = 0) {
    Banco banco(fuente);
    banco.escribir(texto);
    return visibles(banco.visto);
}

Columnas enmascarado(const Columnas& bytes, int mascara) {
    Columnas resultado{};
    for (std::size_t c = 0; c < bytes.size(); ++c) {
        resultado[c] = bytes[c] & mascara;
    }
    return resultado;
}

bool matrizVisibleVacia(const Lumivel& l) {
    for (int c = 0; c < 64; ++c) {
        for (int r = 0; r < 8; ++r) {
            if (l.sign.matriz[c][r] != 0) {
                return false;
            }
        }
    }
    return true;
}

const Columnas kApagado{};

} // namespace

class EffectsTest : public QObject {
    Q_OBJECT
  private slots:
    void porcolumnaRevealsHoldsAndBlanksColumnByColumn() {
        Banco banco;
        banco.escribir("HOLA");
        const Columnas texto = visibles(banco.visto);
        const std::int16_t xletra = banco.l.xletra;
        RecordingPacer pacer(&banco.visto);
        porcolumna(banco.l, pacer);

        const auto& esperas = pacer.esperas();
        QCOMPARE(esperas.size(), std::size_t{129});
        for (std::size_t k = 0; k < esperas.size(); ++k) {
            QCOMPARE(esperas[k].milisegundos, k == 64 ? 3000 : 40);
        }
        QCOMPARE(pacer.totalMilisegundos(), 8120LL);
        // During the k-th column wait exactly the columns 0..k are shown.
        for (int k = 0; k < 64; ++k) {
            Columnas esperado{};
            std::copy(texto.begin(), texto.begin() + k + 1, esperado.begin());
            QCOMPARE(leer(esperas[k].columnas), esperado);
        }
        QCOMPARE(leer(esperas[64].columnas), texto);
        for (int k = 0; k < 64; ++k) {
            Columnas esperado = texto;
            std::fill(esperado.begin(), esperado.begin() + k + 1, 0);
            QCOMPARE(leer(esperas[65 + k].columnas), esperado);
        }
        QCOMPARE(visibles(banco.visto), kApagado);
        QVERIFY(matrizVisibleVacia(banco.l));
        QCOMPARE(banco.l.texto, std::string("HOLA"));
        QCOMPARE(banco.l.xletra, xletra);
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(banco.l.sign.vector[c], std::int16_t{0});
        }
        // A redraw leaves it dark; typing brings the text back.
        banco.l.sign.refrescar();
        QCOMPARE(visibles(banco.visto), kApagado);
        banco.escribir("HOLA!");
        QVERIFY(visibles(banco.visto) != kApagado);
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
        Banco banco(fuente);
        banco.escribir(texto.toStdString());
        const Columnas completo = visibles(banco.visto);
        banco.l.sign.vector[5] = 77; // porfila leaves the column image alone
        RecordingPacer pacer(&banco.visto);
        porfila(banco.l, pacer);

        const auto& esperas = pacer.esperas();
        QCOMPARE(esperas.size(), std::size_t{18});
        QCOMPARE(pacer.totalMilisegundos(), 3510LL);
        // sube: frame k shows rows 8 - k .. 7, the first one blank, the last the whole text.
        for (int k = 0; k < 9; ++k) {
            QCOMPARE(esperas[k].milisegundos, 30);
            const int filasAbajo = (0xFF << (8 - k)) & 0xFF;
            QCOMPARE(leer(esperas[k].columnas), enmascarado(completo, filasAbajo));
        }
        QCOMPARE(leer(esperas[0].columnas), kApagado);
        QCOMPARE(leer(esperas[1].columnas), enmascarado(completo, 0x80));
        QCOMPARE(esperas[9].milisegundos, 3000);
        QCOMPARE(leer(esperas[9].columnas), completo);
        // baja: frame r has rows 0..r dark.
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(esperas[10 + r].milisegundos, 30);
            const int filasRestantes = (0xFF << (r + 1)) & 0xFF;
            QCOMPARE(leer(esperas[10 + r].columnas), enmascarado(completo, filasRestantes));
        }
        QCOMPARE(leer(esperas.back().columnas), kApagado);
        QVERIFY(matrizVisibleVacia(banco.l));
        QCOMPARE(banco.l.sign.vector[5], std::int16_t{77});
        QCOMPARE(banco.l.texto, texto.toStdString());
    }

    void caminarWalksTheTextOutAndPutsItBack_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("one character") << "X";
        QTest::newRow("word") << "HOLA";
        QTest::newRow("only spaces") << "   ";
        QTest::newRow("longer than the sign") << "LUMIVEL ELECTRONICO 64 X 8";
    }
    void caminarWalksTheTextOutAndPutsItBack() {
        QFETCH(QString, texto);
        const std::string guardado = texto.toStdString();
        Banco banco;
        banco.escribir(guardado);
        const Columnas antes = visibles(banco.visto);
        std::vector<std::string> textos;
        RecordingPacer pacer(&banco.visto);
        pacer.alEsperar = [&](const RecordingPacer::Espera&) { textos.push_back(banco.l.texto); };
        caminar(banco.l, pacer);

        const std::size_t n = 12 + guardado.size();
        QCOMPARE(pacer.esperas().size(), n + 1);
        QCOMPARE(pacer.totalMilisegundos(), static_cast<long long>(100 * (n + 1)));
        for (std::size_t i = 0; i <= n; ++i) {
            QCOMPARE(pacer.esperas()[i].milisegundos, 100);
            // Step i shows the rightmost n - i characters.
            const std::string esperado = (std::string(12, ' ') + guardado).substr(i);
            QCOMPARE(textos[i], esperado);
            QCOMPARE(leer(pacer.esperas()[i].columnas), compuesto(esperado));
        }
        QCOMPARE(leer(pacer.esperas().back().columnas), kApagado);
        QCOMPARE(banco.l.texto, guardado);
        QCOMPARE(visibles(banco.visto), antes);
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(banco.l.sign.vector[c], std::int16_t{0});
        }
    }

    void stoppedEffectsEndAtTheirNextWait() {
        Banco banco;
        banco.escribir("HOLA");
        RecordingPacer columnas;
        columnas.detenerTras = 3;
        porcolumna(banco.l, columnas);
        QCOMPARE(columnas.esperas().size(), std::size_t{3});

        RecordingPacer filas;
        filas.detenerTras = 10; // during the hold
        porfila(banco.l, filas);
        QCOMPARE(filas.esperas().size(), std::size_t{10});

        // The walk puts the text back even when it stops early.
        RecordingPacer paseo;
        paseo.detenerTras = 2;
        caminar(banco.l, paseo);
        QCOMPARE(paseo.esperas().size(), std::size_t{2});
        QCOMPARE(banco.l.texto, std::string("HOLA"));
    }

    void playChoosesTheEffectOrRefusesAnEmptyText_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("corre");
        QTest::addColumn<int>("esperas");
        QTest::newRow("caminando") << "AB" << 1 << true << 15;
        QTest::newRow("por fila") << "AB" << 2 << true << 18;
        QTest::newRow("por columna") << "AB" << 3 << true << 129;
        QTest::newRow("spaces are a text") << "  " << 3 << true << 129;
        QTest::newRow("unknown type") << "AB" << 7 << false << 0;
        QTest::newRow("empty") << "" << 2 << false << 0;
    }
    void playChoosesTheEffectOrRefusesAnEmptyText() {
        QFETCH(QString, texto);
        QFETCH(int, tipo);
        QFETCH(bool, corre);
        QFETCH(int, esperas);
        Banco banco;
        banco.escribir(texto.toStdString());
        banco.l.tipopresentacion = static_cast<std::int16_t>(tipo);
        const Columnas antes = visibles(banco.visto);
        ScriptedDialogs dialogs;
        RecordingPacer pacer;
        QCOMPARE(Play_Click(banco.l, dialogs, pacer), corre);
        QCOMPARE(static_cast<int>(pacer.esperas().size()), esperas);
        QCOMPARE(banco.l.tipopresentacion, static_cast<std::int16_t>(tipo));
        if (texto.isEmpty()) {
            QCOMPARE(dialogs.mostradas.size(), std::size_t{1});
            const CajaMensaje& caja = dialogs.mostradas.front();
            QCOMPARE(caja.titulo, std::string("No hay Mensaje"));
            QCOMPARE(caja.texto,
                     std::string("No Existe mensaje a simular\r\nEscriba su texto para simular"));
            QVERIFY(caja.botones == Botones::Aceptar);
            QVERIFY(caja.icono == Icono::Ninguno);
            QCOMPARE(visibles(banco.visto), antes);
        } else {
            QVERIFY(dialogs.mostradas.empty());
        }
    }

    void playRunsTheChosenPresentationAfterStartUp() {
        Banco banco; // start-up: "Caminando" on " LED LUMIVEL"
        ScriptedDialogs dialogs;
        RecordingPacer pacer;
        QVERIFY(Play_Click(banco.l, dialogs, pacer));
        QCOMPARE(pacer.esperas().size(), std::size_t{12 + 12 + 1});
        op_mostrar_Click(banco.l, 1);
        RecordingPacer otra;
        Play_Click(banco.l, dialogs, otra);
        QCOMPARE(otra.totalMilisegundos(), 3510LL);
    }

    void relojWalksTheFigureAcross() {
        Banco banco;
        banco.escribir("HOLA");
        RecordingPacer pacer(&banco.visto);
        Reloj_Click(banco.l, pacer);
        QCOMPARE(pacer.esperas().size(), std::size_t{34});
        const std::array<int, 7> a = {0xFE, 0x41, 0x85, 0x41, 0x85, 0x41, 0xFE};
        const std::array<int, 7> b = {0x7E, 0x81, 0x49, 0x81, 0x49, 0x81, 0x7E};
        for (int ronda = 0; ronda < 17; ++ronda) {
            const Columnas primero = leer(pacer.esperas()[2 * ronda].columnas);
            const Columnas segundo = leer(pacer.esperas()[2 * ronda + 1].columnas);
            Columnas esperadoA{};
            Columnas esperadoB{};
            std::copy(a.begin(), a.end(), esperadoA.begin() + 2 * ronda);
            std::copy(b.begin(), b.end(), esperadoB.begin() + 2 * ronda + 1);
            QCOMPARE(primero, esperadoA);
            QCOMPARE(segundo, esperadoB);
            QCOMPARE(pacer.esperas()[2 * ronda].milisegundos, 40);
        }
        QCOMPARE(banco.l.texto, std::string("HOLA"));
        // Without a delay it ends the same, without waiting.
        RecordingPacer rapido(&banco.visto);
        Reloj_Click(banco.l, rapido, 0);
        QVERIFY(rapido.esperas().empty());
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(banco.l.sign.vector[33 + k], std::int16_t{0}); // cbin leaves vector alone
            for (int r = 0; r < 8; ++r) {
                QCOMPARE(banco.l.sign.matriz[33 + k][r], std::int16_t((b[k] >> r) & 1));
            }
        }
    }
};

QTEST_APPLESS_MAIN(EffectsTest)
#include "test_effects.moc"
