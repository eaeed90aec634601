#include "transmission/virtual_sign.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace lumivel {
namespace {

// The failed call and the system's reason.
Error systemError(const char* call) {
    return Error{std::string(call) + ": " + std::strerror(errno)};
}

long long ahoraNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void cerrarFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

VirtualSign::VirtualSign(Opciones opciones) : opciones_(opciones), responder_(opciones.fallo) {}

VirtualSign::~VirtualSign() {
    cerrarFd(esclavo_);
    cerrarFd(maestro_);
    cerrarFd(parar_[0]);
    cerrarFd(parar_[1]);
}

Result<void> VirtualSign::abrir() {
    if (::pipe2(parar_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return systemError("pipe2");
    }
    maestro_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (maestro_ < 0) {
        return systemError("posix_openpt");
    }
    if (::grantpt(maestro_) != 0 || ::unlockpt(maestro_) != 0) {
        return systemError("grantpt/unlockpt");
    }
    char nombre[128];
    if (::ptsname_r(maestro_, nombre, sizeof nombre) != 0) {
        return systemError("ptsname_r");
    }
    ruta_ = nombre;
    ::fcntl(maestro_, F_SETFD, FD_CLOEXEC);
    // Echoes that nobody reads must never block the sign: a full line drops them.
    ::fcntl(maestro_, F_SETFL, ::fcntl(maestro_, F_GETFL) | O_NONBLOCK);
    esclavo_ = ::open(nombre, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (esclavo_ < 0) {
        return Error{std::strerror(errno), nombre};
    }
    // Raw until the sender sets its own line: no echo by the terminal, no translation.
    termios modo{};
    if (::tcgetattr(esclavo_, &modo) == 0) {
        ::cfmakeraw(&modo);
        ::tcsetattr(esclavo_, TCSANOW, &modo);
    }
    return {};
}

void VirtualSign::detener() {
    if (parar_[1] >= 0) {
        const char c = 'x';
        [[maybe_unused]] const auto escrito = ::write(parar_[1], &c, 1);
    }
}

Result<void> VirtualSign::servir(const AlRecibirImagen& alRecibir, const AlError& alError) {
    if (maestro_ < 0) {
        return Error{"el letrero virtual no esta abierto"};
    }
    std::uint8_t buffer[4096];
    for (;;) {
        pollfd fds[2] = {{maestro_, POLLIN, 0}, {parar_[0], POLLIN, 0}};
        const int espera = responder_.decoder().enReposo() ? -1 : opciones_.reposoMs;
        const int listos = ::poll(fds, 2, espera);
        if (listos < 0) {
            if (errno == EINTR) {
                continue;
            }
            return systemError("poll");
        }
        if (fds[1].revents != 0) {
            return {};
        }
        if (listos == 0) {
            responder_.decoder().reiniciar();
            if (alError) {
                alError("transmision interrumpida; se espera una nueva");
            }
            continue;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        const ssize_t leidos = ::read(maestro_, buffer, sizeof buffer);
        if (leidos < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EIO) {
                continue;
            }
            return systemError("read");
        }
        for (ssize_t i = 0; i < leidos; ++i) {
            responder(buffer[i], alRecibir, alError);
        }
    }
}

void VirtualSign::responder(std::uint8_t byte, const AlRecibirImagen& alRecibir,
                            const AlError& alError) {
    const long long llegada = ahoraNs();
    const SignResponder::Respuesta respuesta = responder_.responder(byte);
    if (respuesta.evento == SignDecoder::Evento::Solicitud) {
        // A new transfer: whatever an earlier one left unread would confuse its check.
        ::tcflush(esclavo_, TCIFLUSH);
    }
    if (!respuesta.bytes.empty()) {
        if (opciones_.baudios > 0) {
            // One 10-bit character in from the sender and one out, back to back.
            const long long caracterNs = 10'000'000'000LL / opciones_.baudios;
            const long long listo = std::max(llegada, ultimoEcoNs_) + 2 * caracterNs;
            std::this_thread::sleep_for(std::chrono::nanoseconds(listo - ahoraNs()));
            ultimoEcoNs_ = listo;
        }
        const auto escrito = ::write(maestro_, respuesta.bytes.data(), respuesta.bytes.size());
        if (escrito < 0 && alError) {
            alError(std::string("eco perdido: ") + std::strerror(errno));
        }
    }
    if (respuesta.evento == SignDecoder::Evento::ImagenCompleta && alRecibir) {
        alRecibir(responder_.decoder().tomarImagen());
    } else if (respuesta.evento == SignDecoder::Evento::Error && alError) {
        alError(responder_.decoder().ultimoError());
    }
}

} // namespace lumivel
