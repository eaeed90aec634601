#include "transmission/fake_port.hpp"

namespace lumivel {

std::optional<std::string> FakePort::abrir() {
    if (errorAlAbrir) {
        return errorAlAbrir;
    }
    ++aperturas;
    abierto = true;
    return std::nullopt;
}

void FakePort::cerrar() {
    if (abierto) {
        ++cierres;
    }
    abierto = false;
    pendiente_.clear();
}

bool FakePort::escribir(std::string_view bytes) {
    if (fallo_ || !abierto) {
        return false;
    }
    for (const char c : bytes) {
        if (perderTrasEscritos && escrito.size() >= *perderTrasEscritos) {
            fallo_ = "el dispositivo ya no existe";
            return false;
        }
        escrito += c;
        pendiente_ += responder(static_cast<std::uint8_t>(c));
    }
    return true;
}

std::string FakePort::esperarBytes(int /*milisegundos*/) {
    std::string todo;
    todo.swap(pendiente_);
    return todo;
}

} // namespace lumivel
