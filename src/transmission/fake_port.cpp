#include "transmission/fake_port.hpp"

namespace lumivel {

Result<void> FakePort::abrir() {
    if (errorAlAbrir) {
        return Error{*errorAlAbrir, nombreDispositivo};
    }
    ++aperturas;
    abierto = true;
    pendiente_ = entradaAntigua;
    return {};
}

void FakePort::cerrar() {
    if (abierto) {
        ++cierres;
    }
    abierto = false;
    pendiente_.clear();
}

Result<void> FakePort::escribir(std::string_view bytes) {
    if (fallo_) {
        return *fallo_;
    }
    if (!abierto) {
        return Error{"el puerto no esta abierto", nombreDispositivo};
    }
    for (const char c : bytes) {
        if (perderTrasEscritos && escrito.size() >= *perderTrasEscritos) {
            fallo_ = Error{"el dispositivo ya no existe", nombreDispositivo};
            return *fallo_;
        }
        escrito += c;
        pendiente_ += responder(static_cast<std::uint8_t>(c));
    }
    return {};
}

void FakePort::descartarEntrada() {
    ++descartes;
    pendiente_.clear();
}

std::string FakePort::esperarBytes(int /*milisegundos*/) {
    std::string todo;
    todo.swap(pendiente_);
    return todo;
}

} // namespace lumivel
