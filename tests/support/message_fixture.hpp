// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message records and message files, built the way the program stores them.
#include "store/message_record.hpp"
#include "store/message_store.hpp"

#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <string>
#include <vector>

namespace lumivel::test {

inline tipomensaje texto(std::int16_t presentacion, std::int16_t letra, const std::string& t,
                         char estado = '1', std::int16_t numero = 0) {
    tipomensaje m;
    m.numero = numero;
    m.presentacion = presentacion;
    m.letra = letra;
    m.texto = recordText(t);
    m.estado = estado;
    return m;
}

inline tipomensaje image(const std::array<std::uint8_t, 64>& columns,
                         std::int16_t presentacion = 255, std::int16_t letra = 255) {
    std::array<std::int16_t, 256> vector{};
    std::copy(columns.begin(), columns.end(), vector.begin());
    tipomensaje m;
    m.presentacion = presentacion;
    m.letra = letra;
    m.texto = encodePicture(vector);
    m.estado = '1';
    return m;
}

// A picture with lit, unlit and partly lit columns: "000FFF", 120 zeros, "81".
inline std::array<std::uint8_t, 64> samplePicture() {
    std::array<std::uint8_t, 64> c{0x00, 0x0F, 0xFF};
    c[63] = 0x81;
    return c;
}

// The 137 bytes of a record as the file holds them.
inline std::string record(std::int16_t numero, tipomensaje m) {
    m.numero = numero;
    const RecordBytes b = encodeRecord(m);
    return {b.begin(), b.end()};
}

inline std::string record(std::int16_t numero, std::int16_t presentacion, std::int16_t letra,
                          const std::string& t, char estado = '1') {
    return record(numero, texto(presentacion, letra, t, estado));
}

// Record n (from 1) of a file's bytes.
inline tipomensaje recordAt(const std::string& bytes, int n) {
    RecordBytes b{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(n - 1) * 137, 137, b.begin());
    return decodeRecord(b);
}

// Writes the records to a new file and leaves the state as opening it in the main window
// does: the file open, the active messages numbered 1, 2, ..., the last record in the buffer.
inline void openWithMessages(MessageStore& l, const QString& path,
                             const std::vector<tipomensaje>& records) {
    QVERIFY(l.archivo.open(path.toStdString()).ok());
    std::int16_t numero = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        tipomensaje m = records[i];
        if (m.isActive()) {
            m.numero = ++numero;
        }
        QVERIFY(l.archivo.write(static_cast<int>(i) + 1, m).ok());
        l.mensaje = m;
    }
    l.totalmensajes = numero;
}

} // namespace lumivel::test
