// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/message_record.hpp"

#include "base/hexadec.hpp"

#include <algorithm>
#include <cstdio>

namespace lumivel {
namespace {

void putInt16(RecordBytes& bytes, std::size_t offset, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    bytes[offset] = static_cast<std::uint8_t>(bits & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
}

std::int16_t getInt16(const RecordBytes& bytes, std::size_t offset) {
    const auto bits = static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    return static_cast<std::int16_t>(bits);
}

constexpr std::size_t kEstado = 136;

} // namespace

std::int16_t recordNumero(const std::uint8_t* record) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(record[0] | (record[1] << 8)));
}

bool recordIsActive(const std::uint8_t* record) {
    return record[kEstado] == '1';
}

void setRecordNumero(std::uint8_t* record, std::int16_t numero) {
    const auto bits = static_cast<std::uint16_t>(numero);
    record[0] = static_cast<std::uint8_t>(bits & 0xFF);
    record[1] = static_cast<std::uint8_t>(bits >> 8);
}

void setRecordEstado(std::uint8_t* record, char estado) {
    record[kEstado] = static_cast<std::uint8_t>(estado);
}

tipomensaje decodeRecordAt(const std::uint8_t* record) {
    RecordBytes bytes{};
    std::copy_n(record, bytes.size(), bytes.begin());
    return decodeRecord(bytes);
}

std::string recordText(const std::string& texto) {
    std::string fixed = texto.substr(0, tipomensaje::kTextLength);
    fixed.resize(tipomensaje::kTextLength, ' ');
    return fixed;
}

RecordBytes encodeRecord(const tipomensaje& mensaje) {
    RecordBytes bytes{};
    putInt16(bytes, 0, mensaje.numero);
    putInt16(bytes, 2, mensaje.presentacion);
    putInt16(bytes, 4, mensaje.letra);
    const std::string texto = recordText(mensaje.texto);
    for (std::size_t i = 0; i < tipomensaje::kTextLength; ++i) {
        bytes[6 + i] = static_cast<std::uint8_t>(texto[i]);
    }
    bytes[kEstado] = static_cast<std::uint8_t>(mensaje.estado);
    return bytes;
}

tipomensaje decodeRecord(const RecordBytes& bytes) {
    tipomensaje mensaje;
    mensaje.numero = getInt16(bytes, 0);
    mensaje.presentacion = getInt16(bytes, 2);
    mensaje.letra = getInt16(bytes, 4);
    mensaje.texto.assign(reinterpret_cast<const char*>(bytes.data() + 6), tipomensaje::kTextLength);
    mensaje.estado = static_cast<char>(bytes[kEstado]);
    return mensaje;
}

std::string storedText(const tipomensaje& mensaje) {
    const auto last = mensaje.texto.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : mensaje.texto.substr(0, last + 1);
}

std::string encodePicture(const std::array<std::int16_t, 256>& vector) {
    std::string texto;
    for (std::size_t c = 0; c < 64; ++c) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(vector[c] & 0xFF));
        texto += digits;
    }
    return texto + "  ";
}

std::array<std::uint8_t, 64> decodePicture(const std::string& texto) {
    std::array<std::uint8_t, 64> columnas{};
    for (std::size_t k = 0; k < 64; ++k) {
        const std::string pair = 2 * k < texto.size() ? texto.substr(2 * k, 2) : std::string();
        columnas[k] = static_cast<std::uint8_t>(hexadecValue(pair) & 0xFF);
    }
    return columnas;
}

} // namespace lumivel
