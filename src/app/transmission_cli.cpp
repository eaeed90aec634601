#include "app/transmission_cli.hpp"

#include <cstdio>

namespace lumivel::cli {

Result<void> prepareImage(const std::string& ruta, FileImage& destino) {
    Lumivel& estado = *destino.lumivel;
    if (Result<void> opened = estado.archivo.open(ruta, MessageFile::Access::ReadOnly);
        !opened.ok()) {
        return opened;
    }
    // The count and buffer as refilling the message list leaves them.
    estado.totalmensajes = 0;
    const int registros = estado.archivo.count();
    for (int i = 1; i <= registros; ++i) {
        if (Result<void> read = estado.archivo.read(i, estado.mensaje); !read.ok()) {
            return read;
        }
        if (estado.mensaje.isActive()) {
            ++estado.totalmensajes;
        }
    }
    destino.carga = cargarcomm(estado, destino.imagen, estado.totaldatos);
    return {};
}

std::string bytesInHex(const std::string& bytes) {
    std::string texto;
    for (const char c : bytes) {
        char par[4];
        std::snprintf(par, sizeof par, "%02X", static_cast<unsigned char>(c));
        if (!texto.empty()) {
            texto += ' ';
        }
        texto += par;
    }
    return texto;
}

} // namespace lumivel::cli
