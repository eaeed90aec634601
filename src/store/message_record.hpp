// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace lumivel {

// One message of the message file: a text (presentation 1..3, font 1..4) or a picture
// (presentation and font 255; texto holds 128 hexadecimal digits and two spaces).
struct tipomensaje {
    static constexpr std::size_t kTextLength = 130;
    static constexpr std::size_t kRecordLength = 137;
    static constexpr std::int16_t kPicture = 255;

    std::int16_t numero = 0;
    std::int16_t presentacion = 0;
    std::int16_t letra = 0;
    // Exactly 130 Windows-1252 bytes, padded with spaces.
    std::string texto = std::string(kTextLength, ' ');
    char estado = '0';

    // A presentation of 10 or more marks a picture.
    bool isPicture() const { return presentacion >= 10; }
    bool isActive() const { return estado == '1'; }
};

using RecordBytes = std::array<std::uint8_t, tipomensaje::kRecordLength>;

// Little-endian, packed: numero, presentacion, letra (2 bytes each), texto (130), estado (1).
RecordBytes encodeRecord(const tipomensaje& mensaje);
tipomensaje decodeRecord(const RecordBytes& bytes);

// The fields that number and list messages, read and changed in place in the 137 bytes at
// `record`, so a whole file is renumbered without decoding its texts.
std::int16_t recordNumero(const std::uint8_t* record);
bool recordIsActive(const std::uint8_t* record);
void setRecordNumero(std::uint8_t* record, std::int16_t numero);
void setRecordEstado(std::uint8_t* record, char estado);
tipomensaje decodeRecordAt(const std::uint8_t* record);

// Cuts a Windows-1252 text to 130 characters or pads it with spaces to 130.
std::string recordText(const std::string& texto);
// The stored text without its trailing spaces, as a text record reads back.
std::string storedText(const tipomensaje& mensaje);

// The 64 first columns of a column image as 128 upper-case hexadecimal digits and 2 spaces.
std::string encodePicture(const std::array<std::int16_t, 256>& vector);
// Column k from the characters 2k+1 and 2k+2 of a picture's texto.
std::array<std::uint8_t, 64> decodePicture(const std::string& texto);

} // namespace lumivel
