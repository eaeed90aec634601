#pragma once
#include "display/dialogs.hpp"

#include <deque>

namespace lumivel {

// Dialogs answered from a script, for tests and the command line: every box shown is
// recorded; each answer is taken from the front of its queue (defaults when empty:
// the box's default button, a cancelled file or colour dialog).
class ScriptedDialogs : public Dialogs {
  public:
    std::deque<Respuesta> respuestas;
    std::deque<std::optional<std::string>> archivos;
    std::deque<std::optional<Rgb>> colores;

    std::vector<CajaMensaje> mostradas;
    std::vector<OpcionesArchivo> dialogosArchivo;

    Respuesta mensaje(const CajaMensaje& caja) override;
    std::optional<std::string> abrirArchivo(const OpcionesArchivo& opciones) override;
    std::optional<std::string> guardarArchivo(const OpcionesArchivo& opciones) override;
    std::optional<Rgb> elegirColor(Rgb inicial) override;

  private:
    std::optional<std::string> siguienteArchivo(const OpcionesArchivo& opciones);
};

} // namespace lumivel
