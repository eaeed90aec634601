// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/shown_sign.hpp"
#include "display/sign.hpp"

#include <QtTest>
#include <vector>

using namespace lumivel;

namespace {

struct StrokeLog : SignSurface {
    std::vector<LedStroke> strokes;
    void setSize(int, int) override {}
    void drawLed(const LedStroke& stroke) override { strokes.push_back(stroke); }
    void erase() override {}
};

// The sign as the program starts it, without the start-up text.
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
    void litColourIsRoundedFromTheLedColour_data() {
        QTest::addColumn<int>("component");
        QTest::addColumn<int>("ring");
        QTest::newRow("default 220") << 220 << 157;
        QTest::newRow("red 255") << 255 << 182;
        QTest::newRow("preset 225") << 225 << 161;
        QTest::newRow("0") << 0 << 0;
    }
    void litColourIsRoundedFromTheLedColour() {
        QFETCH(int, component);
        QFETCH(int, ring);
        StrokeLog log;
        Sign sign = defaultSign(&log);
        QCOMPARE(log.strokes.size(), std::size_t{512}); // the empty sign
        sign.rojo = static_cast<std::int16_t>(component);
        sign.led(5, 2, 1);
        QCOMPARE(log.strokes.back().ring, (Rgb{ring, 157, 157}));
        QCOMPARE(log.strokes.back().centre, (Rgb{component, 220, 220}));
    }

    // The storage columns beyond the 64 visible ones hold text that walks in; the last is
    // in bounds.
    void borrarClearsOnlyTheVisibleColumns() {
        Sign sign = defaultSign(nullptr);
        sign.cbin(255, 10);
        sign.cbin(255, 64);
        sign.cbin(255, 255);
        QCOMPARE(sign.matriz[255][7], std::int16_t{1});
        sign.vector[10] = 7;
        sign.vector[64] = 9;
        sign.borrar();
        QCOMPARE(sign.matriz[10][0], std::int16_t{0});
        QCOMPARE(sign.vector[10], std::int16_t{0});
        QCOMPARE(sign.matriz[64][0], std::int16_t{1});
        QCOMPARE(sign.vector[64], std::int16_t{9});
    }

    void surfaceShowsOnlyWhatWasDrawn() {
        ShownSign shown;
        Sign sign = defaultSign(&shown);
        sign.cbin(255, 0);
        sign.cbin(255, 1);
        QVERIFY(!shown.lit(0, 0)); // matriz changed, nothing drawn yet
        sign.led(0, 0, 1);
        QVERIFY(shown.lit(0, 0) && !shown.lit(1, 0));
        sign.mostrar();
        QCOMPARE(shown.columnByte(1), std::uint8_t{255});
        QCOMPARE(shown.centre(1, 0), (Rgb{220, 220, 220}));
        QCOMPARE(shown.centre(2, 0), Sign::kUnlitCentre);
        sign.refrescar();
        QCOMPARE(shown.columnByte(0), std::uint8_t{255});
    }
};

QTEST_APPLESS_MAIN(SignTest)
#include "test_sign.moc"
