#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "transmission/transmission_image.hpp"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace lumivel::cli {

// A message file opened read-only and its transmission image, built as the transmission
// window builds it after the file was opened in the main window.
struct ImagenDeArchivo {
    std::unique_ptr<Lumivel> lumivel = std::make_unique<Lumivel>();
    ImagenTransmision imagen;
    ResultadoCarga carga;
};

// Nothing on success; otherwise the file's path and the reason.
std::optional<FileError> prepararImagen(const std::string& ruta, ImagenDeArchivo& destino);

// Bytes as upper-case hexadecimal pairs separated by single spaces.
std::string bytesEnHex(const std::string& bytes);

// A message box's text as the command line prints it: plain lines, then a line break.
void imprimirCaja(std::ostream& out, const CajaMensaje& caja);

} // namespace lumivel::cli
