#pragma once
#include "display/font_table.hpp"
#include "display/sign.hpp"
#include "store/message_file.hpp"
#include "store/message_record.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace lumivel {

// The drawing tool chosen in the drawing mode.
enum class Herramienta { Lapiz, Goma };

// The program's shared state: what the main window's module-level variables hold.
// Secondary windows and the command line receive a reference to it.
struct Lumivel {
    Sign sign;
    FontTable fuente;
    std::int16_t tipoletra = 0;
    bool refresco = false;
    std::int16_t xletra = 0;
    // Text of `Text1`, Windows-1252 bytes.
    std::string texto;
    std::int16_t tipopresentacion = 0;
    std::int16_t totalmensajes = 0;
    // Highest index of the last completed transmission image; kept between openings
    // of the transmission window.
    std::int16_t totaldatos = 0;
    std::string archivoskin;

    // Selected index of each option array; -1 while none is selected.
    int opletra = -1;
    int opMostrar = -1;
    int option1 = -1; // 0 drawing mode, 1 text mode
    Herramienta herramienta = Herramienta::Lapiz;

    // Message store: the open message file, the one record buffer, and the entries of
    // Lstcodigo with the selected one (-1: none selected).
    MessageFile archivo;
    tipomensaje mensaje;
    std::vector<std::string> lstcodigo;
    int lstcodigoIndice = -1;
    // The open message file is a scratch file that the user has not named yet.
    bool archivoTemporal = false;
};

} // namespace lumivel
