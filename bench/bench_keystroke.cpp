// Keystroke to painted sign: the time from a changed text to the sign composed and every
// LED repainted on screen, against the 16.7 ms of one 60 Hz frame.
#include "bench/median.hpp"
#include "display/composition.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lumivel::Form3 window;
    window.show();
    QApplication::processEvents();

    constexpr int kRounds = 300;
    std::vector<double> samples;
    samples.reserve(kRounds);
    for (int i = 0; i < kRounds; ++i) {
        const std::string text = " LED LUMIVEL " + std::to_string(i);
        QElapsedTimer timer;
        timer.start();
        lumivel::changeText(window.state(), text);
        window.findChild<lumivel::SignWidget*>("Pic")->repaint();
        samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("| keystroke to painted sign (compose + 512 LEDs + repaint) | %.3f ms median of %d "
                "| 16.7 ms (one 60 Hz frame) | `%s` (platform %s) |\n",
                lumivel::bench::median(samples), kRounds, "bench_keystroke",
                qPrintable(QApplication::platformName()));
    return 0;
}
