// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_image.hpp"

#include "app/arguments.hpp"
#include "app/transmission_cli.hpp"
#include "transmission/fake_port.hpp"
#include "transmission/sign_link.hpp"

#include <ostream>

namespace lumivel::cli {

Result<int> imageCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"wire", false}});
    if (args.positional.size() != 1) {
        throw UsageError{"image necesita un ARCHIVO de mensajes"};
    }
    FileImage fileImage;
    LUMIVEL_TRY_VOID(prepareImage(args.positional.front(), fileImage));
    const int totaldatos = fileImage.lumivel->totaldatos;
    if (std::optional<SendResult> refused = refusal(fileImage.load)) {
        // The same refusal the window gives, in the same box; every refusal has one.
        return Error{boxText(outcomeBox(*refused, fileImage.load, {}).value())};
    }
    std::string bytes;
    if (args.has("wire")) {
        // The sender's own code against a sign that echoes everything: the exact stream.
        FakePort port;
        TransferObserver silent;
        sendImage(port, fileImage.load, fileImage.image, totaldatos, silent);
        bytes = port.written;
    } else {
        for (int i = 0; i <= totaldatos; ++i) {
            bytes += static_cast<char>(fileImage.image.datos[static_cast<std::size_t>(i)]);
        }
    }
    streams.out << bytesInHex(bytes) << '\n';
    return kExitOk;
}

} // namespace lumivel::cli
