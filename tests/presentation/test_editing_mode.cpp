#include "display/composition.hpp"
#include "display/shown_sign.hpp"
#include "session/startup.hpp"
#include "presentation/editing_mode.hpp"

#include <QtTest>

using namespace lumivel;

class EditingModeTest : public QObject {
    Q_OBJECT
  private slots:
    void switchingModesClearsTextAndSign_data() {
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("modo");
        QTest::newRow("text to drawing") << 1 << 0 << 0;
        QTest::newRow("drawing to text") << 0 << 1 << 1;
        QTest::newRow("any other index is text") << 0 << 5 << 1;
        QTest::newRow("negative index is text") << 0 << -1 << 1;
    }
    void switchingModesClearsTextAndSign() {
        QFETCH(int, desde);
        QFETCH(int, indice);
        QFETCH(int, modo);
        ShownSign visto;
        Lumivel l;
        l.sign.setSurface(&visto);
        arrancar(l, ".");
        seleccionarOption1(l, desde);
        cambiarTexto(l, "HOLA");
        l.sign.cbin(255, 40);
        l.sign.mostrar();
        l.sign.envector(40);

        Option1_Click(l, indice);
        QCOMPARE(l.option1, modo);
        QVERIFY(l.texto.empty());
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(visto.columnByte(c), std::uint8_t{0});
            QCOMPARE(l.sign.vector[c], std::int16_t{0});
        }
    }

    void modeTableInBothDirections() {
        Lumivel l;
        arrancar(l, ".");
        ControlesDelModo texto = controlesDelModo(l);
        QVERIFY(texto.texto && texto.mayuscula);
        QVERIFY(!texto.lapiz && !texto.goma && !texto.herramientas);

        l.herramienta = Herramienta::Goma;
        seleccionarOption1(l, kModoDibujo);
        QVERIFY(l.herramienta == Herramienta::Lapiz); // drawing starts with the pencil
        ControlesDelModo dibujo = controlesDelModo(l);
        QVERIFY(!dibujo.texto && !dibujo.mayuscula);
        QVERIFY(dibujo.herramientas);
        QVERIFY(!dibujo.lapiz && dibujo.goma);

        l.herramienta = Herramienta::Goma;
        dibujo = controlesDelModo(l);
        QVERIFY(dibujo.lapiz && !dibujo.goma);

        seleccionarOption1(l, kModoTexto);
        texto = controlesDelModo(l);
        QVERIFY(texto.texto && texto.mayuscula && !texto.lapiz && !texto.goma);
    }

    void selectingTheCurrentModeKeepsTheText() {
        Lumivel l;
        arrancar(l, ".");
        seleccionarOption1(l, kModoTexto);
        QCOMPARE(l.texto, std::string(kTextoInicial));
    }
};

QTEST_APPLESS_MAIN(EditingModeTest)
#include "test_editing_mode.moc"
