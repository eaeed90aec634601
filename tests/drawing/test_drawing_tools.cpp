#include "display/shown_sign.hpp"
#include "session/startup.hpp"
#include "drawing/drawing_tools.hpp"
#include "presentation/editing_mode.hpp"

#include <QtTest>

using namespace lumivel;

namespace {

struct Dibujo {
    ShownSign shown;
    Lumivel l;
    Dibujo() {
        l.sign.setSurface(&shown);
        arrancar(l, "/programa");
        seleccionarOption1(l, kModoDibujo);
    }
    bool encendido(int c, int r) const { return l.sign.matriz[c][r] == 1 && shown.lit(c, r); }
    int encendidos() const {
        int n = 0;
        for (int c = 0; c < 64; ++c) {
            for (int r = 0; r < 8; ++r) {
                n += l.sign.matriz[c][r] == 1 ? 1 : 0;
            }
        }
        return n;
    }
};

} // namespace

class DrawingToolsTest : public QObject {
    Q_OBJECT
  private slots:
    void hitAreasAreStrict_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("columna");
        QTest::newRow("left border") << 0.0 << -1;
        QTest::newRow("inside first") << 0.5 << 0;
        QTest::newRow("just before border") << 11.99 << 0;
        QTest::newRow("border 0|1") << 12.0 << -1;
        QTest::newRow("last column") << 762.0 << 63;
        QTest::newRow("right border of sign") << 768.0 << -1;
        QTest::newRow("beyond the sign") << 800.0 << -1;
        QTest::newRow("negative") << -3.0 << -1;
    }
    void hitAreasAreStrict() {
        QFETCH(double, x);
        QFETCH(int, columna);
        Dibujo d;
        QCOMPARE(columnaEn(d.l.sign, x), columna);
    }

    void readoutCountsFromOneEverywhere_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("texto");
        QTest::newRow("first LED") << 6.0 << 6.0 << "x = 1  y = 1";
        QTest::newRow("last LED") << 762.0 << 90.0 << "x = 64  y = 8";
        QTest::newRow("beyond right") << 835.0 << 30.0 << "x = 70  y = 3";
        QTest::newRow("left of sign") << -13.0 << -0.5 << "x = -1  y = 0";
    }
    void readoutCountsFromOneEverywhere() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QString, texto);
        Dibujo d;
        QCOMPARE(QString::fromStdString(Pic_MouseMove(d.l, 0, x, y)), texto);
        seleccionarOption1(d.l, kModoTexto);
        QCOMPARE(QString::fromStdString(Pic_MouseMove(d.l, kBotonIzquierdo, x, y)), texto);
        QCOMPARE(d.encendidos(), 0);
    }

    // The chosen tool does the same on a press and on a drag.
    void pencilLightsAndEraserPutsOut() {
        Dibujo d;
        QCOMPARE(d.l.herramienta, Herramienta::Lapiz);
        Pic_MouseDown(d.l, kBotonIzquierdo, 18, 30);
        QVERIFY(d.encendido(1, 2));
        QCOMPARE(d.l.sign.vector[1], std::int16_t{4});
        for (double x = 30; x < 70; x += 3) {
            Pic_MouseMove(d.l, kBotonIzquierdo, x, 30);
        }
        for (int c = 1; c <= 5; ++c) {
            QVERIFY(d.encendido(c, 2));
        }
        QCOMPARE(d.encendidos(), 5);

        goma_Click(d.l);
        Pic_MouseDown(d.l, kBotonIzquierdo, 18, 30);
        QVERIFY(!d.encendido(1, 2));
        Pic_MouseMove(d.l, kBotonIzquierdo, 30, 30);
        QVERIFY(!d.encendido(2, 2));
        QCOMPARE(d.l.sign.vector[2], std::int16_t{0});
        lapiz_Click(d.l);
        QCOMPARE(d.l.herramienta, Herramienta::Lapiz);
    }

    void onlyTheLeftButtonAloneDraws() {
        Dibujo d;
        Pic_MouseDown(d.l, 2, 18, 30);
        Pic_MouseMove(d.l, kBotonIzquierdo | 2, 18, 30);
        Pic_MouseMove(d.l, 0, 18, 30);
        Pic_MouseDown(d.l, kBotonIzquierdo, 12, 30);  // on a column border
        Pic_MouseDown(d.l, kBotonIzquierdo, 18, 24);  // on a row border
        Pic_MouseMove(d.l, kBotonIzquierdo, 900, 30); // dragged off to the right
        Pic_MouseMove(d.l, kBotonIzquierdo, 18, 200); // and below
        QCOMPARE(d.encendidos(), 0);
        for (int c = 64; c < 256; ++c) {
            QCOMPARE(d.l.sign.vector[c], std::int16_t{0});
        }
    }

    void wholePictureTools() {
        Dibujo d;
        d.l.sign.matriz[3][3] = 2; // unlit, but not 0: inverting lights it
        invertir_Click(d.l);
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(d.l.sign.vector[c], std::int16_t{255});
            QCOMPARE(d.shown.columnByte(c), std::uint8_t{255});
        }
        Bomba_Click(d.l);
        QCOMPARE(d.encendidos(), 0);
        QCOMPARE(d.shown.columnByte(10), std::uint8_t{0});
        pintura_Click(d.l);
        QCOMPARE(d.encendidos(), 512);
        invertir_Click(d.l);
        QCOMPARE(d.encendidos(), 0);
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(d.l.sign.vector[c], std::int16_t{0});
        }
    }
};

QTEST_APPLESS_MAIN(DrawingToolsTest)
#include "test_drawing_tools.moc"
