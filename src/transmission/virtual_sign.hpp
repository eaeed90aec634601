#pragma once
#include "base/result.hpp"
#include "transmission/sign_decoder.hpp"

#include <functional>
#include <string>
#include <vector>

namespace lumivel {

// A sign on a pseudo-terminal: the sender opens the slave device by its path, the sign
// answers on the master side. POSIX only.
class VirtualSign {
  public:
    struct Opciones {
        // 0: echo at once; otherwise delay each echo as a real line of this speed would
        // (one 10-bit character each way).
        int baudios = 0;
        FalloSigno fallo;
        // A transfer that goes quiet this long is forgotten; the next starts afresh.
        int reposoMs = 2000;
    };
    using AlRecibirImagen = std::function<void(const std::vector<MensajeDecodificado>&)>;
    using AlError = std::function<void(const std::string&)>;

    explicit VirtualSign(Opciones opciones);
    ~VirtualSign();
    VirtualSign(const VirtualSign&) = delete;
    VirtualSign& operator=(const VirtualSign&) = delete;

    // Creates the pseudo-terminal.
    Result<void> abrir();
    // The slave device, e.g. "/dev/pts/3".
    const std::string& ruta() const { return ruta_; }
    // Answers until detener() is called; fails when the loop cannot go on.
    Result<void> servir(const AlRecibirImagen& alRecibir, const AlError& alError);
    // Safe from any thread and from a signal handler.
    void detener();

  private:
    void responder(std::uint8_t byte, const AlRecibirImagen& alRecibir, const AlError& alError);

    Opciones opciones_;
    SignResponder responder_;
    int maestro_ = -1;
    // Kept open so the master never sees a hang-up between transfers.
    int esclavo_ = -1;
    int parar_[2] = {-1, -1};
    std::string ruta_;
    long long ultimoEcoNs_ = 0;
};

} // namespace lumivel
