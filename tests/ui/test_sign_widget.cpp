#include "support/find_control.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"

#include <QLineEdit>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

QColor pixel(const SignWidget* pic, int x, int y) {
    const QImage& image = pic->image();
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(qRound(x * ratio), qRound(y * ratio));
}

QColor centreOf(const SignWidget* pic, int column, int row) {
    return pixel(pic, 6 + 12 * column, 6 + 12 * row);
}

// The smallest rectangle holding every pixel of LED (0, 0)'s cell that `wanted` accepts.
template <typename Wanted> QRect extentInFirstCell(const SignWidget* pic, Wanted wanted) {
    QRect extent;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            if (wanted(pixel(pic, x, y))) {
                extent |= QRect(x, y, 1, 1);
            }
        }
    }
    return extent;
}

bool columnLit(const SignWidget* pic, int column) {
    for (int row = 0; row < 8; ++row) {
        if (centreOf(pic, column, row) == QColor(220, 220, 220)) {
            return true;
        }
    }
    return false;
}

} // namespace

class SignWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void ledPixelsHaveTheExactColours() {
        SignWidget pic;
        Sign sign;
        sign.setSurface(&pic);
        sign.rojo = sign.verde = sign.azul = 220;
        sign.columnas = 63;
        sign.filas = 7;
        sign.escala = 3;
        sign.grosor = 2;
        sign.lumivel(63, 7, 3, 2);
        QCOMPARE(pic.size(), QSize(775, 102));
        sign.led(63, 7, 1);
        QCOMPARE(centreOf(&pic, 63, 7), QColor(220, 220, 220));
        QCOMPARE(pixel(&pic, 762 + 6, 90), QColor(0, 0, 0)); // between LEDs
        QCOMPARE(centreOf(&pic, 0, 0), QColor(80, 80, 80));
        QCOMPARE(pixel(&pic, 762 + 2, 90), QColor(157, 157, 157)); // the ring
        sign.refrescar();
        QCOMPARE(centreOf(&pic, 63, 7), QColor(220, 220, 220)); // redrawn from matriz

        // A round 11-pixel disc centred on the LED's pixel, a 4 x 4 dot on its corner.
        const QColor black(0, 0, 0);
        QCOMPARE(extentInFirstCell(&pic, [&](QColor c) { return c != black; }),
                 QRect(1, 1, 11, 11));
        QCOMPARE(pixel(&pic, 1, 1), black);
        QCOMPARE(pixel(&pic, 11, 11), black);
        QCOMPARE(extentInFirstCell(&pic, [](QColor c) { return c == QColor(80, 80, 80); }),
                 QRect(4, 4, 4, 4));
    }

    void resizeRedrawsFromTheState() {
        Form3 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* pic = control<SignWidget>(window, "Pic");
        pic->erase();
        QVERIFY(!columnLit(pic, 4));
        window.resize(window.width() + 10, window.height());
        QTRY_VERIFY(columnLit(pic, 4));
    }
};

QTEST_MAIN(SignWidgetTest)
#include "test_sign_widget.moc"
