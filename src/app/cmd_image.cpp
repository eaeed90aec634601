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
    FileImage preparada;
    if (Result<void> prepared = prepareImage(args.positional.front(), preparada); !prepared.ok()) {
        return prepared.error();
    }
    const int totaldatos = preparada.lumivel->totaldatos;
    if (std::optional<SendResult> refused = refusal(preparada.carga)) {
        // The same refusal the window gives, in the same box; every refusal has one.
        return Error{boxText(outcomeBox(*refused, preparada.carga, {}).value())};
    }
    std::string bytes;
    if (args.has("wire")) {
        // The sender's own code against a sign that echoes everything: the exact stream.
        FakePort puerto;
        TransferObserver callado;
        sendImage(puerto, preparada.carga, preparada.imagen, totaldatos, callado);
        bytes = puerto.written;
    } else {
        for (int i = 0; i <= totaldatos; ++i) {
            bytes += static_cast<char>(preparada.imagen.datos[static_cast<std::size_t>(i)]);
        }
    }
    streams.out << bytesInHex(bytes) << '\n';
    return kExitOk;
}

} // namespace lumivel::cli
