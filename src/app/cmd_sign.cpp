#include "app/cmd_sign.hpp"

#include "app/arguments.hpp"
#include "transmission/virtual_sign.hpp"

#include <atomic>
#include <charconv>
#include <csignal>
#include <ostream>

namespace lumivel::cli {
namespace {

std::atomic<VirtualSign*> signoActivo{nullptr};

extern "C" void alInterrumpir(int) {
    if (VirtualSign* signo = signoActivo.load()) {
        signo->stop();
    }
}

int positiveNumber(const std::string& texto, const std::string& opcion) {
    int n = 0;
    const auto [fin, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), n);
    if (texto.empty() || ec != std::errc() || fin != texto.data() + texto.size() || n <= 0) {
        throw UsageError{"--" + opcion + " necesita un numero positivo: " + texto};
    }
    return n;
}

} // namespace

Result<int> signCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"pace", true}, {"fault", true}});
    if (!args.positional.empty()) {
        throw UsageError{"sign no lleva argumentos"};
    }
    VirtualSign::Opciones opciones;
    if (const auto pace = args.value("pace")) {
        opciones.baud = positiveNumber(*pace, "pace");
    }
    if (const auto fault = args.value("fault")) {
        const auto fallo = parseFault(*fault);
        if (!fallo) {
            throw UsageError{"fallo desconocido: " + *fault +
                             " (silent, no-hello, corrupt:N, stop:N)"};
        }
        opciones.fallo = *fallo;
    }
    VirtualSign signo(opciones);
    if (Result<void> opened = signo.abrir(); !opened.ok()) {
        return opened.error();
    }
    streams.out << signo.ruta() << std::endl;
    signoActivo = &signo;
    auto anterior = std::signal(SIGINT, alInterrumpir);
    auto anteriorTerm = std::signal(SIGTERM, alInterrumpir);
    Result<void> served = signo.serve(
        [&](const std::vector<DecodedMessage>& mensajes) {
            for (const DecodedMessage& mensaje : mensajes) {
                streams.out << toJson(mensaje) << '\n';
            }
            streams.out << std::flush;
        },
        [&](const std::string& motivo) { streams.err << "simlumivel sign: " << motivo << '\n'; });
    std::signal(SIGINT, anterior);
    std::signal(SIGTERM, anteriorTerm);
    signoActivo = nullptr;
    if (!served.ok()) {
        return served.error();
    }
    return kExitOk;
}

} // namespace lumivel::cli
