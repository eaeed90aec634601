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
    // One read of the whole file: a full file refills as fast as a small one.
    Result<std::vector<tipomensaje>> records = s.archivo.readRecords();
    if (!records.ok()) {
        return records.error();
    }
    s.totalmensajes = 0;
    if (records.value().empty()) {
        return {};
    }
    int n = 1;
    for (const tipomensaje& m : records.value()) {
        if (m.isActive()) {
            s.lstcodigo.push_back(std::to_string(m.numero));
            s.totalmensajes = static_cast<std::int16_t>(std::min(n, MessageFile::kMaxRecords));
            ++n;
        }
    }
    // The record buffer holds the last record read, as reading them one by one left it.
    s.mensaje = records.value().back();
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
