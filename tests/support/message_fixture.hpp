#pragma once
// Message files and records for the transmission tests.
#include "session/lumivel.hpp"
#include "store/message_record.hpp"

#include <QTemporaryDir>
#include <QtTest>
#include <string>
#include <vector>

namespace lumivel::test {

inline tipomensaje texto(std::int16_t presentacion, std::int16_t letra, const std::string& t,
                         char estado = '1') {
    tipomensaje m;
    m.presentacion = presentacion;
    m.letra = letra;
    m.texto = textoDeRegistro(t);
    m.estado = estado;
    return m;
}

inline tipomensaje imagen(const std::array<std::uint8_t, 64>& columnas,
                          std::int16_t presentacion = 255, std::int16_t letra = 255) {
    std::array<std::int16_t, 256> vector{};
    for (std::size_t k = 0; k < 64; ++k) {
        vector[k] = columnas[k];
    }
    tipomensaje m;
    m.presentacion = presentacion;
    m.letra = letra;
    m.texto = codificarImagen(vector);
    m.estado = '1';
    return m;
}

// Writes the records to a new file and leaves the state as opening it in the main window
// does: the file open, the count of active messages, the last record in the buffer.
inline void abrirConMensajes(Lumivel& l, const QString& ruta,
                             const std::vector<tipomensaje>& registros) {
    QVERIFY(l.archivo.open(ruta.toStdString()).ok());
    std::int16_t numero = 0;
    for (std::size_t i = 0; i < registros.size(); ++i) {
        tipomensaje m = registros[i];
        if (m.activo()) {
            m.numero = ++numero;
        }
        QVERIFY(l.archivo.write(static_cast<int>(i) + 1, m).ok());
        l.mensaje = m;
    }
    l.totalmensajes = numero;
}

} // namespace lumivel::test
