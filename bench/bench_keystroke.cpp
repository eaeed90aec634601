// SPDX-License-Identifier: GPL-3.0-or-later
// Keystroke to painted sign: the time from a changed text to the sign composed and painted on
// screen. Measured against two references taken in the same run: the sign painted plainly,
// every LED drawn pixel by pixel and the whole sign repainted, and the repaint of a bare
// widget of the sign's size, the least any painting costs.
#include "bench/median.hpp"
#include "display/composition.hpp"
#include "session/lumivel.hpp"
#include "session/startup.hpp"
#include "ui/led_painter.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int kRounds = 300;

// The sign as painted before LED images were kept: every stroke painted pixel by pixel and
// repainted on screen.
class PlainSign : public QWidget, public lumivel::SignSurface {
  public:
    void setSize(int width, int height) override {
        setFixedSize(width, height);
        image_ = QImage(width, height, QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    void drawLed(const lumivel::LedStroke& stroke) override {
        update(lumivel::paintLed(image_, stroke, lumivel::EvenDot::OnCorner));
    }
    void erase() override { image_.fill(Qt::black); }

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }

  private:
    QImage image_;
};

class BareWidget : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::black); }
};

class PaintProbe : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// Milliseconds from a changed text to its sign painted, as the event loop paints it.
std::vector<double> keystrokes(lumivel::Lumivel& state, QWidget& sign) {
    PaintProbe probe;
    sign.installEventFilter(&probe);
    std::vector<double> samples;
    for (int i = 0; i < kRounds; ++i) {
        // The number leads so that every round changes LEDs in sight.
        const std::string text = std::to_string(i) + " LED LUMIVEL";
        probe.painted = false;
        QElapsedTimer timer;
        timer.start();
        lumivel::changeText(state, text);
        while (!probe.painted && timer.elapsed() < 1000) {
            QApplication::processEvents();
        }
        samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    sign.removeEventFilter(&probe);
    return samples;
}

double bareRepaint(QSize size) {
    BareWidget bare;
    bare.setAttribute(Qt::WA_OpaquePaintEvent);
    bare.setFixedSize(size);
    bare.show();
    QApplication::processEvents();
    std::vector<double> samples;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        bare.repaint();
        samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return lumivel::bench::median(samples);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lumivel::Form3 window;
    window.show();
    QApplication::processEvents();
    auto* pic = window.findChild<lumivel::SignWidget*>("Pic");
    const double sign = lumivel::bench::median(keystrokes(window.state(), *pic));

    PlainSign plain;
    lumivel::Lumivel plainState;
    plainState.sign.setSurface(&plain);
    lumivel::startUp(plainState, QApplication::applicationDirPath().toStdString());
    plain.show();
    QApplication::processEvents();
    const double plainSign = lumivel::bench::median(keystrokes(plainState, plain));
    const double bare = bareRepaint(pic->size());

    std::printf(
        "| keystroke to painted sign (compose, changed LEDs painted and repainted) | %.3f ms "
        "median of %d; %.2f x the plain painter (%.3f ms), %.1f x a bare widget's "
        "repaint (%.3f ms) | 1.0 ms | `%s` (platform %s) |\n",
        sign, kRounds, sign / plainSign, plainSign, sign / bare, bare, "bench_keystroke",
        qPrintable(QApplication::platformName()));
    return 0;
}
