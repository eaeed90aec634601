// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/send_dry_run.hpp"

#include "app/text_progress.hpp"
#include "app/transmission_cli.hpp"
#include "ui/transfer_thread.hpp"

#include <ostream>

namespace lumivel::cli {
Result<int> sendDryRun(const std::string& device, const std::vector<std::string>& files, int waitMs,
                       Streams streams) {
    int imageBytes = TransmissionImage::kLastIndex + 1;
    std::string what = "un Lumivel lleno";
    if (!files.empty()) {
        FileImage fileImage;
        LUMIVEL_TRY_VOID(prepareImage(files.front(), fileImage));
        if (fileImage.load.estado == ImageState::Ready) {
            imageBytes = fileImage.lumivel->totaldatos + 1;
            what = files.front();
        }
    }
    const std::unique_ptr<Port> port = serialPortFactory()(QString::fromStdString(device));
    const SendResult probe = probeLink(*port, imageBytes, waitMs);
    if (probe.outcome != Outcome::Verified) {
        const auto box = outcomeBox(probe, LoadResult{}, port->name());
        return Error{box ? boxText(*box) : std::string("no hay respuesta")};
    }
    const LinkMeasurement& link = *probe.transfer.link;
    streams.err << "El Lumivel responde en " << port->name() << ": ida y vuelta "
                << millisecondsText(link.roundTripMs) << " ms (en la línea "
                << millisecondsText(kWireMsPerExchange) << " ms).\n";
    streams.err << "Para " << what << " (" << imageBytes << " bytes):\n";
    printLink(streams.err, link, port->name());
    streams.err << "No se ha enviado nada.\n";
    return kExitOk;
}

} // namespace lumivel::cli
