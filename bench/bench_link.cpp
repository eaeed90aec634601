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

double secondsSince(Clock::time_point inicio) {
    return std::chrono::duration<double>(Clock::now() - inicio).count();
}

// A virtual sign served on its own thread for the life of the object.
class Letrero {
  public:
    explicit Letrero(int baud) : signo_(opciones(baud)) {
        if (Result<void> opened = signo_.abrir(); !opened.ok()) {
            std::fprintf(stderr, "letrero virtual: %s\n", opened.error().describe().c_str());
            std::exit(1);
        }
        thread_ = std::thread([this] {
            Result<void> served = signo_.serve(
                {}, [](const std::string& e) { std::fprintf(stderr, "letrero: %s\n", e.c_str()); });
            if (!served.ok()) {
                std::fprintf(stderr, "letrero: %s\n", served.error().describe().c_str());
            }
        });
    }
    ~Letrero() { parar(); }
    // Ends the service; the sign's pacing record may be read after.
    const VirtualSign::PacingError& parar() {
        if (thread_.joinable()) {
            signo_.stop();
            thread_.join();
        }
        return signo_.pacingError();
    }
    const std::string& ruta() const { return signo_.ruta(); }

  private:
    static VirtualSign::Opciones opciones(int baud) {
        VirtualSign::Opciones o;
        o.baud = baud;
        return o;
    }

    VirtualSign signo_;
    std::thread thread_;
};

// The terminal's slave side in raw, blocking mode: the least a sender can do per exchange.
int rawSender(const std::string& ruta) {
    const int fd = ::open(ruta.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios modo{};
    ::tcgetattr(fd, &modo);
    ::cfmakeraw(&modo);
    ::tcsetattr(fd, TCSANOW, &modo);
    return fd;
}

// One byte out and its echo back; the seconds it took. On a non-blocking descriptor the
// sender spins for the echo, so its own wake-up is not part of the time.
double rawExchange(int fd, char byte) {
    const auto inicio = Clock::now();
    char eco = 0;
    bool bien = ::write(fd, &byte, 1) == 1;
    ssize_t leidos = 0;
    while (bien && (leidos = ::read(fd, &eco, 1)) != 1) {
        bien = leidos < 0 && errno == EAGAIN;
    }
    if (!bien || eco != byte) {
        std::fprintf(stderr, "eco perdido en el emisor minimo\n");
    }
    return secondsSince(inicio);
}

// Exchanges per second of a loop that echoes on the master side and nothing else.
double minimalEchoLoop(int intercambios) {
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        std::perror("openpty");
        std::exit(1);
    }
    termios modo{};
    ::tcgetattr(slave, &modo);
    ::cfmakeraw(&modo);
    ::tcsetattr(slave, TCSANOW, &modo);
    std::thread eco([master, intercambios] {
        char byte = 0;
        for (int k = 0; k < intercambios && ::read(master, &byte, 1) == 1; ++k) {
            [[maybe_unused]] const auto escritos = ::write(master, &byte, 1);
        }
    });
    const auto inicio = Clock::now();
    for (int k = 0; k < intercambios; ++k) {
        rawExchange(slave, static_cast<char>('A' + k % 26));
    }
    const double segundos = secondsSince(inicio);
    eco.join();
    ::close(slave);
    ::close(master);
    return intercambios / segundos;
}

// Exchanges per second of the program's own sender and virtual sign.
double linkLoop(const Letrero& letrero, int intercambios) {
    PosixSerialPort puerto(letrero.ruta());
    if (Result<void> opened = puerto.abrir(); !opened.ok()) {
        std::fprintf(stderr, "%s\n", opened.error().describe().c_str());
        std::exit(1);
    }
    int fallidos = 0;
    const auto inicio = Clock::now();
    for (int k = 0; k < intercambios; ++k) {
        fallidos += enviar(puerto, std::string(1, static_cast<char>('A' + k % 26))).timedOut;
    }
    const double segundos = secondsSince(inicio);
    if (fallidos != 0) {
        std::fprintf(stderr, "%d intercambios sin respuesta\n", fallidos);
    }
    return intercambios / segundos;
}

// Median round trip of the minimal sender, spinning for each echo, in seconds.
double medianRoundTrip(const Letrero& letrero, int intercambios) {
    const int fd = rawSender(letrero.ruta());
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    std::vector<double> idaYVuelta;
    for (int k = 0; k < intercambios; ++k) {
        idaYVuelta.push_back(rawExchange(fd, static_cast<char>('A' + k % 26)));
    }
    ::close(fd);
    return bench::median(idaYVuelta);
}

// 62 text messages filling the 8192 slots exactly.
TransmissionImage imagenLlena() {
    TransmissionImage imagen;
    int i = 0;
    auto agregar = [&](int valor) {
        imagen.datos[static_cast<std::size_t>(i++)] = static_cast<std::int16_t>(valor);
    };
    for (int m = 0; m < 62; ++m) {
        agregar(1);
        agregar(2);
        const int largo = m < 61 ? 130 : 74;
        for (int c = 0; c < largo; ++c) {
            agregar('A' + c % 26);
        }
        agregar(0);
    }
    agregar(0);
    agregar(0);
    imagen.ndatos = static_cast<std::int16_t>(i - 1);
    return imagen;
}

