#pragma once
#include "display/sign_surface.hpp"

#include <optional>
#include <string>
#include <vector>

namespace lumivel {

// Message boxes, file dialogs and the colour dialog, behind one small interface so the
// core never shows anything itself and tests answer them without blocking.
// All texts are UTF-8.
enum class Icono { Ninguno, Critico, Pregunta, Exclamacion, Informacion };
enum class Botones { Aceptar, SiNo, SiNoCancelar, AceptarCancelar };
enum class Respuesta { Aceptar, Cancelar, Si, No };

struct CajaMensaje {
    std::string titulo;
    std::string texto;
    Botones botones = Botones::Aceptar;
    Icono icono = Icono::Ninguno;
    Respuesta porDefecto = Respuesta::Aceptar;
};

struct OpcionesArchivo {
    std::string titulo;               // empty: the platform's default title
    std::vector<std::string> filtros; // e.g. "Mensajes (*.men)"
    std::string sufijoPorDefecto;     // e.g. "men"
    std::string carpeta;              // start folder; empty: the platform's default
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Respuesta mensaje(const CajaMensaje& caja) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> abrirArchivo(const OpcionesArchivo& opciones) = 0;
    virtual std::optional<std::string> guardarArchivo(const OpcionesArchivo& opciones) = 0;
    virtual std::optional<Rgb> elegirColor(Rgb inicial) = 0;
};

} // namespace lumivel
