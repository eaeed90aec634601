#include "app/cmd_image.hpp"

#include "app/arguments.hpp"
#include "app/transmission_cli.hpp"
#include "transmission/fake_port.hpp"
#include "transmission/sign_link.hpp"

#include <ostream>

namespace lumivel::cli {

int imageCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"wire", false}});
    if (args.positional.size() != 1) {
        throw UsageError{"image necesita un ARCHIVO de mensajes"};
    }
    ImagenDeArchivo preparada;
    if (auto error = prepararImagen(args.positional.front(), preparada)) {
        streams.err << "simlumivel image: " << error->describe() << '\n';
        return kExitError;
    }
    const int totaldatos = preparada.lumivel->totaldatos;
    if (preparada.carga.estado != EstadoImagen::Lista) {
        // The same refusal the window gives; nothing is opened or sent.
        FakePort puerto;
        ObservadorEnvio callado;
        const ResultadoEnvio nada =
            enviarImagen(puerto, preparada.carga, preparada.imagen, totaldatos, callado);
        if (auto caja = cajaDesenlace(nada, preparada.carga, puerto.nombre())) {
            imprimirCaja(streams.err, *caja);
        }
        return kExitError;
    }
    std::string bytes;
    if (args.has("wire")) {
        // The sender's own code against a sign that echoes everything: the exact stream.
        FakePort puerto;
        ObservadorEnvio callado;
        enviarImagen(puerto, preparada.carga, preparada.imagen, totaldatos, callado);
        bytes = puerto.escrito;
    } else {
        for (int i = 0; i <= totaldatos; ++i) {
            bytes += static_cast<char>(preparada.imagen.datos[static_cast<std::size_t>(i)]);
        }
    }
    streams.out << bytesEnHex(bytes) << '\n';
    return kExitOk;
}

} // namespace lumivel::cli
