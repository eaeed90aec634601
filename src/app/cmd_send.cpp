#include "app/cmd_send.hpp"

#include "app/arguments.hpp"
#include "app/transmission_cli.hpp"
#include "transmission/parallel_send.hpp"
#include "ui/transfer_thread.hpp"

#include <algorithm>
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

// The same file to several signs at once: one line per port, in the order given, and the
// worst exit code.
int sendToSeveral(const std::vector<std::string>& dispositivos, const FileImage& preparada,
                  int esperaMs, Streams streams) {
    std::vector<std::unique_ptr<Port>> puertos;
    std::vector<Port*> usados;
    for (const std::string& dispositivo : dispositivos) {
        puertos.push_back(serialPortFactory()(QString::fromStdString(dispositivo)));
        usados.push_back(puertos.back().get());
    }
    const std::vector<SendResult> resultados = sendToEach(usados, preparada.carga, preparada.imagen,
                                                          preparada.lumivel->totaldatos, esperaMs);
    // Every port's share of the same image, even one that never got to start.
    const int total = preparada.lumivel->totaldatos + 1;
    int peor = kExitOk;
    for (std::size_t i = 0; i < resultados.size(); ++i) {
        const SendResult& r = resultados[i];
        streams.err << dispositivos[i] << ": " << r.transfer.verified << " de " << total
                    << " bytes verificados; ";
        int codigo = kExitError;
        if (r.outcome == Outcome::Verified) {
            codigo = kExitOk;
            streams.err << "transmision completa";
        } else if (r.outcome == Outcome::WithErrors) {
            codigo = kExitMismatch;
            streams.err << "con errores, primer byte distinto: indice " << r.transfer.firstError;
        } else {
            const auto caja = outcomeBox(r, preparada.carga, dispositivos[i]);
            std::string motivo = caja ? boxText(*caja) : std::string("transmision interrumpida");
            std::ranges::replace(motivo, '\n', ' ');
            streams.err << motivo.substr(0, motivo.find_last_not_of(". ") + 1);
        }
        streams.err << ".\n";
        peor = std::max(peor, codigo);
    }
    return peor;
}

} // namespace

Result<int> sendCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"port", true}, {"espera", true}});
    if (args.positional.size() != 1) {
        throw UsageError{"send necesita un ARCHIVO de mensajes"};
    }
    const auto dispositivo = args.value("port");
    const std::vector<std::string>& dispositivos =
        args.repeated.count("port") != 0 ? args.repeated.at("port") : std::vector<std::string>{};
    if (!dispositivo || std::ranges::any_of(dispositivos, &std::string::empty)) {
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
    if (dispositivos.size() > 1) {
        return sendToSeveral(dispositivos, preparada, esperaMs, streams);
    }
    const std::unique_ptr<Port> puerto = serialPortFactory()(QString::fromStdString(*dispositivo));
    TextProgress progress(streams.err, &streams.err == &std::cerr && ::isatty(2) == 1);
    const SendResult resultado = sendImage(*puerto, preparada.carga, preparada.imagen,
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
        const auto caja = outcomeBox(resultado, preparada.carga, puerto->nombre());
        return Error{caja ? boxText(*caja) : std::string("transmision interrumpida")};
    }
    }
}

} // namespace lumivel::cli
