#pragma once
#include "base/result.hpp"
#include "session/lumivel.hpp"
#include "transmission/transmission_image.hpp"

#include <memory>
#include <string>

namespace lumivel::cli {

// A message file opened read-only and its transmission image, built as the transmission
// window builds it after the file was opened in the main window.
struct ImagenDeArchivo {
    std::unique_ptr<Lumivel> lumivel = std::make_unique<Lumivel>();
    ImagenTransmision imagen;
    ResultadoCarga carga;
};

// Fails with the file's path and the reason when the file cannot be opened or read.
Result<void> prepararImagen(const std::string& ruta, ImagenDeArchivo& destino);

// Bytes as upper-case hexadecimal pairs separated by single spaces.
std::string bytesEnHex(const std::string& bytes);

} // namespace lumivel::cli
