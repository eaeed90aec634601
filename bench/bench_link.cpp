// Measures the sign link over a pseudo-terminal: how many byte exchanges (write, wait for
// the echo) the sender makes per second against an unpaced virtual sign, and how long a
// full 8 KiB image takes against a sign paced like a 9600-baud line, compared with the
// wire's own limit of two 10-bit characters per exchange. Run with `make bench`.
#include "median.hpp"
#include "transmission/sign_link.hpp"
#include "transmission/virtual_sign.hpp"
#include "ui/qt_serial_port.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <thread>

using namespace lumivel;

namespace {

// A virtual sign served on its own thread for the life of the object.
class Letrero {
  public:
    explicit Letrero(int baud) : signo_(VirtualSign::Opciones{.baud = baud}) {
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
    ~Letrero() {
        signo_.stop();
        thread_.join();
    }
    QString ruta() const { return QString::fromStdString(signo_.ruta()); }

  private:
    VirtualSign signo_;
    std::thread thread_;
};

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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    // Exchanges per second, unpaced.
    constexpr int kIntercambios = 4000;
    std::vector<double> porSegundo;
    {
        Letrero letrero(0);
        for (int vuelta = 0; vuelta < 5; ++vuelta) {
            QtSerialPort puerto(letrero.ruta());
            if (Result<void> opened = puerto.abrir(); !opened.ok()) {
                std::fprintf(stderr, "%s\n", opened.error().describe().c_str());
                return 1;
            }
            QElapsedTimer reloj;
            reloj.start();
            int fallidos = 0;
            qint64 peorNs = 0;
            for (int k = 0; k < kIntercambios; ++k) {
                QElapsedTimer uno;
                uno.start();
                fallidos +=
                    enviar(puerto, std::string(1, static_cast<char>('A' + k % 26))).timedOut;
                peorNs = std::max(peorNs, uno.nsecsElapsed());
            }
            std::fprintf(stderr, "peor intercambio %.2f ms\n", static_cast<double>(peorNs) / 1e6);
            porSegundo.push_back(kIntercambios / (static_cast<double>(reloj.nsecsElapsed()) / 1e9));
            puerto.cerrar();
            if (fallidos != 0) {
                std::fprintf(stderr, "%d intercambios sin respuesta\n", fallidos);
            }
        }
    }
    const double mediana = bench::median(porSegundo);
    std::printf("| link exchanges over a pseudo-terminal, unpaced sign | %.0f exchanges/s (%.1f us "
                "each), median of 5 x %d | above the 480/s of a 9600-baud line | `bench_link` |\n",
                mediana, 1e6 / mediana, kIntercambios);

    // A full image to a sign paced at 9600 baud.
    const TransmissionImage imagen = imagenLlena();
    const int bytes = imagen.ndatos + 1;
    const int cabeceras = (bytes + kBlockSize - 1) / kBlockSize;
    const int intercambios = 1 + bytes + static_cast<int>(blockHeader(0).size()) * cabeceras;
    const double limite = intercambios * 2 * 10.0 / kLineBaud;
    Letrero paced(kLineBaud);
    QtSerialPort puerto(paced.ruta());
    LoadResult carga;
    carga.estado = ImageState::Ready;
    // Records the longest wait for one byte, to tell a slow machine from a slow link.
    struct Intervalos : TransferObserver {
        QElapsedTimer reloj;
        qint64 anterior = 0;
        qint64 peor = 0;
        int peorIndice = -1;
        void progress(int i) override {
            const qint64 ahora = reloj.nsecsElapsed();
            if (ahora - anterior > peor) {
                peor = ahora - anterior;
                peorIndice = i;
            }
            anterior = ahora;
        }
    } nadie;
    QElapsedTimer reloj;
    reloj.start();
    nadie.reloj.start();
    const SendResult r = sendImage(puerto, carga, imagen, imagen.ndatos, nadie);
    std::fprintf(stderr, "byte mas lento: %.1f ms (indice %d)\n",
                 static_cast<double>(nadie.peor) / 1e6, nadie.peorIndice);
    const double segundos = static_cast<double>(reloj.nsecsElapsed()) / 1e9;
    std::printf("| full %d-byte image (%d exchanges) to `sign --pace 9600` | %.2f s, %s, one run | "
                "wire limit %.2f s (2.08 ms per exchange); measured %+.1f %% | `bench_link` |\n",
                bytes, intercambios, segundos,
                r.outcome == Outcome::Verified ? "every echo verified" : "ECHO ERRORS", limite,
                (segundos / limite - 1) * 100);
    if (r.outcome != Outcome::Verified) {
        std::fprintf(stderr, "desenlace %d, verificados %d de %d, primer error en %d\n",
                     static_cast<int>(r.outcome), r.transfer.verified, r.transfer.imageBytes,
                     r.transfer.firstError);
    }
    return r.outcome == Outcome::Verified ? 0 : 1;
}
