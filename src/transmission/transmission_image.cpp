// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/transmission_image.hpp"

#include "base/hexadec.hpp"
#include "store/message_store.hpp"
#include "transmission/protocol.hpp"

#include <string_view>
#include <vector>

namespace lumivel {
namespace {

// Two characters from `start`, counted from 1: shorter, or empty, past the end.
std::string_view mid2(std::string_view s, std::size_t start) {
    if (start > s.size()) {
        return {};
    }
    return s.substr(start - 1, 2);
}

// The bytes one active record contributes, message end included.
void encodeMessage(tipomensaje& mensaje, std::vector<std::uint8_t>& bytes) {
    const std::string trimmed = storedText(mensaje);
    // The trimmed text is kept in the buffer, padded again, as the build leaves it.
    mensaje.texto = recordText(trimmed);
    if (mensaje.isPicture()) {
        bytes.push_back(kPictureMark);
        bytes.push_back(kPictureMark);
        for (std::size_t j = 0; j < 128; j += 2) {
            bytes.push_back(static_cast<std::uint8_t>(hexadecValue(mid2(trimmed, j + 1)) & 0xFF));
        }
    } else {
        // A record from elsewhere may hold any 16-bit value here; the wire carries one
        // byte, so only its low byte is ever sent.
        bytes.push_back(static_cast<std::uint8_t>(mensaje.presentacion & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(mensaje.letra & 0xFF));
        for (const char c : trimmed) {
            bytes.push_back(static_cast<std::uint8_t>(c));
        }
    }
    bytes.push_back(kMessageEnd);
}

// The two end marks that close every image.
void closeImage(std::vector<std::uint8_t>& bytes) {
    bytes.push_back(kMessageEnd);
    bytes.push_back(kMessageEnd);
}

} // namespace

int imageBytesNeeded(const std::vector<tipomensaje>& activeRecords) {
    std::vector<std::uint8_t> bytes;
    for (tipomensaje mensaje : activeRecords) {
        encodeMessage(mensaje, bytes);
    }
    closeImage(bytes);
    return static_cast<int>(bytes.size());
}

LoadResult cargarcomm(MessageStore& store, TransmissionImage& image, std::int16_t& totaldatos) {
    LoadResult result;
    // Only the file decides what is sent: the record buffer and the count may be left over
    // from whatever was read or deleted last.
    if (!store.archivo.isOpen()) {
        return result;
    }
    // Built aside first, so an image that does not fit never touches `datos`.
    std::vector<std::uint8_t> bytes;
    Result<std::vector<tipomensaje>> records = store.archivo.readRecords();
    if (!records.ok()) {
        result.estado = ImageState::ReadError;
        result.error = records.error();
        return result;
    }
    for (tipomensaje& m : records.value()) {
        if (m.isActive()) {
            ++result.activeMessages;
            encodeMessage(m, bytes);
        }
    }
    // The record buffer holds the last record read, as reading them one by one left it.
    if (!records.value().empty()) {
        store.mensaje = records.value().back();
    }
    closeImage(bytes);
    result.bytesNeeded = static_cast<int>(bytes.size());
    if (result.bytesNeeded > TransmissionImage::kCapacity) {
        result.estado = ImageState::TooLarge;
        return result;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        image.datos[i] = static_cast<std::int16_t>(bytes[i]);
    }
    image.ndatos = static_cast<std::int16_t>(bytes.size() - 1);
    totaldatos = image.ndatos;
    result.estado = result.activeMessages == 0 ? ImageState::NothingToSend : ImageState::Ready;
    return result;
}

} // namespace lumivel
