// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: from the process's start to the first painted sign, and the peak memory then,
// against a bare Qt window's first paint measured alike in the same run. Each sample is a
// fresh process (the benchmark runs itself with --once or --bare).
#include "bench/median.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <time.h>

namespace {

// Milliseconds since this process started, from the kernel's own start time.
double millisecondsSinceProcessStart() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    FILE* stat = std::fopen("/proc/self/stat", "r");
    unsigned long long startTicks = 0;
    if (stat != nullptr) {
        // Field 22 is the start time in clock ticks since boot; the comm field has no spaces here.
        for (int field = 1; field < 22; ++field) {
            if (std::fscanf(stat, "%*s") != 0) {
                break;
            }
        }
        if (std::fscanf(stat, "%llu", &startTicks) != 1) {
            startTicks = 0;
        }
        std::fclose(stat);
    }
    const double startMs =
        1000.0 * static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
    const double nowMs =
        1000.0 * static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e6;
    return nowMs - startMs;
}

class FirstPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

int once(int argc, char** argv, bool bare) {
    QApplication app(argc, argv);
    FirstPaint probe;
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->resize(775, 102);
        window->installEventFilter(&probe);
    } else {
        window = std::make_unique<lumivel::Form3>();
        window->findChild<lumivel::SignWidget*>("Pic")->installEventFilter(&probe);
    }
    window->show();
    while (!probe.painted) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents();
    const double ms = millisecondsSinceProcessStart();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f %ld\n", ms, usage.ru_maxrss);
    return 0;
}

struct Sample {
    std::vector<double> ms;
    std::vector<double> kib;
};

void runOnce(const char* program, const char* mode, Sample& sample) {
    QProcess run;
    run.start(QString::fromLocal8Bit(program), {QString::fromLatin1(mode)});
    run.waitForFinished(60000);
    double ms = 0;
    long kib = 0;
    if (std::sscanf(run.readAllStandardOutput().constData(), "%lf %ld", &ms, &kib) == 2) {
        sample.ms.push_back(ms);
        sample.kib.push_back(static_cast<double>(kib));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--once") == 0 || std::strcmp(argv[1], "--bare") == 0)) {
        return once(argc, argv, std::strcmp(argv[1], "--bare") == 0);
    }
    constexpr int kRuns = 7;
    Sample sign;
    Sample bare;
    // Alternated, so that a busy moment of the machine weighs on both alike.
    for (int i = 0; i < kRuns; ++i) {
        runOnce(argv[0], "--once", sign);
        runOnce(argv[0], "--bare", bare);
    }
    using lumivel::bench::median;
    std::printf("| start-up to the first painted sign | %.0f ms median of %zu runs; %.1f x a bare "
                "Qt window's first paint (%.0f ms) | under 150 ms | `bench_startup` |\n",
                median(sign.ms), sign.ms.size(), median(sign.ms) / median(bare.ms),
                median(bare.ms));
    std::printf("| peak memory at the first painted sign | %.1f MiB median of %zu runs; %.1f x a "
                "bare Qt window's (%.1f MiB) | under 40 MiB | `bench_startup` |\n",
                median(sign.kib) / 1024.0, sign.kib.size(), median(sign.kib) / median(bare.kib),
                median(bare.kib) / 1024.0);
    return 0;
}
