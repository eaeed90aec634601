// SPDX-License-Identifier: GPL-3.0-or-later
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
    // Read in large blocks, and only the number and state of each record looked at: a
    // full file refills about as fast as a small one.
    s.totalmensajes = 0;
    int n = 1;
    RecordBytes last{};
    std::size_t records = 0;
    const Result<void> read =
        s.archivo.forEachRecord([&](std::size_t position, const std::uint8_t* record) {
            if (recordIsActive(record)) {
                s.lstcodigo.push_back(std::to_string(recordNumero(record)));
                s.totalmensajes = static_cast<std::int16_t>(std::min(n, MessageFile::kMaxRecords));
                ++n;
            }
            std::copy_n(record, last.size(), last.begin());
            records = position;
        });
    if (!read.ok()) {
        return read;
    }
    // The record buffer holds the last record read, as reading them one by one left it.
    if (records > 0) {
        s.mensaje = decodeRecord(last);
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
