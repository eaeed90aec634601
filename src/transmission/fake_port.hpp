#pragma once
#include "transmission/port.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace lumivel {

// An in-process port for tests and dry runs: records every byte written and answers each
// one at once from `responder` (an echo by default). An empty answer is a time-out,
// reported without waiting.
class FakePort : public Port {
  public:
    std::function<std::string(std::uint8_t)> responder = [](std::uint8_t byte) {
        return std::string(1, static_cast<char>(byte));
    };
    std::string nombreDispositivo = "fake";
    // Set: abrir() fails with this reason.
    std::optional<std::string> errorAlAbrir;
    // Set: the device disappears after this many bytes have been written.
    std::optional<std::size_t> perderTrasEscritos;
    // Bytes already waiting when the port is opened, as a line that chattered leaves them.
    std::string entradaAntigua;
    int descartes = 0;

    std::string escrito;
    int aperturas = 0;
    int cierres = 0;
    bool abierto = false;

    std::string nombre() const override { return nombreDispositivo; }
    Result<void> abrir() override;
    void cerrar() override;
    Result<void> escribir(std::string_view bytes) override;
    std::string esperarBytes(int milisegundos) override;
    void descartarEntrada() override;
    std::optional<Error> fallo() const override { return fallo_; }

  private:
    std::string pendiente_;
    std::optional<Error> fallo_;
};

} // namespace lumivel
