// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/editing_mode.hpp"

#include "support/started_state.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

class EditingModeTest : public QObject {
    Q_OBJECT
  private slots:
    void switchingModesClearsTextAndSign_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        QTest::newRow("text to drawing") << 1 << 0 << 0;
        QTest::newRow("drawing to text") << 0 << 1 << 1;
        QTest::newRow("any other index is text") << 0 << 5 << 1;
    }
    void switchingModesClearsTextAndSign() {
        QFETCH(int, from);
        QFETCH(int, index);
        QFETCH(int, mode);
        StartedState a;
        selectOption1(a.l, from);
        a.escribir("HOLA");
        a.l.sign.cbin(255, 40);
        a.l.sign.mostrar();
        a.l.sign.envector(40);
        Option1_Click(a.l, index);
        QCOMPARE(a.l.option1, mode);
        QVERIFY(a.l.texto.empty());
        QCOMPARE(a.visibleColumns(), VisibleColumns{});
        QCOMPARE(a.l.sign.vector[40], std::int16_t{0});
    }

    // Each mode enables its own controls; the drawing mode starts with the pencil, and the
    // button of the tool in use is the one disabled.
    void controlsFollowTheModeAndTheTool() {
        StartedState a;
        selectOption1(a.l, kTextMode); // already the mode: the text stays
        QCOMPARE(a.l.texto, std::string(kInitialText));
        ModeControls c = modeControls(a.l);
        QVERIFY(c.texto && c.mayuscula && !c.lapiz && !c.goma && !c.wholeSignTools);

        a.l.tool = DrawingTool::Eraser;
        selectOption1(a.l, kDrawingMode);
        QVERIFY(a.l.tool == DrawingTool::Pencil);
        c = modeControls(a.l);
        QVERIFY(!c.texto && !c.mayuscula && c.wholeSignTools && !c.lapiz && c.goma);
        a.l.tool = DrawingTool::Eraser;
        c = modeControls(a.l);
        QVERIFY(c.lapiz && !c.goma);
    }
};

QTEST_APPLESS_MAIN(EditingModeTest)
#include "test_editing_mode.moc"
