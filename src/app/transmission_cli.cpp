// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/transmission_cli.hpp"

#include <cstdio>

namespace lumivel::cli {

Result<void> prepareImage(const std::string& path, FileImage& target) {
    Lumivel& estado = *target.lumivel;
    LUMIVEL_TRY_VOID(estado.archivo.open(path, MessageFile::Access::ReadOnly));
    // The count and buffer as refilling the message list leaves them.
    estado.totalmensajes = 0;
    LUMIVEL_TRY(const std::span<const std::uint8_t> bytes, estado.archivo.readInPlace());
    const std::size_t records = bytes.size() / tipomensaje::kRecordLength;
    for (std::size_t k = 0; k < records; ++k) {
        if (recordIsActive(bytes.data() + k * tipomensaje::kRecordLength)) {
            ++estado.totalmensajes;
        }
    }
    if (records > 0) {
        estado.mensaje = decodeRecordAt(bytes.data() + (records - 1) * tipomensaje::kRecordLength);
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
