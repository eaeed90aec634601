#include "app/transmission_cli.hpp"

#include <cstdio>
#include <ostream>

namespace lumivel::cli {

std::optional<FileError> prepararImagen(const std::string& ruta, ImagenDeArchivo& destino) {
    Lumivel& estado = *destino.lumivel;
    if (auto error = estado.archivo.open(ruta, MessageFile::Access::ReadOnly)) {
        return error;
    }
    // The count and buffer as refilling the message list leaves them.
    estado.totalmensajes = 0;
    const int registros = estado.archivo.count();
    for (int i = 1; i <= registros; ++i) {
        if (auto error = estado.archivo.read(i, estado.mensaje)) {
            return error;
        }
        if (estado.mensaje.activo()) {
            ++estado.totalmensajes;
        }
    }
    destino.carga = cargarcomm(estado, destino.imagen, estado.totaldatos);
    return std::nullopt;
}

std::string bytesEnHex(const std::string& bytes) {
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

void imprimirCaja(std::ostream& out, const CajaMensaje& caja) {
    out << caja.titulo << '\n';
    for (const char c : caja.texto) {
        if (c != '\r') {
            out << c;
        }
    }
    out << '\n';
}

} // namespace lumivel::cli
