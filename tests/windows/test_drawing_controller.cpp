// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/editing_mode.hpp"
#include "session/startup.hpp"
#include "ui/sign_widget.hpp"
#include "windows/drawing_controller.hpp"
#include "windows/state_changes.hpp"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "support/main_window.hpp"

using namespace lumivel;

namespace {

// A bare sign with its tool buttons and readout, started and in the drawing mode.
struct Bench {
    QWidget window;
    SignWidget* Pic = new SignWidget(&window);
    QPushButton* lapiz = new QPushButton(&window);
    QPushButton* goma = new QPushButton(&window);
    QPushButton* pintura = new QPushButton(&window);
    QPushButton* Bomba = new QPushButton(&window);
    QPushButton* invertir = new QPushButton(&window);
    QLabel* panel1 = new QLabel(&window);
    Lumivel l;
    StateChanges changes;
    int mirrored = 0;
    DrawingController controller{{Pic, lapiz, goma, pintura, Bomba, invertir, panel1}, l, changes};

    Bench() {
        QObject::connect(&changes, &StateChanges::modeChanged, [this] { ++mirrored; });
        l.sign.setSurface(Pic);
        startUp(l, ".");
        selectOption1(l, kDrawingMode);
        Pic->move(0, 0);
        lapiz->move(0, 120);
        goma->move(100, 120);
        window.resize(900, 200);
        window.show();
    }
    bool lit(int c, int r) const { return l.sign.matriz[c][r] == 1 && Pic->shown().lit(c, r); }
    int litCount() const { return test::litCount(*Pic); }
    void drag(QPoint from, QPoint to, int step = 3) {
        QTest::mousePress(Pic, Qt::LeftButton, Qt::NoModifier, from);
        const QPoint delta = to - from;
        const int steps = std::max(std::abs(delta.x()), std::abs(delta.y())) / step;
        for (int i = 1; i <= steps; ++i) {
            QTest::mouseMove(Pic, from + delta * i / steps);
        }
        QTest::mouseRelease(Pic, Qt::LeftButton, Qt::NoModifier, to);
    }
};

} // namespace

class DrawingControllerTest : public QObject {
    Q_OBJECT
  private slots:
    // Which LEDs a tool changes is the drawing tools' test; here the pointer and the buttons
    // reach them, a press and a drag alike.
    void toolButtonsAndPointerReachTheSign() {
        Bench b;
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        QTest::mouseClick(b.Pic, Qt::LeftButton, Qt::NoModifier, QPoint(18, 30));
        QVERIFY(b.lit(1, 2));
        b.drag(QPoint(30, 42), QPoint(66, 42));
        QCOMPARE(b.litCount(), 5);
        QCOMPARE(b.l.sign.vector[3], std::int16_t{8});
        QTest::mouseClick(b.invertir, Qt::LeftButton);
        QCOMPARE(b.litCount(), 512 - 5);
        QTest::mouseClick(b.pintura, Qt::LeftButton);
        QCOMPARE(b.litCount(), 512);
        QTest::mouseClick(b.goma, Qt::LeftButton);
        QCOMPARE(b.l.tool, DrawingTool::Eraser);
        QVERIFY(b.mirrored > 0);
        b.drag(QPoint(18, 90), QPoint(90, 90));
        QCOMPARE(b.litCount(), 512 - 7);
        QVERIFY(!b.lit(7, 7));
        QTest::mouseClick(b.lapiz, Qt::LeftButton);
        QCOMPARE(b.l.tool, DrawingTool::Pencil);
        QTest::mouseClick(b.Bomba, Qt::LeftButton);
        QCOMPARE(b.litCount(), 0);
    }
};

QTEST_MAIN(DrawingControllerTest)
#include "test_drawing_controller.moc"
