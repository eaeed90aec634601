#include "app/transmission_cli.hpp"

#include <cstdio>

namespace lumivel::cli {

Result<void> prepareImage(const std::string& path, FileImage& target) {
    Lumivel& estado = *target.lumivel;
    if (Result<void> opened = estado.archivo.open(path, MessageFile::Access::ReadOnly);
        !opened.ok()) {
        return opened;
    }
    // The count and buffer as refilling the message list leaves them.
    estado.totalmensajes = 0;
    const Result<std::vector<tipomensaje>> records = estado.archivo.readRecords();
    if (!records.ok()) {
        return records.error();
    }
    for (const tipomensaje& m : records.value()) {
        if (m.isActive()) {
            ++estado.totalmensajes;
        }
    }
    if (!records.value().empty()) {
        estado.mensaje = records.value().back();
    }
    target.load = cargarcomm(estado, target.image, estado.totaldatos);
    return {};
}

std::string bytesInHex(const std::string& bytes) {
    std::string texto;
    for (const char c : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
        if (!texto.empty()) {
            texto += ' ';
        }
        texto += pair;
    }
    return texto;
}

} // namespace lumivel::cli
