// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_sign.hpp"

#include "app/arguments.hpp"
#include "transmission/virtual_sign.hpp"

#include <atomic>
#include <charconv>
#include <csignal>
#include <ostream>

namespace lumivel::cli {
namespace {

std::atomic<VirtualSign*> activeSign{nullptr};

extern "C" void onInterrupt(int) {
    if (VirtualSign* sign = activeSign.load()) {
        sign->stop();
    }
}

int positiveNumber(const std::string& texto, const std::string& option) {
    int n = 0;
    const auto [end, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), n);
    if (texto.empty() || ec != std::errc() || end != texto.data() + texto.size() || n <= 0) {
        throw UsageError{"--" + option + " necesita un número positivo: " + texto};
    }
    return n;
}

} // namespace

Result<int> signCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"pace", true}, {"fault", true}});
    if (!args.positional.empty()) {
        throw UsageError{"sign no lleva argumentos"};
    }
    VirtualSign::Options options;
    if (const auto pace = args.value("pace")) {
        options.baud = positiveNumber(*pace, "pace");
    }
    if (const auto fault = args.value("fault")) {
        const auto parsedFault = parseFault(*fault);
        if (!parsedFault) {
            throw UsageError{"fallo desconocido: " + *fault +
                             " (silent, no-hello, corrupt:N, stop:N, latency:MS)"};
        }
        options.fault = *parsedFault;
    }
    VirtualSign sign(options);
    LUMIVEL_TRY_VOID(sign.abrir());
    streams.out << sign.path() << std::endl;
    activeSign = &sign;
    auto previous = std::signal(SIGINT, onInterrupt);
    auto previousTerm = std::signal(SIGTERM, onInterrupt);
    Result<void> served = sign.serve(
        [&](const std::vector<DecodedMessage>& messages) {
            for (const DecodedMessage& mensaje : messages) {
                streams.out << toJson(mensaje) << '\n';
            }
            streams.out << std::flush;
        },
        [&](const std::string& reason) { streams.err << "simlumivel sign: " << reason << '\n'; });
    std::signal(SIGINT, previous);
    std::signal(SIGTERM, previousTerm);
    activeSign = nullptr;
    if (!served.ok()) {
        return served.error();
    }
    return kExitOk;
}

} // namespace lumivel::cli
