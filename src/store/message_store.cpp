#include "store/message_store.hpp"

#include <algorithm>

namespace lumivel {

void mostrarErrorArchivo(Dialogs& d, const std::string& accion, const Error& error) {
    CajaMensaje caja;
    caja.titulo = "Error de archivo";
    caja.texto = accion + "\r\n" + error.path + "\r\n" + error.reason;
    caja.icono = Icono::Critico;
    d.mensaje(caja);
}

Result<void> llenarlista(MessageStore& s) {
    const int total = s.archivo.count();
    s.lstcodigo.clear();
    s.lstcodigoIndice = -1;
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
        if (s.mensaje.activo()) {
            s.lstcodigo.push_back(std::to_string(s.mensaje.numero));
            s.totalmensajes = static_cast<std::int16_t>(std::min(n, MessageFile::kMaxRecords));
            ++n;
        }
    }
    return {};
}

std::string entradaSeleccionada(const MessageStore& s) {
    if (s.lstcodigoIndice < 0 || s.lstcodigoIndice >= static_cast<int>(s.lstcodigo.size())) {
        return {};
    }
    return s.lstcodigo[static_cast<std::size_t>(s.lstcodigoIndice)];
}

bool seleccionarNumero(MessageStore& s, int numero) {
    const std::string entrada = std::to_string(numero);
    for (std::size_t i = 0; i < s.lstcodigo.size(); ++i) {
        if (s.lstcodigo[i] == entrada) {
            s.lstcodigoIndice = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

} // namespace lumivel
