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
    const Result<std::span<std::uint8_t>> bytes = estado.archivo.readInPlace();
    if (!bytes.ok()) {
        return bytes.error();
    }
    const std::size_t records = bytes.value().size() / tipomensaje::kRecordLength;
    for (std::size_t k = 0; k < records; ++k) {
        if (recordIsActive(bytes.value().data() + k * tipomensaje::kRecordLength)) {
            ++estado.totalmensajes;
        }
    }
    if (records > 0) {
        estado.mensaje =
            decodeRecordAt(bytes.value().data() + (records - 1) * tipomensaje::kRecordLength);
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
