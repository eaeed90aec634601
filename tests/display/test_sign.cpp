#include "display/shown_sign.hpp"
#include "display/sign.hpp"

#include <QtTest>
#include <vector>

using namespace lumivel;

namespace {

// Records every stroke, to check geometry and colours as drawn.
struct StrokeLog : SignSurface {
    std::vector<LedStroke> strokes;
    int width = 0;
    int height = 0;
    int erased = 0;
    void setSize(int w, int h) override {
        width = w;
        height = h;
    }
    void drawLed(const LedStroke& stroke) override { strokes.push_back(stroke); }
    void erase() override { ++erased; }
};

Sign defaultSign(SignSurface* surface) {
    Sign sign;
    sign.setSurface(surface);
    sign.rojo = sign.verde = sign.azul = 220;
    sign.columnas = 63;
    sign.filas = 7;
    sign.escala = 3;
    sign.grosor = 2;
    sign.lumivel(63, 7, 3, 2);
    return sign;
}

} // namespace

class SignTest : public QObject {
    Q_OBJECT
  private slots:
    void buildsTheEmptySignWithItsGeometry() {
        StrokeLog log;
        defaultSign(&log);
        QCOMPARE(log.width, 775);
        QCOMPARE(log.height, 102);
        QCOMPARE(log.strokes.size(), std::size_t{512});
        const LedStroke& last = log.strokes.back();
        QCOMPARE(last.x, 762);
        QCOMPARE(last.y, 90);
        QCOMPARE(last.penAnillo, 8);
        QCOMPARE(last.penPunto, 4);
        QCOMPARE(last.radio, 1.5);
        QCOMPARE(last.anillo, (Rgb{40, 40, 40}));
        QCOMPARE(last.centro, (Rgb{80, 80, 80}));
        // Rows are drawn within each column row by row at start-up.
        QCOMPARE(log.strokes[1].columna, 1);
        QCOMPARE(log.strokes[1].fila, 0);
    }

    void litColourIsRoundedFromTheLedColour_data() {
        QTest::addColumn<int>("component");
        QTest::addColumn<int>("ring");
        QTest::newRow("default 220") << 220 << 157;
        QTest::newRow("red 255") << 255 << 182;
        QTest::newRow("preset 225") << 225 << 161;
        QTest::newRow("100") << 100 << 71;
        QTest::newRow("0") << 0 << 0;
    }
    void litColourIsRoundedFromTheLedColour() {
        QFETCH(int, component);
        QFETCH(int, ring);
        StrokeLog log;
        Sign sign = defaultSign(&log);
        sign.rojo = static_cast<std::int16_t>(component);
        sign.led(5, 2, 1);
        QCOMPARE(log.strokes.back().anillo.r, ring);
        QCOMPARE(log.strokes.back().centro.r, component);
        QCOMPARE(log.strokes.back().anillo.g, 157);
    }

    void ledStoresItsValueAndEnvectorCountsOnlyOnes() {
        Sign sign = defaultSign(nullptr);
        sign.led(5, 2, 1);
        sign.envector(5);
        QCOMPARE(sign.vector[5], std::int16_t{4});
        sign.led(5, 3, 2);
        QCOMPARE(sign.matriz[5][3], std::int16_t{2});
        sign.envector(5);
        QCOMPARE(sign.vector[5], std::int16_t{4});
    }

    void cbinWritesOnlyItsDigits() {
        Sign sign = defaultSign(nullptr);
        sign.cbin(255, 3);
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(sign.matriz[3][r], std::int16_t{1});
        }
        sign.cbin(1, 3); // one digit: rows 1..7 stay lit
        QCOMPARE(sign.matriz[3][0], std::int16_t{1});
        for (int r = 1; r < 8; ++r) {
            QCOMPARE(sign.matriz[3][r], std::int16_t{1});
        }
        sign.cbin(0, 3); // zero writes row 0 only
        QCOMPARE(sign.matriz[3][0], std::int16_t{0});
        QCOMPARE(sign.matriz[3][1], std::int16_t{1});
        sign.cbin(65, 4); // seven digits: rows 0..6
        QCOMPARE(sign.matriz[4][0], std::int16_t{1});
        QCOMPARE(sign.matriz[4][6], std::int16_t{1});
        QCOMPARE(sign.matriz[4][7], std::int16_t{0});
        sign.cbin(255, 255); // last storage column: in bounds
        QCOMPARE(sign.matriz[255][7], std::int16_t{1});
    }

    void borrarClearsOnlyTheVisibleColumns() {
        Sign sign = defaultSign(nullptr);
        sign.cbin(255, 10);
        sign.cbin(255, 64);
        sign.vector[10] = 7;
        sign.vector[64] = 9;
        sign.borrar();
        QCOMPARE(sign.matriz[10][0], std::int16_t{0});
        QCOMPARE(sign.vector[10], std::int16_t{0});
        QCOMPARE(sign.matriz[64][0], std::int16_t{1});
        QCOMPARE(sign.vector[64], std::int16_t{9});
    }

    void rowHitTestIsStrict() {
        Sign sign = defaultSign(nullptr);
        sign.butcolon(12, 7); // on the border between rows 0 and 1
        sign.butcolon(0, 7);
        sign.butcolon(96, 7);
        sign.butcolon(-3, 7);
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(sign.matriz[7][r], std::int16_t{0});
        }
        sign.butcolon(12.5, 7);
        QCOMPARE(sign.matriz[7][1], std::int16_t{1});
        QCOMPARE(sign.vector[7], std::int16_t{2});
        sign.butcoloff(23.9, 7);
        QCOMPARE(sign.matriz[7][1], std::int16_t{0});
        QCOMPARE(sign.vector[7], std::int16_t{0});
    }

    void surfaceShowsOnlyWhatWasDrawn() {
        ShownSign shown;
        Sign sign = defaultSign(&shown);
        sign.cbin(255, 0);
        sign.cbin(255, 1);
        QVERIFY(!shown.lit(0, 0)); // matriz changed, nothing drawn yet
        sign.led(0, 0, 1);
        QVERIFY(shown.lit(0, 0));
        QVERIFY(!shown.lit(1, 0));
        sign.mostrar();
        QCOMPARE(shown.columnByte(1), std::uint8_t{255});
        QCOMPARE(shown.centre(1, 0), (Rgb{220, 220, 220}));
        QCOMPARE(shown.centre(2, 0), (Rgb{80, 80, 80}));
        sign.refrescar();
        QCOMPARE(shown.columnByte(0), std::uint8_t{255});
    }

    void figureFrames() {
        ShownSign shown;
        Sign sign = defaultSign(&shown);
        sign.uno(10);
        QCOMPARE(QString::fromStdString(shown.hexLine().substr(30, 20)),
                 QString("FE 41 85 41 85 41 FE"));
        sign.borrar();
        sign.dos(33);
        QCOMPARE(shown.columnByte(33), std::uint8_t{0x7E});
        QCOMPARE(shown.columnByte(39), std::uint8_t{0x7E});
        QCOMPARE(shown.columnByte(10), std::uint8_t{0});
    }
};

QTEST_APPLESS_MAIN(SignTest)
#include "test_sign.moc"