// The image to every sign at once, as `send` with one --port per sign does; the seconds it
// took, or a negative number when some echo was not verified.
double sendToSigns(int cuantos, const TransmissionImage& imagen) {
    std::vector<std::unique_ptr<Letrero>> letreros;
    std::vector<std::unique_ptr<PosixSerialPort>> puertos;
    std::vector<Port*> usados;
    for (int i = 0; i < cuantos; ++i) {
        letreros.push_back(std::make_unique<Letrero>(kLineBaud));
        puertos.push_back(std::make_unique<PosixSerialPort>(letreros.back()->ruta()));
        usados.push_back(puertos.back().get());
    }
    LoadResult carga;
    carga.estado = ImageState::Ready;
    const auto inicio = Clock::now();
    const std::vector<SendResult> resultados = sendToEach(usados, carga, imagen, imagen.ndatos);
    const double segundos = secondsSince(inicio);
    for (const SendResult& r : resultados) {
        if (r.outcome != Outcome::Verified) {
            std::fprintf(stderr, "desenlace %d, verificados %d de %d, primer error en %d\n",
                         static_cast<int>(r.outcome), r.transfer.verified, r.transfer.imageBytes,
                         r.transfer.firstError);
            return -segundos;
        }
    }
    return segundos;
}

} // namespace

int main() {
    // Unpaced exchange rates, the two loops taking turns so both see the same machine.
    constexpr int kIntercambios = 4000;
    constexpr int kVueltas = 5;
    std::vector<double> minimo;
    std::vector<double> enlace;
    {
        const Letrero letrero(0);
        for (int vuelta = 0; vuelta < kVueltas; ++vuelta) {
            minimo.push_back(minimalEchoLoop(kIntercambios));
            enlace.push_back(linkLoop(letrero, kIntercambios));
        }
    }
    const double porSegundo = bench::median(enlace);
    const double referencia = bench::median(minimo);
    std::printf("| link exchanges over a pseudo-terminal, unpaced sign | %.0f exchanges/s (%.1f us "
                "each), median of %d x %d; %.0f %% of the minimal openpty echo loop's %.0f/s in "
                "the same run | at least 60 %% of the minimal loop | `bench_link` |\n",
                porSegundo, 1e6 / porSegundo, kVueltas, kIntercambios,
                porSegundo / referencia * 100, referencia);

    // The sign's own pacing error: what a paced echo adds to an unpaced round trip beyond the
    // two character times, seen by a sender that does nothing else.
    constexpr int kMuestras = 2000;
    const double caracter = 10.0 / kLineBaud;
    double sinPausa = 0;
    double conPausa = 0;
    VirtualSign::PacingError pausa;
    {
        Letrero libre(0);
        sinPausa = medianRoundTrip(libre, kMuestras);
    }
    {
        Letrero pausado(kLineBaud);
        conPausa = medianRoundTrip(pausado, kMuestras);
        pausa = pausado.parar();
    }
    const double media =
        static_cast<double>(pausa.totalNs) / static_cast<double>(std::max(pausa.echoes, 1LL)) / 1e9;
    const double peor = static_cast<double>(pausa.worstNs) / 1e9;
    const double visto = conPausa - 2 * caracter - sinPausa;
    std::printf(
        "| virtual sign's pacing error at 9600 baud, echo written against its due time, "
        "driven by a minimal sender | median under %d us (%.2f %% of a character time of "
        "%.1f us), mean %.2f us, worst %.1f us, %lld echoes; the sender sees %+.1f us over an "
        "unpaced round "
        "trip (median, the pseudo-terminal's own delivery after a wait included) | under 1 %% "
        "of a character time | `bench_link` |\n",
        pausa.medianUs() + 1, (pausa.medianUs() + 1) / (caracter * 1e6) * 100, caracter * 1e6,
        media * 1e6, peor * 1e6, pausa.echoes, visto * 1e6);

    // A full image to a sign paced like a 9600-baud line.
    const TransmissionImage imagen = imagenLlena();
    const int bytes = imagen.ndatos + 1;
    const int cabeceras = (bytes + kBlockSize - 1) / kBlockSize;
    const int intercambios = 1 + bytes + static_cast<int>(blockHeader(0).size()) * cabeceras;
    const double limite = intercambios * 2 * caracter;
    const double uno = sendToSigns(1, imagen);
    std::printf("| full %d-byte image (%d exchanges) to `sign --pace 9600` | %.2f s, %s, one run; "
                "%+.1f %% over the wire limit of %.2f s | within 3 %% of the wire limit | "
                "`bench_link` |\n",
                bytes, intercambios, std::abs(uno), uno > 0 ? "every echo verified" : "ECHO ERRORS",
                (std::abs(uno) / limite - 1) * 100, limite);

    // Two signs programmed together against the one above.
    const double dos = sendToSigns(2, imagen);
    std::printf("| the same image to two paced signs at once (`send --port A --port B`) | %.2f s, "
                "%s, one run; %.2f times the one sign above | at most 1.2 times one sign | "
                "`bench_link` |\n",
                std::abs(dos), dos > 0 ? "every echo verified" : "ECHO ERRORS",
                std::abs(dos) / std::abs(uno));
    return uno > 0 && dos > 0 ? 0 : 1;
}
