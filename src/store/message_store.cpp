#include "store/message_store.hpp"

#include <algorithm>

namespace lumivel {

void showFileError(Dialogs& d, const std::string& action, const Error& error) {
    MessageBoxSpec box;
    box.title = "Error de archivo";
    box.texto = action + "\r\n" + error.path + "\r\n" + error.reason;
    box.icon = Icon::Critical;
    d.mensaje(box);
}

Result<void> llenarlista(MessageStore& s) {
    s.lstcodigo.clear();
    s.lstcodigoIndex = -1;
    // One read of the whole file, and only the number and state of each record looked at:
    // a full file refills about as fast as a small one.
    const Result<std::span<std::uint8_t>> bytes = s.archivo.readInPlace();
    if (!bytes.ok()) {
        return bytes.error();
    }
    s.totalmensajes = 0;
    const std::size_t records = bytes.value().size() / tipomensaje::kRecordLength;
    if (records == 0) {
        return {};
    }
    int n = 1;
    for (std::size_t k = 0; k < records; ++k) {
        const std::uint8_t* record = bytes.value().data() + k * tipomensaje::kRecordLength;
        if (recordIsActive(record)) {
            s.lstcodigo.push_back(std::to_string(recordNumero(record)));
            s.totalmensajes = static_cast<std::int16_t>(std::min(n, MessageFile::kMaxRecords));
            ++n;
        }
    }
    // The record buffer holds the last record read, as reading them one by one left it.
    s.mensaje = decodeRecordAt(bytes.value().data() + (records - 1) * tipomensaje::kRecordLength);
    return {};
}

std::string selectedEntry(const MessageStore& s) {
    if (s.lstcodigoIndex < 0 || s.lstcodigoIndex >= static_cast<int>(s.lstcodigo.size())) {
        return {};
    }
    return s.lstcodigo[static_cast<std::size_t>(s.lstcodigoIndex)];
}

bool selectNumber(MessageStore& s, int numero) {
    const std::string input = std::to_string(numero);
    for (std::size_t i = 0; i < s.lstcodigo.size(); ++i) {
        if (s.lstcodigo[i] == input) {
            s.lstcodigoIndex = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

} // namespace lumivel
