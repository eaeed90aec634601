// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_send.hpp"

#include "app/arguments.hpp"
#include "app/send_dry_run.hpp"
#include "app/text_progress.hpp"
#include "app/transmission_cli.hpp"
#include "transmission/parallel_send.hpp"
#include "transmission/port_refusal.hpp"
#include "ui/transfer_thread.hpp"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <unistd.h>

namespace lumivel::cli {
namespace {

// The same file to several signs at once: one line per port, in the order given, and the
// worst exit code.
int sendToSeveral(const std::vector<std::string>& devices, const FileImage& fileImage, int waitMs,
                  Streams streams) {
    std::vector<std::unique_ptr<Port>> ports;
    std::vector<Port*> used;
    for (const std::string& device : devices) {
        ports.push_back(serialPortFactory()(QString::fromStdString(device)));
        used.push_back(ports.back().get());
    }
    const std::vector<SendResult> results =
        sendToEach(used, fileImage.load, fileImage.image, fileImage.lumivel->totaldatos, waitMs);
    // Every port's share of the same image, even one that never got to start.
    const int total = fileImage.lumivel->totaldatos + 1;
    int worst = kExitOk;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const SendResult& r = results[i];
        streams.err << devices[i] << ": " << r.transfer.verified << " de " << total
                    << " bytes verificados; ";
        int exitCode = kExitError;
        if (r.outcome == Outcome::Verified) {
            exitCode = kExitOk;
            streams.err << "transmisión completa";
        } else if (r.outcome == Outcome::WithErrors) {
            exitCode = kExitMismatch;
            streams.err << "con errores, primer byte distinto: índice " << r.transfer.firstError;
        } else {
            const auto box = outcomeBox(r, fileImage.load, devices[i]);
            std::string reason = box ? boxText(*box) : std::string("transmisión interrumpida");
            std::ranges::replace(reason, '\n', ' ');
            streams.err << reason.substr(0, reason.find_last_not_of(". ") + 1);
        }
        streams.err << ".\n";
        worst = std::max(worst, exitCode);
    }
    return worst;
}

// The device a port name reaches, links followed, so a line named twice through a link is
// still one line.
std::string resolvedDevice(const std::string& device) {
    const std::string path = devicePath(device);
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// One line cannot take two transfers: the second would only find the port in use after the
// first had already programmed the sign.
std::optional<Error> portNamedTwice(const std::vector<std::string>& devices) {
    std::vector<std::string> seen;
    for (const std::string& device : devices) {
        std::string resolved = resolvedDevice(device);
        if (std::ranges::find(seen, resolved) != seen.end()) {
            return Error{"el puerto se ha indicado más de una vez", device};
        }
        seen.push_back(std::move(resolved));
    }
    return std::nullopt;
}

} // namespace

Result<int> sendCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args =
        parseArguments(argv, {{"port", true}, {"espera", true}, {"dry-run", false}});
    const bool dryRun = args.has("dry-run");
    if (args.positional.size() != 1 && !(dryRun && args.positional.empty())) {
        throw UsageError{"send necesita un ARCHIVO de mensajes"};
    }
    const auto device = args.value("port");
    const std::vector<std::string>& devices =
        args.repeated.count("port") != 0 ? args.repeated.at("port") : std::vector<std::string>{};
    if (!device || std::ranges::any_of(devices, &std::string::empty)) {
        throw UsageError{"falta --port DISPOSITIVO"};
    }
    int waitMs = kReplyTimeoutMs;
    if (const auto delay = args.value("espera")) {
        const auto [end, ec] =
            std::from_chars(delay->data(), delay->data() + delay->size(), waitMs);
        if (delay->empty() || ec != std::errc() || end != delay->data() + delay->size() ||
            waitMs < 1 || waitMs > 60000) {
            throw UsageError{"--espera necesita milisegundos entre 1 y 60000: " + *delay};
        }
    }
    if (dryRun) {
        if (devices.size() > 1) {
            throw UsageError{"--dry-run prueba un solo puerto"};
        }
        return sendDryRun(*device, args.positional, waitMs, streams);
    }
    if (std::optional<Error> twice = portNamedTwice(devices)) {
        return *twice;
    }
    FileImage fileImage;
    LUMIVEL_TRY_VOID(prepareImage(args.positional.front(), fileImage));
    if (devices.size() > 1) {
        return sendToSeveral(devices, fileImage, waitMs, streams);
    }
    const std::unique_ptr<Port> port = serialPortFactory()(QString::fromStdString(*device));
    TextProgress progress(streams.err, &streams.err == &std::cerr && ::isatty(2) == 1,
                          port->name());
    const SendResult result = sendImage(*port, fileImage.load, fileImage.image,
                                        fileImage.lumivel->totaldatos, progress, waitMs);
    progress.finishBar();
    switch (result.outcome) {
    case Outcome::Verified:
        streams.err << transferSummary(result) << '\n';
        return kExitOk;
    case Outcome::WithErrors:
        streams.err << transferSummary(result) << '\n';
        streams.err << "Primer byte distinto: índice " << result.transfer.firstError << ".\n";
        return kExitMismatch;
    default: {
        const auto box = outcomeBox(result, fileImage.load, port->name());
        return Error{box ? boxText(*box) : std::string("transmisión interrumpida")};
    }
    }
}

} // namespace lumivel::cli
