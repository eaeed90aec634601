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
    const int total = s.archivo.count();
    s.lstcodigo.clear();
    s.lstcodigoIndex = -1;
    s.totalmensajes = static_cast<std::int16_t>(std::min(total, MessageFile::kMaxRecords));
    if (total == 0) {
        return {};
    }
    s.totalmensajes = 0;
    int n = 1;
    for (int i = 1; i <= total; ++i) {
        if (Result<void> read = s.archivo.read(i, s.mensaje); !read.ok()) {
            return read;
        }
        if (s.mensaje.isActive()) {
            s.lstcodigo.push_back(std::to_string(s.mensaje.numero));
            s.totalmensajes = static_cast<std::int16_t>(std::min(n, MessageFile::kMaxRecords));
            ++n;
        }
    }
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
