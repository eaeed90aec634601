// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/editing_mode.hpp"

#include "support/started_state.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

struct Drawing : StartedState {
    Drawing() { selectOption1(l, kDrawingMode); }
    bool lit(int c, int r) const { return l.sign.matriz[c][r] == 1 && seen.lit(c, r); }
};

} // namespace

class DrawingToolsTest : public QObject {
    Q_OBJECT
  private slots:
    void hitAreasAreStrict_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("column");
        QTest::newRow("left border") << 0.0 << -1;
        QTest::newRow("inside first") << 0.5 << 0;
        QTest::newRow("just before border") << 11.99 << 0;
        QTest::newRow("border 0|1") << 12.0 << -1;
        QTest::newRow("last column") << 762.0 << 63;
        QTest::newRow("right border of sign") << 768.0 << -1;
        QTest::newRow("negative") << -3.0 << -1;
    }
    void hitAreasAreStrict() {
        QFETCH(double, x);
        QFETCH(int, column);
        Drawing d;
        QCOMPARE(columnAt(d.l.sign, x), column);
    }

    // The readout counts from one, also off the sign and in the text mode, and never draws.
    void readoutCountsFromOneEverywhere() {
        Drawing d;
        QCOMPARE(Pic_MouseMove(d.l, 0, 762.0, 90.0), std::string("x = 64  y = 8"));
        selectOption1(d.l, kTextMode);
        QCOMPARE(Pic_MouseMove(d.l, kLeftButton, -13.0, -0.5), std::string("x = -1  y = 0"));
        QCOMPARE(d.litCount(), 0);
    }

    // The chosen tool does the same on a press and on a drag.
    void pencilLightsAndEraserPutsOut() {
        Drawing d;
        QCOMPARE(d.l.tool, DrawingTool::Pencil);
        Pic_MouseDown(d.l, kLeftButton, 18, 30);
        QVERIFY(d.lit(1, 2));
        QCOMPARE(d.l.sign.vector[1], std::int16_t{4});
        for (double x = 30; x < 70; x += 3) {
            Pic_MouseMove(d.l, kLeftButton, x, 30);
        }
        for (int c = 1; c <= 5; ++c) {
            QVERIFY(d.lit(c, 2));
        }
        QCOMPARE(d.litCount(), 5);

        goma_Click(d.l);
        Pic_MouseDown(d.l, kLeftButton, 18, 30);
        QVERIFY(!d.lit(1, 2));
        Pic_MouseMove(d.l, kLeftButton, 30, 30);
        QVERIFY(!d.lit(2, 2));
        QCOMPARE(d.l.sign.vector[2], std::int16_t{0});
        lapiz_Click(d.l);
        QCOMPARE(d.l.tool, DrawingTool::Pencil);
    }

    void onlyTheLeftButtonAloneDraws() {
        Drawing d;
        Pic_MouseDown(d.l, 2, 18, 30);
        Pic_MouseMove(d.l, kLeftButton | 2, 18, 30);
        Pic_MouseMove(d.l, 0, 18, 30);
        Pic_MouseDown(d.l, kLeftButton, 12, 30);   // on a column border
        Pic_MouseDown(d.l, kLeftButton, 18, 24);   // on a row border
        Pic_MouseDown(d.l, kLeftButton, 900, 30);  // off the sign to the right
        Pic_MouseMove(d.l, kLeftButton, 900, 200); // and dragged below it
        QCOMPARE(d.litCount(), 0);
        for (int c = 64; c < 256; ++c) {
            QCOMPARE(d.l.sign.vector[c], std::int16_t{0});
        }
    }

    // A fast drag reports few positions: the LEDs between two of them are drawn too, and
    // only while the left button stays down.
    void aStrokeDrawsTheWholeLine() {
        Drawing d;
        Pic_MouseDown(d.l, kLeftButton, 18, 30);  // column 1, row 2
        Pic_MouseMove(d.l, kLeftButton, 246, 30); // column 20
        QCOMPARE(d.litCount(), 20);
        for (int c = 1; c <= 20; ++c) {
            QVERIFY(d.lit(c, 2));
        }
        Pic_MouseMove(d.l, kLeftButton, 246, 90); // down to row 7
        for (int r = 2; r <= 7; ++r) {
            QVERIFY(d.lit(20, r));
        }
        QCOMPARE(d.litCount(), 25);
        // Released and moved elsewhere, then pressed again: a new stroke, no line between.
        Pic_MouseMove(d.l, 0, 400, 54);
        Pic_MouseDown(d.l, kLeftButton, 402, 54);
        QCOMPARE(d.litCount(), 26);
        // A diagonal from row 0 to row 7 across eight columns lights one LED per column.
        goma_Click(d.l);
        Pic_MouseDown(d.l, kLeftButton, 402, 54);
        lapiz_Click(d.l);
        Bomba_Click(d.l);
        Pic_MouseDown(d.l, kLeftButton, 486, 6);
        Pic_MouseMove(d.l, kLeftButton, 570, 90);
        for (int c = 40; c <= 47; ++c) {
            QVERIFY2(d.lit(c, c - 40), qPrintable(QString::number(c)));
        }
        // The eraser puts out the whole line too.
        goma_Click(d.l);
        Pic_MouseDown(d.l, kLeftButton, 486, 6);
        Pic_MouseMove(d.l, kLeftButton, 570, 90);
        QCOMPARE(d.litCount(), 0);
    }

    void wholePictureTools() {
        Drawing d;
        d.l.sign.matriz[3][3] = 2; // unlit, but not 0: inverting lights it
        invertir_Click(d.l);
        VisibleColumns all;
        all.fill(255);
        QCOMPARE(d.visibleColumns(), all);
        const auto& v = d.l.sign.vector;
        QVERIFY(std::all_of(v.begin(), v.begin() + 64, [](std::int16_t b) { return b == 255; }));
        Bomba_Click(d.l);
        QCOMPARE(d.litCount(), 0);
        pintura_Click(d.l);
        QCOMPARE(d.litCount(), 512);
        invertir_Click(d.l);
        QCOMPARE(d.litCount(), 0);
        QVERIFY(std::all_of(v.begin(), v.begin() + 64, [](std::int16_t b) { return b == 0; }));
    }
};

QTEST_APPLESS_MAIN(DrawingToolsTest)
#include "test_drawing_tools.moc"
