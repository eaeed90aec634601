// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/composition.hpp"
#include "support/find_control.hpp"
#include "ui/led_painter.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"

#include <QLineEdit>
#include <QtTest>

#include <array>
#include <cstdint>

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

// Paints every stroke twice, plainly and from the kept LED images, at one device pixel ratio.
class BothPainters : public SignSurface {
  public:
    BothPainters(qreal ratio, EvenDot evenDot) : ratio_(ratio), evenDot_(evenDot) {}
    void setSize(int width, int height) override {
        plain = QImage(qRound(width * ratio_), qRound(height * ratio_), QImage::Format_RGB32);
        plain.setDevicePixelRatio(ratio_);
        plain.fill(Qt::black);
        kept = plain.copy();
    }
    void drawLed(const LedStroke& stroke) override {
        paintLed(plain, stroke, evenDot_);
        sprites_.paint(kept, stroke, evenDot_);
    }
    void erase() override {}

    QImage plain;
    QImage kept;

  private:
    qreal ratio_;
    EvenDot evenDot_;
    LedSprites sprites_;
};

class PaintedRegion : public QObject {
  public:
    QRegion region;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

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

    void keptLedImagesMatchThePlainPainterPixelForPixel() {
        for (const qreal ratio : {1.0, 1.25, 2.0}) {
            for (const EvenDot evenDot : {EvenDot::OnCorner, EvenDot::OnPixel}) {
                BothPainters painters(ratio, evenDot);
                Sign sign;
                sign.setSurface(&painters);
                sign.escala = 3;
                sign.grosor = 2;
                sign.lumivel(63, 7, 3, 2);
                const std::array<std::array<std::int16_t, 3>, 4> colours{
                    {{220, 220, 220}, {255, 0, 0}, {0, 128, 255}, {1, 2, 3}}};
                for (int k = 0; k < static_cast<int>(colours.size()); ++k) {
                    sign.rojo = colours[k][0];
                    sign.verde = colours[k][1];
                    sign.azul = colours[k][2];
                    for (int column = 0; column < 64; ++column) {
                        for (int row = 0; row < 8; ++row) {
                            sign.led(column, row, (column * 7 + row * 3 + k) % 3 == 0);
                        }
                    }
                    QVERIFY2(painters.kept == painters.plain,
                             qPrintable(QStringLiteral("ratio %1, colour %2").arg(ratio).arg(k)));
                }
            }
        }
    }

    // A keystroke repaints the changed LEDs only, and leaves the sign as a full redraw would.
    void aKeystrokeRepaintsOnlyTheChangedLeds() {
        Form3 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* pic = control<SignWidget>(window, "Pic");
        changeText(window.state(), "HOLA");
        QCoreApplication::processEvents();
        const ShownSign before = pic->shown();
        PaintedRegion painted;
        pic->installEventFilter(&painted);
        changeText(window.state(), "HOLE");
        QTRY_VERIFY(!painted.region.isEmpty());

        QRect changedLeds;
        for (int column = 0; column < 64; ++column) {
            for (int row = 0; row < 8; ++row) {
                if (before.lit(column, row) != pic->shown().lit(column, row)) {
                    changedLeds |= QRect(1 + 12 * column, 1 + 12 * row, 11, 11);
                    QVERIFY(painted.region.contains(QPoint(6 + 12 * column, 6 + 12 * row)));
                }
            }
        }
        QVERIFY(!changedLeds.isEmpty());
        QVERIFY(changedLeds.contains(painted.region.boundingRect()));

        const QImage afterKeystroke = pic->image().copy();
        window.state().sign.refrescar();
        QCOMPARE(pic->image(), afterKeystroke);
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
