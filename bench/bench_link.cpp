// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the sign link over pseudo-terminals, each figure against a reference measured in
// the same run: the sender's exchange rate against a minimal openpty echo loop, the virtual
// sign's pacing against the character time it imitates, a full 8 KiB image against the
// wire's own limit of two 10-bit characters per exchange, and two signs programmed together
// against one. Run with `make bench`.
#include "median.hpp"
#include "transmission/parallel_send.hpp"
#include "transmission/posix_serial_port.hpp"
#include "transmission/virtual_sign.hpp"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace lumivel;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A virtual sign served on its own thread for the life of the object.
class SignUnderTest {
  public:
    explicit SignUnderTest(int baud) : sign_(options(baud)) {
        if (Result<void> opened = sign_.abrir(); !opened.ok()) {
            std::fprintf(stderr, "letrero virtual: %s\n", opened.error().describe().c_str());
            std::exit(1);
        }
        thread_ = std::thread([this] {
            Result<void> served = sign_.serve(
                {}, [](const std::string& e) { std::fprintf(stderr, "letrero: %s\n", e.c_str()); });
            if (!served.ok()) {
                std::fprintf(stderr, "letrero: %s\n", served.error().describe().c_str());
            }
        });
    }
    ~SignUnderTest() { stop(); }
    // Ends the service; the sign's pacing record may be read after.
    const VirtualSign::PacingError& stop() {
        if (thread_.joinable()) {
            sign_.stop();
            thread_.join();
        }
        return sign_.pacingError();
    }
    const std::string& path() const { return sign_.path(); }

  private:
    static VirtualSign::Options options(int baud) {
        VirtualSign::Options o;
        o.baud = baud;
        return o;
    }

    VirtualSign sign_;
    std::thread thread_;
};

// The terminal's slave side in raw, blocking mode: the least a sender can do per exchange.
int rawSender(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    ::tcgetattr(fd, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(fd, TCSANOW, &mode);
    return fd;
}

// One byte out and its echo back; the seconds it took. On a non-blocking descriptor the
// sender spins for the echo, so its own wake-up is not part of the time.
double rawExchange(int fd, char byte) {
    const auto start = Clock::now();
    char echo = 0;
    bool ok = ::write(fd, &byte, 1) == 1;
    ssize_t bytesRead = 0;
    while (ok && (bytesRead = ::read(fd, &echo, 1)) != 1) {
        ok = bytesRead < 0 && errno == EAGAIN;
    }
    if (!ok || echo != byte) {
        std::fprintf(stderr, "eco perdido en el emisor mínimo\n");
    }
    return secondsSince(start);
}

// Exchanges per second of a loop that echoes on the master side and nothing else.
double minimalEchoLoop(int exchanges) {
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        std::perror("openpty");
        std::exit(1);
    }
    termios mode{};
    ::tcgetattr(slave, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(slave, TCSANOW, &mode);
    std::thread echo([master, exchanges] {
        char byte = 0;
        for (int k = 0; k < exchanges && ::read(master, &byte, 1) == 1; ++k) {
            [[maybe_unused]] const auto written = ::write(master, &byte, 1);
        }
    });
    const auto start = Clock::now();
    for (int k = 0; k < exchanges; ++k) {
        rawExchange(slave, static_cast<char>('A' + k % 26));
    }
    const double seconds = secondsSince(start);
    echo.join();
    ::close(slave);
    ::close(master);
    return exchanges / seconds;
}

// Exchanges per second of the program's own sender and virtual sign.
double linkLoop(const SignUnderTest& sign, int exchanges) {
    PosixSerialPort port(sign.path());
    if (Result<void> opened = port.abrir(); !opened.ok()) {
        std::fprintf(stderr, "%s\n", opened.error().describe().c_str());
        std::exit(1);
    }
    int failed = 0;
    const auto start = Clock::now();
    for (int k = 0; k < exchanges; ++k) {
        const Result<Received> reply =
            enviar(port, std::string(1, static_cast<char>('A' + k % 26)));
        failed += !reply.ok() || reply->timedOut;
    }
    const double seconds = secondsSince(start);
    if (failed != 0) {
        std::fprintf(stderr, "%d intercambios sin respuesta\n", failed);
    }
    return exchanges / seconds;
}

// Median round trip of the minimal sender, spinning for each echo, in seconds.
double medianRoundTrip(const SignUnderTest& sign, int exchanges) {
    const int fd = rawSender(sign.path());
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    std::vector<double> roundTrip;
    for (int k = 0; k < exchanges; ++k) {
        roundTrip.push_back(rawExchange(fd, static_cast<char>('A' + k % 26)));
    }
    ::close(fd);
    return bench::median(roundTrip);
}

// 62 text messages filling the 8192 slots exactly.
TransmissionImage fullImage() {
    TransmissionImage image;
    int i = 0;
    auto append = [&](int value) {
        image.datos[static_cast<std::size_t>(i++)] = static_cast<std::int16_t>(value);
    };
    for (int m = 0; m < 62; ++m) {
        append(1);
        append(2);
        const int length = m < 61 ? 130 : 74;
        for (int c = 0; c < length; ++c) {
            append('A' + c % 26);
        }
        append(0);
    }
    append(0);
    append(0);
    image.ndatos = static_cast<std::int16_t>(i - 1);
    return image;
}

// The image to every sign at once, as `send` with one --port per sign does; the seconds it
// took, or a negative number when some echo was not verified.
double sendToSigns(int count, const TransmissionImage& image) {
    std::vector<std::unique_ptr<SignUnderTest>> signs;
    std::vector<std::unique_ptr<PosixSerialPort>> ports;
    std::vector<Port*> used;
    for (int i = 0; i < count; ++i) {
        signs.push_back(std::make_unique<SignUnderTest>(kLineBaud));
        ports.push_back(std::make_unique<PosixSerialPort>(signs.back()->path()));
        used.push_back(ports.back().get());
    }
    LoadResult load;
    load.estado = ImageState::Ready;
    const auto start = Clock::now();
    const std::vector<SendResult> results = sendToEach(used, load, image, image.ndatos);
    const double seconds = secondsSince(start);
    for (const SendResult& r : results) {
        if (r.outcome != Outcome::Verified) {
            std::fprintf(stderr, "desenlace %d, verificados %d de %d, primer error en %d\n",
                         static_cast<int>(r.outcome), r.transfer.verified, r.transfer.imageBytes,
                         r.transfer.firstError);
            return -seconds;
        }
    }
    return seconds;
}

} // namespace

