#include "display/scripted_dialogs.hpp"

namespace lumivel {

Respuesta ScriptedDialogs::mensaje(const CajaMensaje& caja) {
    mostradas.push_back(caja);
    if (respuestas.empty()) {
        return caja.porDefecto;
    }
    const Respuesta respuesta = respuestas.front();
    respuestas.pop_front();
    return respuesta;
}

std::optional<std::string> ScriptedDialogs::siguienteArchivo(const OpcionesArchivo& opciones) {
    dialogosArchivo.push_back(opciones);
    if (archivos.empty()) {
        return std::nullopt;
    }
    auto archivo = archivos.front();
    archivos.pop_front();
    return archivo;
}

std::optional<std::string> ScriptedDialogs::abrirArchivo(const OpcionesArchivo& opciones) {
    return siguienteArchivo(opciones);
}

std::optional<std::string> ScriptedDialogs::guardarArchivo(const OpcionesArchivo& opciones) {
    return siguienteArchivo(opciones);
}

std::optional<Rgb> ScriptedDialogs::elegirColor(Rgb) {
    if (colores.empty()) {
        return std::nullopt;
    }
    auto color = colores.front();
    colores.pop_front();
    return color;
}

} // namespace lumivel
