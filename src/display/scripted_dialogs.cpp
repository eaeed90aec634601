#include "display/scripted_dialogs.hpp"

namespace lumivel {

Answer ScriptedDialogs::mensaje(const MessageBoxSpec& caja) {
    mostradas.push_back(caja);
    if (respuestas.empty()) {
        return caja.defaultAnswer;
    }
    const Answer respuesta = respuestas.front();
    respuestas.pop_front();
    return respuesta;
}

std::optional<std::string> ScriptedDialogs::nextFile(const FileDialogOptions& opciones) {
    dialogosArchivo.push_back(opciones);
    if (archivos.empty()) {
        return std::nullopt;
    }
    auto archivo = archivos.front();
    archivos.pop_front();
    return archivo;
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogOptions& opciones) {
    return nextFile(opciones);
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogOptions& opciones) {
    return nextFile(opciones);
}

std::optional<Rgb> ScriptedDialogs::chooseColor(Rgb) {
    if (colores.empty()) {
        return std::nullopt;
    }
    auto color = colores.front();
    colores.pop_front();
    return color;
}

} // namespace lumivel
