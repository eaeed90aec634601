#include "app/cmd_send.hpp"

#include "app/arguments.hpp"
#include "app/transmission_cli.hpp"
#include "transmission/sign_link.hpp"
#include "ui/qt_serial_port.hpp"

#include <charconv>
#include <chrono>
#include <iostream>
#include <ostream>
#include <unistd.h>

namespace lumivel::cli {
namespace {

// Progress on stderr: a bar redrawn in place on a terminal, a line every tenth otherwise.
class TextProgress : public TransferObserver {
  public:
    TextProgress(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

    void connected() override { err_ << "CONECCION EXITOSA !!!\n"; }
    void setMaximum(int totaldatos) override { total_ = totaldatos + 1; }
    void progress(int i) override {
        const int hechos = i + 1;
        const int porcentaje = total_ > 0 ? hechos * 100 / total_ : 100;
        if (terminal_) {
            const auto ahora = std::chrono::steady_clock::now();
            if (hechos != total_ && ahora - ultimo_ < std::chrono::milliseconds(50)) {
                return;
            }
            ultimo_ = ahora;
            const int llenos = porcentaje * 40 / 100;
            err_ << "\r[" << std::string(static_cast<std::size_t>(llenos), '#')
                 << std::string(static_cast<std::size_t>(40 - llenos), '.') << "] " << porcentaje
                 << "% " << hechos << '/' << total_ << std::flush;
            enBarra_ = true;
        } else if (porcentaje / 10 > decima_) {
            decima_ = porcentaje / 10;
            err_ << "Enviados " << hechos << " de " << total_ << " bytes (" << porcentaje << "%)\n";
        }
    }
    void dataError() override {
        finishBar();
        // The transfer goes on: a warning, printed as a failure would be.
        err_ << "simlumivel send: " << boxText(dataErrorBox()) << '\n';
    }
    void finishBar() {
        if (enBarra_) {
            err_ << '\n';
            enBarra_ = false;
        }
    }

  private:
    std::ostream& err_;
    bool terminal_;
    int total_ = 0;
    int decima_ = 0;
    bool enBarra_ = false;
    std::chrono::steady_clock::time_point ultimo_{};
};

} // namespace

Result<int> sendCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"port", true}, {"espera", true}});
    if (args.positional.size() != 1) {
        throw UsageError{"send necesita un ARCHIVO de mensajes"};
    }
    const auto dispositivo = args.value("port");
    if (!dispositivo || dispositivo->empty()) {
        throw UsageError{"falta --port DISPOSITIVO"};
    }
    int esperaMs = kReplyTimeoutMs;
    if (const auto espera = args.value("espera")) {
        const auto [fin, ec] =
            std::from_chars(espera->data(), espera->data() + espera->size(), esperaMs);
        if (espera->empty() || ec != std::errc() || fin != espera->data() + espera->size() ||
            esperaMs < 1 || esperaMs > 60000) {
            throw UsageError{"--espera necesita milisegundos entre 1 y 60000: " + *espera};
        }
    }
    FileImage preparada;
    if (Result<void> prepared = prepareImage(args.positional.front(), preparada); !prepared.ok()) {
        return prepared.error();
    }
    QtSerialPort puerto(QString::fromStdString(*dispositivo));
    TextProgress progress(streams.err, &streams.err == &std::cerr && ::isatty(2) == 1);
    const SendResult resultado = sendImage(puerto, preparada.carga, preparada.imagen,
                                           preparada.lumivel->totaldatos, progress, esperaMs);
    progress.finishBar();
    switch (resultado.outcome) {
    case Outcome::Verified:
        streams.err << "Transmision completa: " << resultado.transfer.verified << " de "
                    << resultado.transfer.imageBytes << " bytes verificados.\n";
        return kExitOk;
    case Outcome::WithErrors:
        streams.err << "Transmision completa con errores: " << resultado.transfer.verified << " de "
                    << resultado.transfer.imageBytes << " bytes verificados.\n";
        streams.err << "Primer byte distinto: indice " << resultado.transfer.firstError << ".\n";
        return kExitMismatch;
    default: {
        const auto caja = outcomeBox(resultado, preparada.carga, puerto.nombre());
        return Error{caja ? boxText(*caja) : std::string("transmision interrumpida")};
    }
    }
}

} // namespace lumivel::cli