int main() {
    // Unpaced exchange rates, the two loops taking turns so both see the same machine.
    constexpr int kExchanges = 4000;
    constexpr int kRoundTrips = 5;
    std::vector<double> minimum;
    std::vector<double> link;
    {
        const SignUnderTest sign(0);
        for (int lap = 0; lap < kRoundTrips; ++lap) {
            minimum.push_back(minimalEchoLoop(kExchanges));
            link.push_back(linkLoop(sign, kExchanges));
        }
    }
    const double perSecond = bench::median(link);
    const double reference = bench::median(minimum);
    std::printf("| link exchanges over a pseudo-terminal, unpaced sign | %.0f exchanges/s (%.1f us "
                "each), median of %d x %d; %.0f %% of the minimal openpty echo loop's %.0f/s in "
                "the same run | at least 60 %% of the minimal loop | `bench_link` |\n",
                perSecond, 1e6 / perSecond, kRoundTrips, kExchanges, perSecond / reference * 100,
                reference);

    // The sign's own pacing error: what a paced echo adds to an unpaced round trip beyond the
    // two character times, seen by a sender that does nothing else.
    constexpr int kSamples = 2000;
    const double charTime = 10.0 / kLineBaud;
    double withoutPause = 0;
    double withPause = 0;
    VirtualSign::PacingError pause;
    {
        SignUnderTest unpaced(0);
        withoutPause = medianRoundTrip(unpaced, kSamples);
    }
    {
        SignUnderTest paused(kLineBaud);
        withPause = medianRoundTrip(paused, kSamples);
        pause = paused.stop();
    }
    const double media =
        static_cast<double>(pause.totalNs) / static_cast<double>(std::max(pause.echoes, 1LL)) / 1e9;
    const double worst = static_cast<double>(pause.worstNs) / 1e9;
    const double seen = withPause - 2 * charTime - withoutPause;
    std::printf(
        "| virtual sign's pacing error at 9600 baud, echo written against its due time, "
        "driven by a minimal sender | median under %d us (%.2f %% of a character time of "
        "%.1f us), mean %.2f us, worst %.1f us, %lld echoes; the sender sees %+.1f us over an "
        "unpaced round "
        "trip (median, the pseudo-terminal's own delivery after a wait included) | under 1 %% "
        "of a character time | `bench_link` |\n",
        pause.medianUs() + 1, (pause.medianUs() + 1) / (charTime * 1e6) * 100, charTime * 1e6,
        media * 1e6, worst * 1e6, pause.echoes, seen * 1e6);

    // A full image to a sign paced like a 9600-baud line.
    const TransmissionImage image = fullImage();
    const int bytes = image.ndatos + 1;
    const int headers = (bytes + kBlockSize - 1) / kBlockSize;
    const int exchanges = 1 + bytes + static_cast<int>(blockHeader(0).size()) * headers;
    const double limit = exchanges * 2 * charTime;
    const double oneSign = sendToSigns(1, image);
    std::printf("| full %d-byte image (%d exchanges) to `sign --pace 9600` | %.2f s, %s, one run; "
                "%+.1f %% over the wire limit of %.2f s | within 3 %% of the wire limit | "
                "`bench_link` |\n",
                bytes, exchanges, std::abs(oneSign),
                oneSign > 0 ? "every echo verified" : "ECHO ERRORS",
                (std::abs(oneSign) / limit - 1) * 100, limit);

    // Two signs programmed together against the one above.
    const double twoSigns = sendToSigns(2, image);
    std::printf("| the same image to two paced signs at once (`send --port A --port B`) | %.2f s, "
                "%s, one run; %.2f times the one sign above | at most 1.2 times one sign | "
                "`bench_link` |\n",
                std::abs(twoSigns), twoSigns > 0 ? "every echo verified" : "ECHO ERRORS",
                std::abs(twoSigns) / std::abs(oneSign));
    return oneSign > 0 && twoSigns > 0 ? 0 : 1;
}
