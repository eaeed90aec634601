#include "transmission/transmission_image.hpp"

#include "base/hexadec.hpp"
#include "store/message_store.hpp"
#include "transmission/protocol.hpp"

#include <string_view>
#include <vector>

namespace lumivel {
namespace {

// VB's Mid$(s, start, 2) with start counted from 1: shorter, or empty, past the end.
std::string_view mid2(std::string_view s, std::size_t start) {
    if (start > s.size()) {
        return {};
    }
    return s.substr(start - 1, 2);
}

// The bytes one active record contributes, message end included.
void codificarMensaje(tipomensaje& mensaje, std::vector<std::uint8_t>& bytes) {
    const std::string recortado = storedText(mensaje);
    // The trimmed text is kept in the buffer, padded again, as the build leaves it.
    mensaje.texto = recordText(recortado);
    if (mensaje.isPicture()) {
        bytes.push_back(kPictureMark);
        bytes.push_back(kPictureMark);
        for (std::size_t j = 0; j < 128; j += 2) {
            bytes.push_back(static_cast<std::uint8_t>(hexadecValue(mid2(recortado, j + 1)) & 0xFF));
        }
    } else {
        // A record from elsewhere may hold any 16-bit value here; the wire carries one
        // byte, so only its low byte is ever sent.
        bytes.push_back(static_cast<std::uint8_t>(mensaje.presentacion & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(mensaje.letra & 0xFF));
        for (const char c : recortado) {
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

int imageBytesNeeded(const std::vector<tipomensaje>& activos) {
    std::vector<std::uint8_t> bytes;
    for (tipomensaje mensaje : activos) {
        codificarMensaje(mensaje, bytes);
    }
    closeImage(bytes);
    return static_cast<int>(bytes.size());
}

LoadResult cargarcomm(MessageStore& store, TransmissionImage& imagen, std::int16_t& totaldatos) {
    LoadResult resultado;
    // Only the file decides what is sent: the record buffer and the count may be left over
    // from whatever was read or deleted last.
    if (!store.archivo.isOpen()) {
        return resultado;
    }
    // Built aside first, so an image that does not fit never touches `datos`.
    std::vector<std::uint8_t> bytes;
    const int registros = store.archivo.count();
    for (int k = 1; k <= registros; ++k) {
        if (Result<void> read = store.archivo.read(k, store.mensaje); !read.ok()) {
            resultado.estado = ImageState::ReadError;
            resultado.error = read.error();
            return resultado;
        }
        if (!store.mensaje.isActive()) {
            continue;
        }
        ++resultado.activeMessages;
        codificarMensaje(store.mensaje, bytes);
    }
    closeImage(bytes);
    resultado.bytesNeeded = static_cast<int>(bytes.size());
    if (resultado.bytesNeeded > TransmissionImage::kCapacity) {
        resultado.estado = ImageState::TooLarge;
        return resultado;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        imagen.datos[i] = static_cast<std::int16_t>(bytes[i]);
    }
    imagen.ndatos = static_cast<std::int16_t>(bytes.size() - 1);
    totaldatos = imagen.ndatos;
    resultado.estado =
        resultado.activeMessages == 0 ? ImageState::NothingToSend : ImageState::Ready;
    return resultado;
}

} // namespace lumivel
